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

bool focused(const WindowImpl& control) {
    QWidget* window = control.widget->window();
    return window->focusWidget() == control.widget;
}

}  // namespace framework::qt::automation
