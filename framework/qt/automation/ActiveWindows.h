// Which of the Qt back end's windows automation acts on and reads from.
#pragma once

#include <QMessageBox>

#include "framework/qt/DialogWindow.h"

namespace framework::qt::automation {

// The innermost message box open now, or nullptr.
QMessageBox* topMessageBox();

// The dialog that takes input now: the last one opened, unless a message box
// or a menu lies over it.
DialogWindow* activeDialog();

// The innermost open dialog's control `id`, for reading it back.
WindowImpl* findControl(int id);

// Whether the control has the focus within its window; none has while the
// window is minimised.
bool focused(const WindowImpl& control);

}  // namespace framework::qt::automation
