#include "framework/win32/DialogWindow.h"

#include <algorithm>
#include <cstring>

#include "framework/ModalHooks.h"
#include "framework/win32/DialogTemplateBuilder.h"
#include "framework/win32/ScreenReaderNames.h"
#include "framework/win32/Timers.h"
#include "framework/win32/Windows1252.h"

namespace framework {

namespace {
const wchar_t kWindowProperty[] = L"Lexodrom.Window";
}

WindowImpl* WindowImpl::of(HWND hwnd) {
    return hwnd != nullptr ? static_cast<WindowImpl*>(GetPropW(hwnd, kWindowProperty)) : nullptr;
}

void WindowImpl::tag() {
    SetPropW(hwnd, kWindowProperty, this);
}

void WindowImpl::untag() {
    if (hwnd != nullptr) {
        RemovePropW(hwnd, kWindowProperty);
    }
}

std::wstring WindowImpl::screenText() const {
    if (hwnd == nullptr || kind == ControlKind::Icon) {
        return {};
    }
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace framework

namespace framework::win32 {
namespace {

// The system menu's loop: it starts, then its popup shows, then it ends.
enum class MenuLoop { None, Starting, Open };
MenuLoop g_menuLoop = MenuLoop::None;
HMENU g_openMenu = nullptr;
HWND g_menuWindow = nullptr;
bool g_menuClosing = false;
UINT g_chosenCommand = 0;

std::vector<DialogWindow*>& registry() {
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

bool isClass(const DialogItemTemplate& item, const char* name) {
    return std::strcmp(item.windowClass, name) == 0;
}

ControlKind kindOf(const DialogItemTemplate& item) {
    if (isClass(item, "BUTTON")) {
        switch (item.style & BS_TYPEMASK) {
            case BS_GROUPBOX:
                return ControlKind::GroupBox;
            case BS_AUTORADIOBUTTON:
            case BS_RADIOBUTTON:
                return ControlKind::RadioButton;
            default:
                return ControlKind::PushButton;
        }
    }
    if (isClass(item, "EDIT")) {
        return (item.style & ES_MULTILINE) != 0 ? ControlKind::MultiLineEdit : ControlKind::Edit;
    }
    if (isClass(item, "LISTBOX")) {
        return ControlKind::ListBox;
    }
    return (item.style & SS_TYPEMASK) == SS_ICON ? ControlKind::Icon : ControlKind::Static;
}

// An edit box that refuses what Windows-1252 cannot hold takes no such
// character from the keyboard; the box that passes them on takes them all.
LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowImpl* impl = WindowImpl::of(hwnd);
    if (impl == nullptr || impl->originalProc == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_CHAR && impl->foreign == ForeignCharacters::Refuse &&
        !isWindows1252(static_cast<wchar_t>(wParam))) {
        return 0;
    }
    return CallWindowProcW(impl->originalProc, hwnd, message, wParam, lParam);
}

// Every focus change on the thread passes here first, so that each dialog
// knows the control that has its focus while another window is active.
HHOOK g_focusHook = nullptr;

LRESULT CALLBACK noteFocus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS) {
        WindowImpl* impl = WindowImpl::of(reinterpret_cast<HWND>(wParam));
        if (impl != nullptr && impl->kind != ControlKind::Dialog && impl->dialog != nullptr) {
            impl->dialog->focusTaken(impl->hwnd);
        }
    }
    return CallNextHookEx(g_focusHook, code, wParam, lParam);
}

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return reinterpret_cast<DialogWindow*>(lParam)->initialise(hwnd);
    }
    DialogWindow* window = DialogWindow::of(hwnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (window->takePassNext()) {
        return FALSE;
    }
    return window->handle(message, wParam, lParam);
}

}  // namespace

BOOL SystemMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text) {
    CMenu::AppendMenu(flags, id, text);
    if (menu_ == nullptr) {
        return FALSE;
    }
    if ((flags & MF_SEPARATOR) != 0) {
        return AppendMenuW(menu_, flags, id, nullptr);
    }
    const std::wstring wide = fromWindows1252(text != nullptr ? text : "");
    return AppendMenuW(menu_, flags, id, wide.c_str());
}

UINT SystemMenu::EnableMenuItem(UINT id, UINT enable) {
    CMenu::EnableMenuItem(id, enable);
    return menu_ != nullptr ? static_cast<UINT>(::EnableMenuItem(menu_, id, enable))
                            : static_cast<UINT>(-1);
}

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate)
    : dialog_(dialog), template_(dialogTemplate) {}

DialogWindow::~DialogWindow() {
    auto& dialogs = registry();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    for (auto& control : controls_) {
        control->wnd->AttachImpl(nullptr);
    }
    if (self_ != nullptr) {
        forgetTimersOf(self_.get());
    }
}

HMENU DialogWindow::openMenu() {
    return g_menuLoop == MenuLoop::Open && !g_menuClosing ? g_openMenu : nullptr;
}

// The menu closes from its own loop, once whatever runs now has returned:
// ended at once, it would let that go on before the chosen command.
void DialogWindow::menuClosing() {
    g_menuClosing = true;
    PostMessageW(g_menuWindow, WM_CANCELMODE, 0, 0);
}

void DialogWindow::chooseMenuEntry(UINT id) {
    g_chosenCommand = id;
    menuClosing();
}

const std::vector<DialogWindow*>& DialogWindow::openDialogs() {
    return registry();
}

DialogWindow* DialogWindow::of(HWND hwnd) {
    WindowImpl* impl = WindowImpl::of(hwnd);
    return impl != nullptr && impl->kind == ControlKind::Dialog && impl->hwnd == hwnd ? impl->dialog
                                                                                      : nullptr;
}

WindowImpl* DialogWindow::control(int id) const {
    for (const auto& control : controls_) {
        if (control->id == id) {
            return control.get();
        }
    }
    return nullptr;
}

INT_PTR DialogWindow::runModal(HWND owner) {
    const std::vector<std::uint16_t> bytes = BuildDialogTemplate(template_);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner,
        dialogProc, reinterpret_cast<LPARAM>(this));
    if (modalStarted_) {
        modalStarted_ = false;
        notifyModalEnded();
    }
    return result;
}

void DialogWindow::endModal(int result) {
    ended_ = true;
    if (hwnd() != nullptr) {
        ::EndDialog(hwnd(), result);
    }
}

// The controls Windows made from the template are its children in template
// order; each gets the program's object and, for an edit box, our character
// rule in front of its own procedure.
void DialogWindow::attachControls() {
    HWND child = GetWindow(hwnd(), GW_CHILD);
    for (const DialogItemTemplate& item : template_.items) {
        if (child == nullptr) {
            break;
        }
        auto object = std::make_unique<CWnd>();
        auto impl = std::make_unique<WindowImpl>(kindOf(item), item.id, child, object.get(), this);
        impl->foreign = item.foreign;
        impl->tag();
        if (impl->kind == ControlKind::Edit) {
            impl->originalProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc)));
        }
        object->AttachImpl(impl.get());
        controls_.push_back(std::move(impl));
        controlObjects_.push_back(std::move(object));
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

// A template at (0, 0) is centred over its owner, or on the screen, as the
// application framework does when the dialog has not placed itself.
void DialogWindow::centre() {
    RECT window;
    GetWindowRect(hwnd(), &window);
    RECT area;
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG x = std::max(area.left, area.left + (area.right - area.left - width) / 2);
    const LONG y = std::max(area.top, area.top + (area.bottom - area.top - height) / 2);
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL DialogWindow::initialise(HWND hwnd) {
    if (g_focusHook == nullptr) {
        g_focusHook = SetWindowsHookExW(WH_CBT, noteFocus, nullptr, GetCurrentThreadId());
    }
    self_ = std::make_unique<WindowImpl>(ControlKind::Dialog, 0, hwnd, &dialog_, this);
    self_->tag();
    menu_.attach(GetSystemMenu(hwnd, FALSE));
    registry().push_back(this);
    attachControls();
    NameControls(*this);
    dialog_.AttachImpl(self_.get());
    if (template_.x == 0 && template_.y == 0) {
        centre();
    }
    const BOOL result = dialog_.OnInitDialog();
    // The dialog manager's loop starts when this returns; what the hooks
    // post runs inside it.
    modalStarted_ = true;
    notifyModalStarted([this] { return ended_; });
    return result;
}

HWND DialogWindow::focusWithin() const {
    return lastFocus_ != nullptr && IsChild(hwnd(), lastFocus_) ? lastFocus_ : nullptr;
}

INT_PTR DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_SYSCOMMAND:
        case WM_TIMER: {
            const LRESULT result = dialog_.DispatchMessage(message, wParam, lParam);
            SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_QUERYDRAGICON:
            // One of the messages whose result a dialog procedure returns itself.
            return static_cast<INT_PTR>(dialog_.DispatchMessage(message, wParam, lParam));
        case WM_PAINT:
            // Whatever the program paints, the default processing then
            // validates what is left, so that no WM_PAINT comes again.
            dialog_.DispatchMessage(message, wParam, lParam);
            return FALSE;
        case WM_ACTIVATE:
            // Active again, the dialog gives the focus back to the control
            // that took it last, which may be one the program focused while
            // the dialog was being activated, not the one it was left with.
            if (LOWORD(wParam) != WA_INACTIVE && focusWithin() != nullptr &&
                IsWindowEnabled(focusWithin()) != FALSE && IsIconic(hwnd()) == FALSE) {
                SetFocus(focusWithin());
                SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_ENTERMENULOOP:
            // Opened by the keyboard, the loop opens its popup by a key it
            // posts itself: until then nothing else may act in it.
            g_menuLoop = MenuLoop::Starting;
            g_menuWindow = hwnd();
            g_menuClosing = false;
            g_chosenCommand = 0;
            notifyModalStarting([] { return g_menuLoop != MenuLoop::Open || g_menuClosing; });
            return FALSE;
        case WM_INITMENUPOPUP:
            if (g_menuLoop == MenuLoop::Starting) {
                g_menuLoop = MenuLoop::Open;
                g_openMenu = reinterpret_cast<HMENU>(wParam);
                announceModalStarted();
            }
            return FALSE;
        case WM_EXITMENULOOP:
            if (g_menuClosing) {
                // Ending the menu posts WM_CANCELMODE to its popup, which
                // outlives the loop and would close the next menu at once.
                MSG cancel;
                while (PeekMessageW(&cancel, nullptr, WM_CANCELMODE, WM_CANCELMODE, PM_REMOVE)) {
                }
            }
            if (g_menuLoop != MenuLoop::None) {
                g_menuLoop = MenuLoop::None;
                g_openMenu = nullptr;
                notifyModalEnded();
            }
            if (g_chosenCommand != 0) {
                // The chosen command runs before the key that opened the
                // menu is done, so that what comes next finds its effect.
                const UINT command = g_chosenCommand;
                g_chosenCommand = 0;
                SendMessageW(g_menuWindow, WM_SYSCOMMAND, command, 0);
            }
            return FALSE;
        case WM_DESTROY:
            forgetTimersOf(self_.get());
            ForgetControlNames(*this);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace framework::win32
