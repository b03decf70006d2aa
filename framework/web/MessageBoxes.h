// The message boxes open on the page and the beeps so far, for the event
// routing and for automation to read back.
#pragma once

#include <string>
#include <vector>

#include "framework/Win32Types.h"

namespace framework::web {

struct OpenMessageBox {
    int element;
    std::string title;  // Windows-1252
    std::string text;   // Windows-1252
    UINT type;
    bool closed = false;
};

// The boxes open now, innermost last.
const std::vector<OpenMessageBox*>& openMessageBoxes();

// MessageBeep calls since the program started.
int beepCount();

}  // namespace framework::web
