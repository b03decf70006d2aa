// Input to the Qt back end's windows, sent as the window system would send
// a player's mouse and keyboard.
#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/qt/Timers.h"
#include "framework/qt/automation/ActiveWindows.h"

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::qt::DialogWindow;
using framework::qt::automation::activeDialog;
using framework::qt::automation::topMessageBox;

QWidget* inputTarget() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    QWidget* window = topMessageBox();
    if (window == nullptr) {
        window = activeDialog();
    }
    if (window == nullptr) {
        return nullptr;
    }
    QWidget* focus = window->isMinimized() ? nullptr : window->focusWidget();
    return focus != nullptr ? focus : window;
}

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (QApplication::activePopupWidget() == nullptr && target != nullptr) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
    }
}

void mouseClick(QWidget* widget) {
    // Qt focuses on click only for events from the window system.
    if ((widget->focusPolicy() & Qt::ClickFocus) != 0) {
        framework::qt::giveFocus(widget, Qt::MouseFocusReason);
    }
    const QPointF local(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

}  // namespace

bool Click(int id) {
    if (QMessageBox* box = topMessageBox()) {
        if (id != IDOK || QApplication::activePopupWidget() != nullptr) {
            return false;
        }
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok == nullptr) {
            return false;
        }
        mouseClick(ok);
        return true;
    }
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || !control->widget->isEnabled() || !control->widget->isVisible()) {
        return false;
    }
    mouseClick(control->widget);
    return true;
}

bool SetText(int id, std::string_view text) {
    DialogWindow* dialog = activeDialog();
    WindowImpl* control = dialog != nullptr ? dialog->control(id) : nullptr;
    if (control == nullptr || control->kind != ControlKind::Edit || !control->widget->isEnabled() ||
        !control->widget->isVisible()) {
        return false;
    }
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    if (edit->isReadOnly()) {
        return false;
    }
    framework::qt::giveFocus(edit, Qt::MouseFocusReason);
    edit->selectAll();
    const QString typed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (typed.isEmpty()) {
        sendKey(edit, Qt::Key_Delete, Qt::NoModifier, QString());
        return true;
    }
    for (char32_t c : typed.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        sendKey(edit, Qt::Key_unknown, Qt::NoModifier, character);
    }
    return true;
}

bool PressKey(std::string_view name) {
    QWidget* target = inputTarget();
    if (target == nullptr) {
        return false;
    }
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (key == QLatin1String("Enter")) {
        sendKey(target, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    } else if (key == QLatin1String("Escape")) {
        sendKey(target, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    } else if (key == QLatin1String("Tab")) {
        sendKey(target, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    } else if (key == QLatin1String("Space")) {
        sendKey(target, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    } else if (key == QLatin1String("Left")) {
        sendKey(target, Qt::Key_Left, Qt::NoModifier, QString());
    } else if (key == QLatin1String("Right")) {
        sendKey(target, Qt::Key_Right, Qt::NoModifier, QString());
    } else if (key == QLatin1String("Up")) {
        sendKey(target, Qt::Key_Up, Qt::NoModifier, QString());
    } else if (key == QLatin1String("Down")) {
        sendKey(target, Qt::Key_Down, Qt::NoModifier, QString());
    } else if (key == QLatin1String("Alt+Space")) {
        sendKey(target, Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
    } else if (key == QLatin1String("Alt+F4")) {
        sendKey(target, Qt::Key_F4, Qt::AltModifier, QString());
    } else if (key.startsWith(QLatin1String("Alt+")) && key.size() == 5) {
        const QChar letter = key.at(4);
        sendKey(target, letter.toUpper().unicode(), Qt::AltModifier, QString(letter.toLower()));
    } else if (key.size() == 1 && key.at(0).isLetter()) {
        const QChar letter = key.at(0);
        sendKey(target, letter.toUpper().unicode(), Qt::NoModifier, QString(letter));
    } else {
        return false;
    }
    return true;
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
    dialog->close();  // the window system's close request
    return true;
}

bool RightClickEmptyArea() {
    DialogWindow* dialog = activeDialog();
    if (dialog == nullptr) {
        return false;
    }
    const QPoint local(2, dialog->height() - 2);  // the bottom-left corner holds no control
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, dialog->mapToGlobal(local));
    QApplication::sendEvent(dialog, &event);
    return true;
}

bool MovePointer(int dx, int dy) {
    QWidget* target = QWidget::mouseGrabber();
    if (target == nullptr) {
        target = activeDialog();
    }
    if (target == nullptr) {
        return false;
    }
    static QPoint pointer = target->mapToGlobal(target->rect().center());
    pointer += QPoint(dx, dy);
    const QPointF global(pointer);
    QMouseEvent move(QEvent::MouseMove, target->mapFromGlobal(global), global, Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    return true;
}

bool ChooseMenuEntry(std::string_view text) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return false;
    }
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isEnabled() &&
            (action->text() == wanted ||
             QString(action->text()).remove(QLatin1Char('&')) == wanted)) {
            menu->close();
            action->trigger();
            return true;
        }
    }
    return false;
}

}  // namespace automation
