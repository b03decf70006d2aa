// What the message boxes and beeps of the program have done, for the test
// harness and the driver to read back.
#pragma once

#include <QMessageBox>
#include <QPointer>

#include <string>
#include <vector>

#include "framework/Win32Types.h"

namespace framework::qt {

struct OpenMessageBox {
    QPointer<QMessageBox> box;
    std::string title;  // Windows-1252
    std::string text;   // Windows-1252
    UINT type;
};

// The boxes open now, innermost last.
const std::vector<OpenMessageBox>& openMessageBoxes();

// MessageBeep calls since the process started.
int beepCount();

}  // namespace framework::qt
