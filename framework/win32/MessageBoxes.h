// The message boxes open now, for automation, which reads and answers them.
#pragma once

#include <string>
#include <vector>

#include "framework/Win32Types.h"

namespace framework::win32 {

struct OpenMessageBox {
    std::string title;  // Windows-1252, as the program gave it
    std::string text;
    UINT type;
    HWND hwnd;  // the box's window once Windows has made it
};

const std::vector<OpenMessageBox>& openMessageBoxes();
int beepCount();

}  // namespace framework::win32
