// CWnd and the control classes on Qt widgets.
#include "framework/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include "framework/qt/DialogWindow.h"
#include "framework/qt/Icons.h"
#include "framework/qt/Timers.h"
#include "framework/qt/Windows1252.h"

using framework::ControlKind;
using framework::WindowImpl;
using framework::qt::fromWindows1252;

namespace {

const char* kImplProperty = "lexodromWindow";

// Win32 edit boxes keep "\r\n" as it is; Qt's text document uses "\n" and
// gives it back as "\n", so the line ends cross the boundary here.
QString toDocumentText(const QString& text) {
    QString converted = text;
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

std::string bytesOf(const WindowImpl& impl, const QString& text) {
    const char unrepresentable = impl.foreign == framework::ForeignCharacters::PassAsForeignByte
                                     ? framework::kForeignByte
                                     : '?';
    QString windowsText = text;
    if (impl.kind == ControlKind::MultiLineEdit) {
        windowsText.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    return framework::qt::toWindows1252(windowsText, unrepresentable);
}

}  // namespace

namespace framework {

WindowImpl* WindowImpl::of(const QWidget* widget) {
    if (widget == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<WindowImpl*>(widget->property(kImplProperty).value<quintptr>());
}

QString WindowImpl::screenText() const {
    switch (kind) {
        case ControlKind::Edit:
            return static_cast<QLineEdit*>(widget.data())->text();
        case ControlKind::MultiLineEdit:
            return static_cast<QPlainTextEdit*>(widget.data())->toPlainText();
        case ControlKind::Dialog:
            return widget->windowTitle();
        default:
            return widget->property("lexodromText").toString();
    }
}

void WindowImpl::tag() {
    widget->setProperty(kImplProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
}

}  // namespace framework

void CWnd::SetWindowText(LPCSTR text) {
    if (m_impl == nullptr || m_impl->widget == nullptr) {
        return;
    }
    const QString shown = fromWindows1252(text != nullptr ? text : "");
    QWidget* widget = m_impl->widget;
    switch (m_impl->kind) {
        case ControlKind::Edit:
            static_cast<QLineEdit*>(widget)->setText(shown);
            break;
        case ControlKind::MultiLineEdit: {
            // The program rewrites the transcript whole after every line. Where
            // the new text only adds to the old, only the addition goes in, so
            // that a screen reader is told the new lines, not the whole
            // transcript once more.
            auto* edit = static_cast<QPlainTextEdit*>(widget);
            const QString document = toDocumentText(shown);
            const QString before = edit->toPlainText();
            if (document.startsWith(before)) {
                QTextCursor end(edit->document());
                end.movePosition(QTextCursor::End);
                end.insertText(document.mid(before.size()));
            } else {
                edit->setPlainText(document);
            }
            break;
        }
        case ControlKind::Dialog:
            widget->setWindowTitle(shown);
            break;
        case ControlKind::PushButton:
        case ControlKind::RadioButton:
            static_cast<QAbstractButton*>(widget)->setText(shown);
            static_cast<QAbstractButton*>(widget)->setShortcut(QKeySequence());
            break;
        case ControlKind::Static:
            static_cast<QLabel*>(widget)->setText(shown);
            break;
        default:
            break;
    }
    widget->setProperty("lexodromText", shown);
}

void CWnd::GetWindowText(CString& text) const {
    if (m_impl == nullptr || m_impl->widget == nullptr) {
        text.Empty();
        return;
    }
    text = CString(std::string_view(bytesOf(*m_impl, m_impl->screenText())));
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (m_impl == nullptr || m_impl->widget == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = m_impl->widget->isEnabled() ? FALSE : TRUE;
    m_impl->widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_impl != nullptr && m_impl->widget != nullptr) {
        framework::qt::giveFocus(m_impl->widget, Qt::OtherFocusReason);
    }
    return previous;
}

CWnd* CWnd::GetFocus() {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        // Without an active window (Qt's offscreen platform) the focus lives on
        // in the window Qt would activate.
        if (QWidget* active = QApplication::activeModalWidget()) {
            focused = active->focusWidget();
        } else if (!framework::qt::DialogWindow::openDialogs().empty()) {
            focused = framework::qt::DialogWindow::openDialogs().back()->focusWidget();
        }
    }
    WindowImpl* impl = WindowImpl::of(focused);
    return impl != nullptr ? impl->wnd : nullptr;
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
    if (m_impl->kind == ControlKind::PushButton && m_impl->widget != nullptr) {
        // Only the look follows the bit: Enter keeps to the dialog's default id.
        static_cast<QPushButton*>(m_impl->widget.data())
            ->setDefault((m_impl->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    }
    if ((before & WS_DISABLED) != (m_impl->style & WS_DISABLED) && m_impl->widget != nullptr) {
        m_impl->widget->setEnabled((m_impl->style & WS_DISABLED) == 0);
    }
    return before != m_impl->style ? TRUE : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_impl == nullptr || m_impl->widget == nullptr) {
        return 0;
    }
    QWidget* widget = m_impl->widget;
    switch (message) {
        case EM_SETSEL:
            if (m_impl->kind == ControlKind::Edit) {
                auto* edit = static_cast<QLineEdit*>(widget);
                const int length = static_cast<int>(edit->text().size());
                const int start = static_cast<int>(wParam);
                const int end = lParam < 0 ? length : static_cast<int>(lParam);
                if (start == 0 && lParam < 0) {
                    edit->selectAll();
                } else if (static_cast<int>(wParam) < 0) {
                    edit->deselect();
                } else {
                    edit->setSelection(std::min(start, length),
                                       std::min(end, length) - std::min(start, length));
                }
            } else if (m_impl->kind == ControlKind::MultiLineEdit) {
                static_cast<QPlainTextEdit*>(widget)->selectAll();
            }
            return 0;
        case EM_SCROLLCARET:
            if (m_impl->kind == ControlKind::MultiLineEdit) {
                static_cast<QPlainTextEdit*>(widget)->ensureCursorVisible();
            }
            return 1;
        case EM_LIMITTEXT:
            m_impl->limit = static_cast<int>(wParam);
            return 0;
        case BM_GETCHECK:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
            }
            return BST_UNCHECKED;
        case BM_SETCHECK:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setChecked(wParam == BST_CHECKED);
            }
            return 0;
        case BM_SETSTYLE:
            ModifyStyle(BS_TYPEMASK, static_cast<DWORD>(wParam) & BS_TYPEMASK);
            return 0;
        case LB_ADDSTRING:
            if (m_impl->kind == ControlKind::ListBox) {
                auto* list = static_cast<QListWidget*>(widget);
                list->addItem(fromWindows1252(reinterpret_cast<const char*>(lParam)));
                return list->count() - 1;
            }
            return -1;
        case LB_GETCOUNT:
            return m_impl->kind == ControlKind::ListBox ? static_cast<QListWidget*>(widget)->count()
                                                        : 0;
        case LB_GETTEXT:
            if (m_impl->kind == ControlKind::ListBox) {
                const QListWidgetItem* item =
                    static_cast<QListWidget*>(widget)->item(static_cast<int>(wParam));
                if (item == nullptr) {
                    return -1;
                }
                const std::string bytes = framework::qt::toWindows1252(item->text(), '?');
                std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(lParam));
                reinterpret_cast<char*>(lParam)[bytes.size()] = '\0';
                return static_cast<LRESULT>(bytes.size());
            }
            return -1;
        case WM_SETICON:
            if (const QIcon* icon = framework::qt::iconOf(reinterpret_cast<HICON>(lParam))) {
                widget->window()->setWindowIcon(*icon);
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
    return m_impl != nullptr && m_impl->widget != nullptr && m_impl->widget->window()->isMinimized()
               ? TRUE
               : FALSE;
}

void CWnd::GetClientRect(RECT* rect) const {
    if (m_impl == nullptr || m_impl->widget == nullptr) {
        *rect = {0, 0, 0, 0};
        return;
    }
    *rect = {0, 0, m_impl->widget->width(), m_impl->widget->height()};
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_SYSCOMMAND || m_impl == nullptr || m_impl->widget == nullptr) {
        return 0;
    }
    QWidget* window = m_impl->widget->window();
    switch (static_cast<UINT>(wParam) & 0xFFF0) {
        case SC_MINIMIZE:
            if ((m_impl->style & WS_MINIMIZEBOX) != 0) {
                window->showMinimized();
            }
            break;
        case SC_RESTORE:
            window->showNormal();
            break;
        case SC_MOVE:
            if (m_impl->kind == ControlKind::Dialog) {
                m_impl->dialog->beginMove();
            }
            break;
        case SC_CLOSE:
            DispatchMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            break;
        default:
            break;
    }
    return 0;
}
