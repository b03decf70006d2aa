// Which of the Win32 back end's windows automation acts on and reads from.
#pragma once

#include "framework/win32/DialogWindow.h"
#include "framework/win32/MessageBoxes.h"

namespace framework::win32::automation {

// The innermost message box open now, or nullptr.
const OpenMessageBox* topMessageBox();

// The dialog that takes input now: the last one opened, unless a message box
// or the system menu lies over it.
DialogWindow* activeDialog();

// The innermost open dialog's control `id`, for reading it back.
WindowImpl* findControl(int id);

// The window that gets a key pressed now: the focus of the active box or
// dialog, or that window itself.
HWND keyTarget(HWND& topWindow);

}  // namespace framework::win32::automation
