#include "framework/web/Events.h"

#include "framework/web/DialogWindow.h"
#include "framework/web/MessageBoxes.h"
#include "framework/web/Timers.h"
#include "framework/web/Windows1252.h"

namespace framework::web {
namespace {

std::function<void(std::string_view, bool)>& inputReceiver() {
    static std::function<void(std::string_view, bool)> receiver;
    return receiver;
}

// A letter of the alphabets a keyboard types: Latin with its accented
// letters, Greek and Cyrillic.
bool isLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xAA || c == 0xB5 ||
           c == 0xBA || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) ||
           (c >= 0x370 && c <= 0x4FF);
}

// The driver's key names: the named keys, Alt with any one character, and a
// letter alone.
bool isKeyName(std::string_view name) {
    static constexpr std::string_view kNames[] = {"Enter", "Escape",    "Tab",   "Shift+Tab",
                                                  "Space", "Left",      "Right", "Up",
                                                  "Down",  "Alt+Space", "Alt+F4"};
    for (std::string_view known : kNames) {
        if (name == known) {
            return true;
        }
    }
    if (name.starts_with("Alt+")) {
        const char32_t c = SingleCodePoint(name.substr(4));
        return c != 0 && c < 0x10000;
    }
    return isLetter(SingleCodePoint(name));
}

void clicked(int element) {
    DialogWindow* dialog = DialogWindow::ofElement(element);
    if (dialog == nullptr || dialog != activeDialog()) {
        return;
    }
    WindowImpl* control = dialog->controlOfElement(element);
    if (control == nullptr || !control->enabled || !control->visible) {
        return;
    }
    if (control->takesFocus()) {
        dialog->setFocus(control);
    }
    dialog->clickControl(*control);
}

}  // namespace

DialogWindow* activeDialog() {
    if (openMenu() != nullptr || !openMessageBoxes().empty()) {
        return nullptr;
    }
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if ((*it)->shown() && !(*it)->ended()) {
            return *it;
        }
    }
    return nullptr;
}

bool pressKeyInActiveWindow(std::string_view name) {
    if (!isKeyName(name)) {
        return false;
    }
    if (OpenMenu* menu = openMenu()) {
        if (name == "Escape" || name == "Alt+Space") {
            menu->closed = true;
        }
        return true;
    }
    if (!openMessageBoxes().empty()) {
        // The box's one button, OK, has the focus and is its default and
        // cancel button alike.
        if (name == "Enter" || name == "Escape" || name == "Space") {
            openMessageBoxes().back()->closed = true;
        }
        return true;
    }
    DialogWindow* dialog = activeDialog();
    return dialog != nullptr && dialog->pressKey(name);
}

void handleEvent(const Event& event) {
    switch (event.type) {
        case Event::Click:
            clicked(event.target);
            break;
        case Event::Key:
            pressKeyInActiveWindow(event.text);
            break;
        case Event::Focus:
            if (DialogWindow* dialog = DialogWindow::ofElement(event.target)) {
                if (WindowImpl* control = dialog->controlOfElement(event.target)) {
                    dialog->setFocus(control);
                }
            }
            break;
        case Event::SysCommand:
            // The caption's buttons send what the system menu sends: the
            // dialog decides.
            if (DialogWindow* dialog = DialogWindow::ofElement(event.target);
                dialog != nullptr && dialog == activeDialog()) {
                dialog->dialog().DispatchMessage(WM_SYSCOMMAND, static_cast<UINT>(event.a), 0);
            }
            break;
        case Event::ContextMenu:
            if (DialogWindow* dialog = DialogWindow::ofElement(event.target);
                dialog != nullptr && dialog == activeDialog()) {
                dialog->openSystemMenu(event.a, event.b);
            }
            break;
        case Event::MenuChoose:
            if (OpenMenu* menu = openMenu(); menu != nullptr && menu->element == event.target &&
                                             event.a >= 0 &&
                                             event.a < static_cast<int>(menu->items.size())) {
                const CMenu::Item* item = menu->items[static_cast<std::size_t>(event.a)];
                if (item->id != 0 && item->enabled) {
                    menu->chosen = item->id;
                    menu->closed = true;
                }
            }
            break;
        case Event::MenuDismiss:
            if (OpenMenu* menu = openMenu(); menu != nullptr && menu->element == event.target) {
                menu->closed = true;
            }
            break;
        case Event::Timer:
            timerElapsed(event.a);
            break;
        case Event::Input:
            if (inputReceiver()) {
                inputReceiver()(event.text, event.a != 0);
            }
            break;
        case Event::BoxOk:
            for (OpenMessageBox* box : openMessageBoxes()) {
                if (box->element == event.target && box == openMessageBoxes().back()) {
                    box->closed = true;
                }
            }
            break;
        default:
            break;
    }
}

void setInputReceiver(std::function<void(std::string_view, bool)> receiver) {
    inputReceiver() = std::move(receiver);
}

}  // namespace framework::web
