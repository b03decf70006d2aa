// CWnd and the control classes on real windows. Text crosses between the
// program's Windows-1252 and the W functions' UTF-16 here.
#include "framework/CWnd.h"

#include <algorithm>

#include "framework/win32/DialogWindow.h"
#include "framework/win32/Timers.h"
#include "framework/win32/Windows1252.h"

using framework::ControlKind;
using framework::WindowImpl;
using framework::win32::fromWindows1252;
using framework::win32::toWindows1252;

namespace {

HWND hwndOf(const WindowImpl* impl) {
    return impl != nullptr ? impl->hwnd : nullptr;
}

}  // namespace

void CWnd::SetWindowText(LPCSTR text) {
    if (HWND hwnd = hwndOf(m_impl)) {
        SetWindowTextW(hwnd, fromWindows1252(text != nullptr ? text : "").c_str());
    }
}

void CWnd::GetWindowText(CString& text) const {
    if (m_impl == nullptr || m_impl->hwnd == nullptr) {
        text.Empty();
        return;
    }
    const char unrepresentable = m_impl->foreign == framework::ForeignCharacters::PassAsForeignByte
                                     ? framework::kForeignByte
                                     : '?';
    text = CString(std::string_view(toWindows1252(m_impl->screenText(), unrepresentable)));
}

// A control being disabled does not keep the focus: it moves on to the next
// tab stop, as the Tab key would move it, so that the dialog still has one.
BOOL CWnd::EnableWindow(BOOL enable) {
    HWND hwnd = hwndOf(m_impl);
    if (hwnd == nullptr) {
        return FALSE;
    }
    if (enable == FALSE && m_impl->dialog != nullptr && m_impl->kind != ControlKind::Dialog &&
        m_impl->dialog->focusWithin() == hwnd) {
        HWND next = GetNextDlgTabItem(m_impl->dialog->hwnd(), hwnd, FALSE);
        if (next != nullptr && next != hwnd) {
            ::SetFocus(next);
        }
    }
    return ::EnableWindow(hwnd, enable);
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (HWND hwnd = hwndOf(m_impl)) {
        ::SetFocus(hwnd);
    }
    return previous;
}

CWnd* CWnd::GetFocus() {
    WindowImpl* impl = WindowImpl::of(::GetFocus());
    return impl != nullptr ? impl->wnd : nullptr;
}

DWORD CWnd::GetStyle() const {
    HWND hwnd = hwndOf(m_impl);
    return hwnd != nullptr ? static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    HWND hwnd = hwndOf(m_impl);
    if (hwnd == nullptr) {
        return FALSE;
    }
    const DWORD before = GetStyle();
    const DWORD after = (before & ~remove) | add;
    if (before == after) {
        return FALSE;
    }
    if (m_impl->kind == ControlKind::PushButton &&
        (before & BS_TYPEMASK) != (after & BS_TYPEMASK)) {
        // The button redraws itself with its new frame; the dialog's default
        // id, which the Enter key uses, stays the template's.
        ::SendMessageW(hwnd, BM_SETSTYLE, after & BS_TYPEMASK, TRUE);
    }
    if ((before & WS_DISABLED) != (after & WS_DISABLED)) {
        ::EnableWindow(hwnd, (after & WS_DISABLED) == 0);
    }
    SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(after));
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwndOf(m_impl);
    if (hwnd == nullptr) {
        return 0;
    }
    switch (message) {
        case EM_SETSEL:
        case EM_SCROLLCARET:
        case EM_LIMITTEXT:
        case BM_GETCHECK:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case LB_GETCOUNT:
        case WM_SETICON:
        case WM_ICONERASEBKGND:
            return ::SendMessageW(hwnd, message, wParam, lParam);
        case LB_ADDSTRING: {
            const std::wstring line = fromWindows1252(reinterpret_cast<const char*>(lParam));
            return ::SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        case LB_GETTEXT: {
            const LRESULT length = ::SendMessageW(hwnd, LB_GETTEXTLEN, wParam, 0);
            if (length == LB_ERR) {
                return LB_ERR;
            }
            std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
            ::SendMessageW(hwnd, LB_GETTEXT, wParam, reinterpret_cast<LPARAM>(line.data()));
            line.resize(static_cast<std::size_t>(length));
            const std::string bytes = toWindows1252(line, '?');
            char* out = reinterpret_cast<char*>(lParam);
            std::copy(bytes.begin(), bytes.end(), out);
            out[bytes.size()] = '\0';
            return static_cast<LRESULT>(bytes.size());
        }
        default:
            return 0;
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void (*)(HWND, UINT, UINT_PTR, DWORD)) {
    return framework::setTimer(m_impl, id, elapse);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return framework::killTimer(m_impl, id) ? TRUE : FALSE;
}

CMenu* CWnd::GetSystemMenu(BOOL) {
    if (m_impl == nullptr || m_impl->kind != ControlKind::Dialog || m_impl->dialog == nullptr) {
        return nullptr;
    }
    return &m_impl->dialog->systemMenu();
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon != FALSE ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::IsIconic() const {
    HWND hwnd = hwndOf(m_impl);
    return hwnd != nullptr ? ::IsIconic(hwnd) : FALSE;
}

void CWnd::GetClientRect(RECT* rect) const {
    HWND hwnd = hwndOf(m_impl);
    if (hwnd == nullptr) {
        *rect = {0, 0, 0, 0};
        return;
    }
    ::GetClientRect(hwnd, rect);
}

// A dialog's default processing is the dialog manager's, DefDlgProcW. It
// calls the dialog procedure first, which lets that one call pass.
LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwndOf(m_impl);
    if (hwnd == nullptr) {
        return 0;
    }
    if (m_impl->kind == ControlKind::Dialog && m_impl->dialog != nullptr) {
        m_impl->dialog->passNextToDefault();
        const LRESULT result = DefDlgProcW(hwnd, message, wParam, lParam);
        m_impl->dialog->takePassNext();
        return result;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
