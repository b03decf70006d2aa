// CWnd and the control classes on the page's elements.
#include "framework/CWnd.h"

#include <algorithm>

#include "framework/web/DialogWindow.h"
#include "framework/web/Dom.h"
#include "framework/web/Icons.h"
#include "framework/web/MessageBoxes.h"
#include "framework/web/Timers.h"

using framework::ControlKind;
using framework::WindowImpl;
namespace dom = framework::web::dom;

namespace framework {

std::string WindowImpl::screenText() const {
    switch (kind) {
        case ControlKind::Edit: {
            const char unrepresentable =
                foreign == ForeignCharacters::PassAsForeignByte ? kForeignByte : '?';
            return dom::Value(element, unrepresentable);
        }
        case ControlKind::MultiLineEdit: {
            // A Windows edit box keeps "\r\n"; the screen shows line breaks.
            std::string shown;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    continue;
                }
                shown += text[i];
            }
            return shown;
        }
        default:
            return text;
    }
}

}  // namespace framework

void CWnd::SetWindowText(LPCSTR text) {
    if (m_impl == nullptr) {
        return;
    }
    const std::string bytes = text != nullptr ? text : "";
    m_impl->text = bytes;
    dom::SetText(m_impl->element, bytes);
}

void CWnd::GetWindowText(CString& text) const {
    if (m_impl == nullptr) {
        text.Empty();
        return;
    }
    if (m_impl->kind == ControlKind::Edit) {
        text = CString(std::string_view(m_impl->screenText()));
    } else {
        text = CString(std::string_view(m_impl->text));
    }
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (m_impl == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = m_impl->enabled ? FALSE : TRUE;
    m_impl->enabled = enable != FALSE;
    dom::SetState(m_impl->element, dom::State::Enabled, m_impl->enabled ? 1 : 0);
    if (!m_impl->enabled && m_impl->dialog != nullptr && m_impl->kind != ControlKind::Dialog) {
        m_impl->dialog->controlDisabled(*m_impl);
    }
    return wasDisabled;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_impl != nullptr && m_impl->dialog != nullptr && m_impl->kind != ControlKind::Dialog) {
        m_impl->dialog->setFocus(m_impl);
    }
    return previous;
}

CWnd* CWnd::GetFocus() {
    if (framework::web::openMenu() != nullptr || !framework::web::openMessageBoxes().empty()) {
        return nullptr;  // the focus is in the menu or the box, none of the program's windows
    }
    const auto& dialogs = framework::web::DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (!(*it)->ended()) {
            WindowImpl* focus = (*it)->focus();
            return focus != nullptr ? focus->wnd : nullptr;
        }
    }
    return nullptr;
}

DWORD CWnd::GetStyle() const {
    return m_impl != nullptr ? m_impl->style : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    if (m_impl == nullptr) {
        return FALSE;
    }
    const DWORD before = m_impl->style;
    m_impl->style = (before & ~remove) | add;
    if (m_impl->kind == ControlKind::PushButton) {
        // Only the look follows the bit: Enter keeps to the dialog's default id.
        dom::SetState(m_impl->element, dom::State::Default,
                      (m_impl->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0);
    }
    if ((before & WS_DISABLED) != (m_impl->style & WS_DISABLED)) {
        EnableWindow((m_impl->style & WS_DISABLED) == 0 ? TRUE : FALSE);
    }
    return before != m_impl->style ? TRUE : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_impl == nullptr) {
        return 0;
    }
    WindowImpl& impl = *m_impl;
    switch (message) {
        case EM_SETSEL:
            if (impl.kind == ControlKind::Edit) {
                dom::Select(impl.element, static_cast<int>(wParam),
                            lParam < 0 ? -1 : static_cast<int>(lParam));
            }
            return 0;
        case EM_SCROLLCARET:
            return 1;
        case EM_LIMITTEXT:
            impl.limit = static_cast<int>(wParam);
            dom::SetState(impl.element, dom::State::Limit, impl.limit);
            return 0;
        case BM_GETCHECK:
            return impl.kind == ControlKind::RadioButton && dom::Checked(impl.element)
                       ? BST_CHECKED
                       : BST_UNCHECKED;
        case BM_SETCHECK:
            if (impl.kind == ControlKind::RadioButton) {
                dom::SetState(impl.element, dom::State::Checked, wParam == BST_CHECKED ? 1 : 0);
            }
            return 0;
        case BM_SETSTYLE:
            ModifyStyle(BS_TYPEMASK, static_cast<DWORD>(wParam) & BS_TYPEMASK);
            return 0;
        case LB_ADDSTRING:
            if (impl.kind == ControlKind::ListBox) {
                const char* line = reinterpret_cast<const char*>(lParam);
                impl.lines.emplace_back(line != nullptr ? line : "");
                dom::AddLine(impl.element, impl.lines.back());
                return static_cast<LRESULT>(impl.lines.size()) - 1;
            }
            return -1;
        case LB_GETCOUNT:
            return impl.kind == ControlKind::ListBox ? static_cast<LRESULT>(impl.lines.size()) : 0;
        case LB_GETTEXT:
            if (impl.kind == ControlKind::ListBox && wParam < impl.lines.size()) {
                const std::string& line = impl.lines[wParam];
                std::copy(line.begin(), line.end(), reinterpret_cast<char*>(lParam));
                reinterpret_cast<char*>(lParam)[line.size()] = '\0';
                return static_cast<LRESULT>(line.size());
            }
            return -1;
        case WM_SETICON:
            if (impl.kind == ControlKind::Dialog) {
                if (const char* const* xpm = framework::web::iconImage(
                        reinterpret_cast<HICON>(lParam), wParam == ICON_SMALL ? 16 : 32)) {
                    if (wParam == ICON_SMALL) {
                        dom::SetIcon(impl.element, xpm);
                    }
                }
            }
            return 0;
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
    if (m_impl == nullptr || m_impl->kind != ControlKind::Dialog) {
        return nullptr;
    }
    return &m_impl->systemMenu;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    SendMessage(WM_SETICON, bigIcon != FALSE ? ICON_BIG : ICON_SMALL,
                reinterpret_cast<LPARAM>(icon));
    return nullptr;
}

BOOL CWnd::IsIconic() const {
    return m_impl != nullptr && m_impl->dialog != nullptr && m_impl->dialog->minimized() ? TRUE
                                                                                         : FALSE;
}

void CWnd::GetClientRect(RECT* rect) const {
    if (m_impl == nullptr) {
        *rect = {0, 0, 0, 0};
        return;
    }
    *rect = {0, 0, m_impl->width, m_impl->height};
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_SYSCOMMAND || m_impl == nullptr || m_impl->kind != ControlKind::Dialog) {
        return 0;
    }
    framework::web::DialogWindow& window = *m_impl->dialog;
    switch (static_cast<UINT>(wParam) & 0xFFF0) {
        case SC_MINIMIZE:
            if ((m_impl->style & WS_MINIMIZEBOX) != 0) {
                window.setMinimized(true);
            }
            break;
        case SC_RESTORE:
            window.setMinimized(false);
            break;
        case SC_MOVE:
            window.beginMove();
            break;
        case SC_CLOSE:
            DispatchMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            break;
        default:
            break;
    }
    return 0;
}
