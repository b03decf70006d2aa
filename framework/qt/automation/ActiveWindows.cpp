#include "framework/qt/automation/ActiveWindows.h"

#include <QApplication>

#include "framework/qt/MessageBoxes.h"

namespace framework::qt::automation {

QMessageBox* topMessageBox() {
    const auto& boxes = openMessageBoxes();
    return boxes.empty() ? nullptr : boxes.back().box.data();
}

DialogWindow* activeDialog() {
    if (QApplication::activePopupWidget() != nullptr || topMessageBox() != nullptr) {
        return nullptr;
    }
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if ((*it)->isVisible() && !(*it)->ended()) {
            return *it;
        }
    }
    return nullptr;
}

WindowImpl* findControl(int id) {
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (WindowImpl* control = (*it)->control(id)) {
            return control;
        }
    }
    return nullptr;
}

// A minimised window keeps no control focused: Windows gives the keyboard
// focus to no window then, and keys go to the active window itself.
bool focused(const WindowImpl& control) {
    QWidget* window = control.widget->window();
    return !window->isMinimized() && window->focusWidget() == control.widget;
}

}  // namespace framework::qt::automation
