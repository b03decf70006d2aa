// The application object: seeds the generator and runs the game window.
#pragma once

#include "framework/CWinApp.h"

class CWordGameApp : public CWinApp {
public:
    // Built before the word list, whose decoding the window system's
    // preparation overlaps.
    CWordGameApp();

    // Runs the main dialog modally and returns FALSE, so that the program
    // ends with its window.
    BOOL InitInstance() override;
};
