// Input to the real windows as Windows delivers a player's: keys go through
// IsDialogMessageW and the window procedures as the dialog manager's loop
// hands them on, clicks are the buttons' own BM_CLICK or mouse messages.
#include <cwctype>

#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/win32/Timers.h"
#include "framework/win32/Windows1252.h"
#include "framework/win32/automation/ActiveWindows.h"

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::win32::DialogWindow;
using framework::win32::automation::activeDialog;
using framework::win32::automation::keyTarget;
using framework::win32::automation::topMessageBox;

constexpr LPARAM kAltDown = LPARAM{1} << 29;
constexpr LPARAM kKeyUp = (LPARAM{1} << 30) | (LPARAM{1} << 31);

// One message to the window with the focus, as the dialog manager's loop
// hands it on: through IsDialogMessageW (which translates and dispatches
// whatever the dialog's keyboard does not take itself), or straight to the
// window's procedure.
void deliver(UINT message, WPARAM wParam, LPARAM lParam, bool throughDialog) {
    HWND top = nullptr;
    HWND target = keyTarget(top);
    if (target == nullptr) {
        return;
    }
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    if (throughDialog && top != nullptr && IsDialogMessageW(top, &msg)) {
        return;
    }
    DispatchMessageW(&msg);
}

bool isDialogKey(UINT virtualKey) {
    switch (virtualKey) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

// A key pressed and released. The dialog's own keys (Enter, Escape, Tab,
// the arrows) go to the dialog's keyboard, which acts on them at once. For
// the others the character follows the press as TranslateMessage would
// make it, handed to the dialog's keyboard for its mnemonics; it is made
// here and not posted, so that the key has done its work when this returns.
void pressKey(UINT virtualKey, wchar_t character, bool alt) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM base = 1 | scan | (alt ? kAltDown : 0);
    if (!alt && isDialogKey(virtualKey)) {
        deliver(WM_KEYDOWN, virtualKey, base, true);
    } else {
        deliver(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, base, false);
        if (character != 0) {
            deliver(alt ? WM_SYSCHAR : WM_CHAR, character, base, true);
        }
    }
    deliver(alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, base | kKeyUp, false);
}

UINT virtualKeyOf(wchar_t character) {
    const SHORT scan = VkKeyScanW(character);
    return scan == -1 ? 0 : static_cast<UINT>(scan & 0xFF);
}

bool visibleAndEnabled(HWND hwnd) {
    return IsWindowEnabled(hwnd) != FALSE &&
           (GetWindowLongW(hwnd, GWL_STYLE) & static_cast<LONG>(WS_VISIBLE)) != 0;
}

LPARAM centreOf(HWND hwnd) {
    RECT rect;
    GetClientRect(hwnd, &rect);
    return MAKELPARAM(rect.right / 2, rect.bottom / 2);
}

// Closing a dialog by its system menu reaches it as an IDCANCEL that the
// dialog manager posts; the command runs it at once, so that the next one
// finds the dialog closing, as it does after Escape.
void runPostedCommands(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, dialog, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
}

HWND mainWindow() {
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main->Impl() != nullptr ? main->Impl()->hwnd : nullptr;
}

}  // namespace

bool Click(int id) {
    if (const auto* box = topMessageBox()) {
        if (id != IDOK || DialogWindow::openMenu() != nullptr || box->hwnd == nullptr) {
            return false;
        }
        HWND ok = GetDlgItem(box->hwnd, IDOK);
        if (ok == nullptr) {
            return false;
        }
        SendMessageW(ok, BM_CLICK, 0, 0);
        return true;
    }
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || !visibleAndEnabled(control->hwnd)) {
        return false;
    }
    if (control->isButtonClass()) {
        SendMessageW(control->hwnd, BM_CLICK, 0, 0);
    } else {
        const LPARAM where = centreOf(control->hwnd);
        SendMessageW(control->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageW(control->hwnd, WM_LBUTTONUP, 0, where);
    }
    return true;
}

bool SetText(int id, std::string_view utf8) {
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || control->kind != ControlKind::Edit ||
        !visibleAndEnabled(control->hwnd) ||
        (GetWindowLongW(control->hwnd, GWL_STYLE) & ES_READONLY) != 0) {
        return false;
    }
    SetFocus(control->hwnd);
    SendMessageW(control->hwnd, EM_SETSEL, 0, -1);
    const std::wstring typed = framework::win32::fromUtf8(utf8);
    if (typed.empty()) {
        SendMessageW(control->hwnd, WM_KEYDOWN, VK_DELETE, 1);
        SendMessageW(control->hwnd, WM_KEYUP, VK_DELETE, 1 | kKeyUp);
        return true;
    }
    for (wchar_t unit : typed) {
        SendMessageW(control->hwnd, WM_CHAR, unit, 1);
    }
    return true;
}

bool PressKey(std::string_view name) {
    HWND top = nullptr;
    if (keyTarget(top) == nullptr && DialogWindow::openMenu() == nullptr) {
        return false;
    }
    const std::wstring key = framework::win32::fromUtf8(name);
    if (DialogWindow::openMenu() != nullptr) {
        // The menu's own loop reads the keys; Escape closes it.
        if (key == L"Escape") {
            DialogWindow::menuClosing();
            return true;
        }
        return false;
    }
    if (key == L"Enter") {
        pressKey(VK_RETURN, L'\r', false);
    } else if (key == L"Escape") {
        pressKey(VK_ESCAPE, 0x1B, false);
    } else if (key == L"Tab") {
        pressKey(VK_TAB, L'\t', false);
    } else if (key == L"Space") {
        pressKey(VK_SPACE, L' ', false);
    } else if (key == L"Left") {
        pressKey(VK_LEFT, 0, false);
    } else if (key == L"Right") {
        pressKey(VK_RIGHT, 0, false);
    } else if (key == L"Up") {
        pressKey(VK_UP, 0, false);
    } else if (key == L"Down") {
        pressKey(VK_DOWN, 0, false);
    } else if (key == L"Alt+Space") {
        pressKey(VK_SPACE, L' ', true);
    } else if (key == L"Alt+F4") {
        // The system's own Alt+F4 is posted; sent here so that the next
        // command sees its effect, as it does on the other back ends.
        SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        runPostedCommands(top);
    } else if (key.size() == 5 && key.starts_with(L"Alt+")) {
        const wchar_t letter = static_cast<wchar_t>(std::towlower(key[4]));
        pressKey(virtualKeyOf(letter), letter, true);
    } else if (key.size() == 1 && std::iswalpha(key[0])) {
        pressKey(virtualKeyOf(key[0]), key[0], false);
    } else {
        return false;
    }
    return true;
}

void Tick(int ticks) {
    framework::tickTimers(ticks);
}

bool SystemCommand(UINT id) {
    HWND main = mainWindow();
    if (main == nullptr) {
        return false;
    }
    SendMessageW(main, WM_SYSCOMMAND, id, 0);
    runPostedCommands(main);
    return true;
}

bool CloseWindow() {
    DialogWindow* dialog = activeDialog();
    if (dialog == nullptr) {
        return false;
    }
    SendMessageW(dialog->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    runPostedCommands(dialog->hwnd());
    return true;
}

bool RightClickEmptyArea() {
    DialogWindow* dialog = activeDialog();
    if (dialog == nullptr) {
        return false;
    }
    RECT rect;
    GetClientRect(dialog->hwnd(), &rect);
    const LPARAM where = MAKELPARAM(2, rect.bottom - 2);
    SendMessageW(dialog->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, where);
    SendMessageW(dialog->hwnd(), WM_RBUTTONUP, 0, where);
    return true;
}

bool MovePointer(int dx, int dy) {
    HWND target = GetCapture();
    if (target == nullptr) {
        DialogWindow* dialog = activeDialog();
        target = dialog != nullptr ? dialog->hwnd() : nullptr;
    }
    if (target == nullptr) {
        return false;
    }
    static POINT pointer = [target] {
        RECT rect;
        GetClientRect(target, &rect);
        return POINT{rect.right / 2, rect.bottom / 2};
    }();
    pointer.x += dx;
    pointer.y += dy;
    SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(pointer.x, pointer.y));
    return true;
}

bool ChooseMenuEntry(std::string_view utf8Text) {
    HMENU menu = DialogWindow::openMenu();
    if (menu == nullptr) {
        return false;
    }
    const std::wstring wanted = framework::win32::fromUtf8(utf8Text);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        std::wstring plain(text);
        std::erase(plain, L'&');
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) != 0) {
            continue;
        }
        if (wanted == text || wanted == plain) {
            DialogWindow::chooseMenuEntry(static_cast<UINT>(GetMenuItemID(menu, i)));
            return true;
        }
    }
    return false;
}

}  // namespace automation
