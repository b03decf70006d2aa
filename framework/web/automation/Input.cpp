// Input to the page's windows, as the page's own handlers deliver a
// player's mouse and keyboard.
#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/web/DialogWindow.h"
#include "framework/web/Dom.h"
#include "framework/web/Events.h"
#include "framework/web/MessageBoxes.h"
#include "framework/web/Timers.h"
#include "framework/web/Windows1252.h"

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::web::activeDialog;
using framework::web::DialogWindow;

}  // namespace

bool Click(int id) {
    const auto& boxes = framework::web::openMessageBoxes();
    if (framework::web::openMenu() != nullptr) {
        return false;
    }
    if (!boxes.empty()) {
        if (id != IDOK) {
            return false;
        }
        boxes.back()->closed = true;
        return true;
    }
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || !control->enabled || !control->visible) {
        return false;
    }
    // A click focuses what takes the focus, then presses it.
    if (control->takesFocus()) {
        dialog->setFocus(control);
    }
    dialog->clickControl(*control);
    return true;
}

bool SetText(int id, std::string_view text) {
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || control->kind != ControlKind::Edit || !control->enabled ||
        !control->visible || (control->style & ES_READONLY) != 0) {
        return false;
    }
    dialog->setFocus(control);
    framework::web::dom::Select(control->element, 0, -1);
    framework::web::dom::Type(control->element, text);
    return true;
}

bool PressKey(std::string_view name) {
    return framework::web::pressKeyInActiveWindow(name);
}

void Tick(int ticks) {
    framework::tickTimers(ticks);
}

bool SystemCommand(UINT id) {
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr || main->Impl() == nullptr) {
        return false;
    }
    main->DispatchMessage(WM_SYSCOMMAND, id, 0);
    return true;
}

bool CloseWindow() {
    DialogWindow* dialog = activeDialog();
    if (dialog == nullptr) {
        return false;
    }
    dialog->dialog().DispatchMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool RightClickEmptyArea() {
    DialogWindow* dialog = activeDialog();
    if (dialog == nullptr) {
        return false;
    }
    dialog->openSystemMenu(-1, -1);
    return true;
}

bool MovePointer(int, int) {
    return activeDialog() != nullptr;
}

bool ChooseMenuEntry(std::string_view text) {
    framework::web::OpenMenu* menu = framework::web::openMenu();
    if (menu == nullptr) {
        return false;
    }
    for (const CMenu::Item* item : menu->items) {
        if (item->id == 0 || !item->enabled) {
            continue;
        }
        const std::string shown = framework::web::FromWindows1252(item->text.bytes());
        std::string plain;
        for (char c : shown) {
            if (c != '&') {
                plain += c;
            }
        }
        if (shown == text || plain == text) {
            menu->chosen = item->id;
            menu->closed = true;
            return true;
        }
    }
    return false;
}

}  // namespace automation
