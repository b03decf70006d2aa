// The application object: seeds the generator and runs the game window.
#pragma once

#include "framework/CWinApp.h"

class CWordGameApp : public CWinApp {
public:
    CWordGameApp() = default;

    // Runs the main dialog modally and returns FALSE, so that the program
    // ends with its window.
    BOOL InitInstance() override;
};
