#include "framework/qt/DialogWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QValidator>

#include <algorithm>
#include <cstring>

#include "framework/AccessibleNames.h"
#include "framework/ModalHooks.h"
#include "framework/qt/DialogLayout.h"
#include "framework/qt/GroupBoxFrame.h"
#include "framework/qt/Icons.h"
#include "framework/qt/ListBoxItems.h"
#include "framework/qt/Timers.h"
#include "framework/qt/Windows1252.h"

namespace framework::qt {
namespace {

std::vector<DialogWindow*>& registry() {
    static std::vector<DialogWindow*> dialogs;
    return dialogs;
}

bool isClass(const DialogItemTemplate& item, const char* name) {
    return std::strcmp(item.windowClass, name) == 0;
}

// The text a control shows: Windows-1252 to Unicode, with the mnemonic '&'
// kept for buttons (Qt draws the underline) and resolved for labels.
QString labelText(const char* text, bool noPrefix) {
    QString shown = fromWindows1252(text != nullptr ? text : "");
    if (noPrefix) {
        return shown;
    }
    QString result;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == QLatin1Char('&') && i + 1 < shown.size()) {
            ++i;  // "&&" shows one ampersand, "&x" shows x
        }
        result.append(shown[i]);
    }
    return result;
}

// The mnemonic letter of a text ("&Neu" has N), or a null QChar.
QChar mnemonicOf(const char* text) {
    const QString shown = fromWindows1252(text != nullptr ? text : "");
    for (qsizetype i = 0; i + 1 < shown.size(); ++i) {
        if (shown[i] == QLatin1Char('&')) {
            if (shown[i + 1] == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return shown[i + 1].toUpper();
        }
    }
    return {};
}

// Keeps an edit box to the characters the player may type into it: no more
// than its limit (counted in characters, not UTF-16 units), and, for a box
// that refuses them, none that Windows-1252 cannot hold.
class EditValidator : public QValidator {
public:
    explicit EditValidator(WindowImpl& edit, QObject* parent) : QValidator(parent), edit_(edit) {}

    State validate(QString& input, int&) const override {
        if (edit_.limit > 0 && input.toUcs4().size() > edit_.limit) {
            return Invalid;
        }
        if (edit_.foreign == ForeignCharacters::Refuse && !isWindows1252(input)) {
            return Invalid;
        }
        return Acceptable;
    }

private:
    WindowImpl& edit_;
};

Qt::WindowFlags flagsFor(const DialogTemplate& t) {
    Qt::WindowFlags flags = (t.exStyle & WS_EX_APPWINDOW) != 0 ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((t.style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((t.style & WS_MINIMIZEBOX) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if ((t.style & WS_MAXIMIZEBOX) != 0) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

}  // namespace

DialogWindow::DialogWindow(CDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* owner)
    : QWidget(owner, flagsFor(dialogTemplate)), dialog_(dialog), template_(dialogTemplate) {
    self_ = std::make_unique<WindowImpl>(ControlKind::Dialog, 0, dialogTemplate.style,
                                         dialogTemplate.exStyle, this, &dialog, this);
    self_->tag();
    setWindowTitle(fromWindows1252(dialogTemplate.caption));
    setFont(dialogFont(dialogTemplate));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);

    const BaseUnits units = baseUnits(font());
    setFixedSize(toQRect(toPixels(units, 0, 0, dialogTemplate.cx, dialogTemplate.cy)).size());
    buildControls();
    nameControlsForAssistiveTechnology();
    defaultId_ = DefaultButtonId(dialogTemplate);

    // The standard entries of the system menu, as Windows makes them for a
    // dialog frame: all five window commands when the window has a minimise
    // or maximise box, else Move alone. The program appends its own.
    CMenu& menu = self_->systemMenu;
    const bool boxes = (dialogTemplate.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    if (boxes) {
        menu.AppendMenu(MF_STRING | MF_GRAYED, SC_RESTORE, "&Wiederherstellen");
    }
    menu.AppendMenu(MF_STRING, SC_MOVE, "&Verschieben");
    if (boxes) {
        // Every dialog has a fixed size.
        menu.AppendMenu(MF_STRING | MF_GRAYED, SC_SIZE,
                        "&Gr\xF6\xDF"
                        "e \xE4ndern");
        menu.AppendMenu(
            (dialogTemplate.style & WS_MINIMIZEBOX) != 0 ? MF_STRING : MF_STRING | MF_GRAYED,
            SC_MINIMIZE, "Mi&nimieren");
        menu.AppendMenu(
            (dialogTemplate.style & WS_MAXIMIZEBOX) != 0 ? MF_STRING : MF_STRING | MF_GRAYED,
            SC_MAXIMIZE, "Ma&ximieren");
    }
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, SC_CLOSE,
                    "&Schlie\xDF"
                    "en\tAlt+F4");

    qApp->installEventFilter(this);
    registry().push_back(this);
}

DialogWindow::~DialogWindow() {
    qApp->removeEventFilter(this);
    killTimersOf(self_.get());
    auto& dialogs = registry();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
    for (auto& control : controls_) {
        control->wnd->AttachImpl(nullptr);
    }
}

const std::vector<DialogWindow*>& DialogWindow::openDialogs() {
    return registry();
}

WindowImpl* DialogWindow::control(int id) const {
    for (const auto& control : controls_) {
        if (control->id == id) {
            return control.get();
        }
    }
    return nullptr;
}

void DialogWindow::buildControls() {
    const BaseUnits units = baseUnits(font());
    QButtonGroup* radioGroup = nullptr;
    QWidget* previousTabStop = nullptr;

    for (const DialogItemTemplate& item : template_.items) {
        std::unique_ptr<CWnd> object = std::make_unique<CWnd>();
        QWidget* widget = nullptr;
        ControlKind kind = ControlKind::Static;
        const DWORD type = item.style & BS_TYPEMASK;

        if ((item.style & WS_GROUP) != 0) {
            radioGroup = nullptr;  // a group start closes the radio group before it
        }
        if (isClass(item, "BUTTON") && type == BS_GROUPBOX) {
            kind = ControlKind::GroupBox;
            auto* box = new QGroupBox(labelText(item.text, false), this);
            drawFrameWithoutImagePlugins(*box);
            widget = box;
        } else if (isClass(item, "BUTTON") && type == BS_AUTORADIOBUTTON) {
            kind = ControlKind::RadioButton;
            auto* radio = new QRadioButton(fromWindows1252(item.text), this);
            radio->setShortcut(QKeySequence());  // mnemonics are the dialog's business
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(this);
            }
            radioGroup->addButton(radio);
            widget = radio;
        } else if (isClass(item, "BUTTON")) {
            kind = ControlKind::PushButton;
            auto* button = new QPushButton(fromWindows1252(item.text), this);
            button->setShortcut(QKeySequence());
            button->setAutoDefault(false);
            button->setDefault(type == BS_DEFPUSHBUTTON);
            widget = button;
        } else if (isClass(item, "EDIT") && (item.style & ES_MULTILINE) != 0) {
            kind = ControlKind::MultiLineEdit;
            auto* edit = new QPlainTextEdit(this);
            edit->setReadOnly((item.style & ES_READONLY) != 0);
            edit->setUndoRedoEnabled(!edit->isReadOnly());  // the program appends to it
            edit->setVerticalScrollBarPolicy(
                (item.style & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(true);
            widget = edit;
        } else if (isClass(item, "EDIT")) {
            kind = ControlKind::Edit;
            auto* edit = new QLineEdit(this);
            edit->setReadOnly((item.style & ES_READONLY) != 0);
            edit->setFrame((item.style & WS_BORDER) != 0 || (item.exStyle & WS_EX_STATICEDGE) != 0);
            widget = edit;
        } else if (isClass(item, "LISTBOX")) {
            kind = ControlKind::ListBox;
            auto* list = new QListWidget(this);
            list->setSortingEnabled((item.style & LBS_SORT) != 0);
            // A Windows list box shows its scroll bar only while the lines
            // do not fit.
            list->setVerticalScrollBarPolicy(
                (item.style & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            drawLinesAsWindowsDoes(*list);
            widget = list;
        } else if (isClass(item, "STATIC") && (item.style & SS_TYPEMASK) == SS_ICON) {
            kind = ControlKind::Icon;
            auto* label = new QLabel(this);
            label->setPixmap(iconPixmap(item.iconId, 32));
            widget = label;
        } else {
            auto* label = new QLabel(labelText(item.text, (item.style & SS_NOPREFIX) != 0), this);
            const bool right =
                (item.style & SS_TYPEMASK) == SS_RIGHT || (item.exStyle & WS_EX_RIGHT) != 0;
            label->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            widget = label;
        }
        widget->setProperty("lexodromText", fromWindows1252(item.text != nullptr ? item.text : ""));

        QRect rect = toQRect(toPixels(units, item.x, item.y, item.cx, item.cy));
        if (kind == ControlKind::Icon) {
            rect.setSize(QSize(32, 32));  // an icon static takes the icon's size
        }
        if (kind == ControlKind::Static) {
            auto* label = static_cast<QLabel*>(widget);
            const QFontMetrics metrics(font());
            if (rect.height() < 2 * metrics.height()) {
                // A one-line label: our fonts' hinting can make its text a few
                // pixels wider than on Windows, so it gets the room it needs
                // on its line instead of wrapping its last word out of sight.
                const int needed = metrics.horizontalAdvance(label->text()) + 2;
                if (needed > rect.width() && !label->alignment().testFlag(Qt::AlignRight)) {
                    rect.setWidth(needed);
                }
            } else {
                label->setWordWrap(true);
            }
        }
        widget->setGeometry(rect);
        widget->setEnabled((item.style & WS_DISABLED) == 0);
        widget->setVisible((item.style & WS_VISIBLE) != 0);

        const bool tabStop = (item.style & WS_TABSTOP) != 0;
        if (kind == ControlKind::Static || kind == ControlKind::Icon ||
            kind == ControlKind::GroupBox) {
            widget->setFocusPolicy(Qt::NoFocus);
        } else {
            widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        }
        if (tabStop) {
            if (previousTabStop != nullptr) {
                setTabOrder(previousTabStop, widget);
            }
            previousTabStop = widget;
        }

        auto impl = std::make_unique<WindowImpl>(kind, item.id, item.style, item.exStyle, widget,
                                                 object.get(), this);
        impl->foreign = item.foreign;
        impl->tag();
        object->AttachImpl(impl.get());
        WindowImpl* raw = impl.get();
        if (kind == ControlKind::Edit) {
            static_cast<QLineEdit*>(widget)->setValidator(new EditValidator(*raw, widget));
        }
        if (kind == ControlKind::PushButton || kind == ControlKind::RadioButton) {
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                    [this, raw] { dispatchCommand(raw->id, BN_CLICKED); });
        }
        controls_.push_back(std::move(impl));
        controlObjects_.push_back(std::move(object));
    }
}

void DialogWindow::nameControlsForAssistiveTechnology() {
    const std::vector<std::string> names = AccessibleNames(template_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->widget->setAccessibleName(fromWindows1252(names[i]));
    }
}

void DialogWindow::focusFirstTabStop() {
    for (const auto& control : controls_) {
        QWidget* w = control->widget;
        if ((control->style & WS_TABSTOP) != 0 && w->isEnabled() && !w->isHidden()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

int DialogWindow::runModal() {
    if (parentWidget() != nullptr) {
        const QRect owner = parentWidget()->window()->geometry();
        move(owner.center() - rect().center());
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    if (ended_) {
        return result_;
    }
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    loop_ = &loop;
    notifyModalStarted([this] { return ended_; });
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    notifyModalEnded();
    hide();
    return result_;
}

void DialogWindow::endModal(int result) {
    result_ = result;
    ended_ = true;
    if (loop_ != nullptr) {
        loop_->exit(0);
    }
}

void DialogWindow::dispatchCommand(int id, UINT code) {
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code));
    WindowImpl* control = this->control(id);
    dialog_.DispatchMessage(WM_COMMAND, wParam,
                            control != nullptr ? reinterpret_cast<LPARAM>(control) : 0);
}

void DialogWindow::clickControl(WindowImpl& control) {
    auto* button = qobject_cast<QAbstractButton*>(control.widget);
    if (button == nullptr || !button->isEnabled() || button->isHidden()) {
        return;
    }
    button->click();  // checks an automatic radio button, then emits clicked
}

void DialogWindow::handleEnter() {
    WindowImpl* focused = WindowImpl::of(focusWidget());
    if (focused != nullptr && focused->dialog == this && focused->isPushButton()) {
        clickControl(*focused);
        return;
    }
    if (WindowImpl* target = control(defaultId_)) {
        clickControl(*target);
    }
}

void giveFocus(QWidget* control, Qt::FocusReason reason) {
    if (!control->window()->isMinimized()) {
        control->setFocus(reason);
    }
}

bool DialogWindow::handleMnemonic(QChar key) {
    const auto& items = template_.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        WindowImpl& control = *controls_[i];
        if (control.kind == ControlKind::Edit || control.kind == ControlKind::MultiLineEdit ||
            control.kind == ControlKind::ListBox || control.kind == ControlKind::Icon ||
            ((control.kind == ControlKind::Static) && (control.style & SS_NOPREFIX) != 0)) {
            continue;
        }
        if (mnemonicOf(items[i].text) != key.toUpper()) {
            continue;
        }
        if (!control.widget->isEnabled() || control.widget->isHidden()) {
            return true;
        }
        if (control.kind == ControlKind::PushButton || control.kind == ControlKind::RadioButton) {
            giveFocus(control.widget, Qt::ShortcutFocusReason);
            clickControl(control);
        } else {
            // A label's mnemonic moves the focus to the next control that takes it.
            for (std::size_t j = i + 1; j < controls_.size(); ++j) {
                QWidget* next = controls_[j]->widget;
                if (next->focusPolicy() != Qt::NoFocus && next->isEnabled() && !next->isHidden()) {
                    giveFocus(next, Qt::ShortcutFocusReason);
                    break;
                }
            }
        }
        return true;
    }
    return false;
}

void DialogWindow::refreshSystemMenu() {
    // Restore and Minimize follow the window's state, as Windows sets them
    // each time the menu opens; what the program changed stays as it is.
    CMenu& menu = self_->systemMenu;
    const bool minimised = isMinimized();
    menu.EnableMenuItem(SC_RESTORE, minimised || isMaximized() ? MF_ENABLED : MF_GRAYED);
    menu.EnableMenuItem(SC_MINIMIZE, (template_.style & WS_MINIMIZEBOX) != 0 && !minimised
                                         ? MF_ENABLED
                                         : MF_GRAYED);
}

bool DialogWindow::beginMove() {
    // Wayland lets no program place its own window.
    if (moving_ || isMinimized() || isMaximized() ||
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return false;
    }
    moving_ = true;
    moveOrigin_ = pos();
    pointerAnchored_ = false;
    trackedMouse_ = hasMouseTracking();
    setMouseTracking(true);  // the pointer moves the window with no button down
    grabKeyboard();
    grabMouse(Qt::SizeAllCursor);
    return true;
}

void DialogWindow::endMove(bool keep) {
    if (!keep) {
        move(moveOrigin_);
    }
    moving_ = false;
    releaseMouse();
    releaseKeyboard();
    setMouseTracking(trackedMouse_);
}

// While the window is being moved, the arrow keys move it by eight pixels
// and the mouse drags it; Enter or a click leaves it where it is, Escape puts
// it back. Nothing reaches the controls meanwhile.
bool DialogWindow::handleMoveInput(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            constexpr int kStep = 8;
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_Left:
                    move(pos() + QPoint(-kStep, 0));
                    break;
                case Qt::Key_Right:
                    move(pos() + QPoint(kStep, 0));
                    break;
                case Qt::Key_Up:
                    move(pos() + QPoint(0, -kStep));
                    break;
                case Qt::Key_Down:
                    move(pos() + QPoint(0, kStep));
                    break;
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    endMove(true);
                    break;
                case Qt::Key_Escape:
                    endMove(false);
                    break;
                default:
                    break;
            }
            return true;
        }
        case QEvent::MouseMove: {
            const QPoint pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (pointerAnchored_) {
                move(pos() + pointer - pointerAnchor_);
            }
            pointerAnchor_ = pointer;
            pointerAnchored_ = true;
            return true;
        }
        case QEvent::MouseButtonPress:
            endMove(true);
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::WindowDeactivate:
            endMove(true);
            return false;
        default:
            return false;
    }
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (moving_ && widget->window() == this) {
        return handleMoveInput(event);
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    if (widget->window() != this || QApplication::activePopupWidget() != nullptr) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        handleEnter();
        return true;
    }
    if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        dispatchCommand(IDCANCEL, BN_CLICKED);
        return true;
    }
    if (modifiers == Qt::AltModifier && key->key() == Qt::Key_Space) {
        openSystemMenu(mapToGlobal(QPoint(0, 0)));
        return true;
    }
    if (modifiers == Qt::AltModifier && key->key() == Qt::Key_F4) {
        dialog_.DispatchMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    if (modifiers == Qt::NoModifier && !key->text().isEmpty() && key->text().at(0).isPrint() &&
        !key->text().at(0).isSpace()) {
        // A control that takes no characters leaves them to the dialog, where
        // a mnemonic letter works without Alt, as on Windows.
        const WindowImpl* focus = WindowImpl::of(widget);
        if (focus != nullptr && focus->dialog == this &&
            (focus->kind == ControlKind::PushButton || focus->kind == ControlKind::RadioButton)) {
            return handleMnemonic(key->text().at(0));
        }
        return false;
    }
    if (modifiers == Qt::AltModifier && !key->text().isEmpty()) {
        return handleMnemonic(key->text().at(0));
    }
    if (modifiers == Qt::AltModifier && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
        return handleMnemonic(QChar(static_cast<char16_t>(key->key())));
    }
    return false;
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close button is the system menu's Close: the dialog decides.
    event->ignore();
    dialog_.DispatchMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    openSystemMenu(event->globalPos());
}

void DialogWindow::openSystemMenu(const QPoint& globalPosition) {
    if ((template_.style & WS_SYSMENU) == 0) {
        return;
    }
    refreshSystemMenu();
    QMenu menu(this);
    const CMenu& items = self_->systemMenu;
    UINT chosen = 0;
    for (int i = 0; i < items.itemCount(); ++i) {
        const CMenu::Item& item = items.items()[i];
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(fromWindows1252(item.text.bytes()));
        action->setEnabled(item.enabled);
        const UINT id = item.id;
        connect(action, &QAction::triggered, this, [&chosen, id] { chosen = id; });
    }
    notifyModalStarted([&menu] { return !menu.isVisible(); });
    menu.exec(globalPosition);
    notifyModalEnded();
    // The command goes out once the menu has closed and let go of the
    // keyboard, as Windows sends it after the menu's own loop.
    if (chosen != 0) {
        dialog_.DispatchMessage(WM_SYSCOMMAND, chosen, 0);
    }
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    dialog_.DispatchMessage(WM_PAINT, 0, 0);
    QWidget::paintEvent(event);
}

}  // namespace framework::qt
