#include "framework/Automation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "framework/CWinApp.h"
#include "framework/Resources.h"
#include "framework/qt/Application.h"
#include "framework/qt/DialogWindow.h"
#include "framework/qt/MessageBoxes.h"
#include "framework/qt/ModalHooks.h"
#include "framework/qt/Timers.h"
#include "framework/qt/Windows1252.h"
#include "framework/runtime/Spawn.h"

namespace framework::automation {
namespace {

using framework::qt::DialogWindow;

std::vector<framework::runtime::SpawnRecord>& processStarts() {
    static std::vector<framework::runtime::SpawnRecord> starts;
    return starts;
}

std::deque<std::function<void()>>& modalActions() {
    static std::deque<std::function<void()>> actions;
    return actions;
}

std::function<void()>& modalEndedAction() {
    static std::function<void()> action;
    return action;
}

std::function<void()>& unexpectedModal() {
    static std::function<void()> action;
    return action;
}

void onModalStarted() {
    auto& actions = modalActions();
    if (!actions.empty()) {
        std::function<void()> action = std::move(actions.front());
        actions.pop_front();
        Post(std::move(action));
    } else if (unexpectedModal()) {
        Post(unexpectedModal());
    }
}

QMessageBox* topMessageBox() {
    const auto& boxes = framework::qt::openMessageBoxes();
    return boxes.empty() ? nullptr : boxes.back().box.data();
}

// The dialog that takes input now: the last one opened, unless a message box
// or a menu lies over it.
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

// The innermost open dialog that has the control, for reading it back.
WindowImpl* findControl(int id) {
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (WindowImpl* control = (*it)->control(id)) {
            return control;
        }
    }
    return nullptr;
}

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
    QWidget* focus = window->focusWidget();
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
        widget->setFocus(Qt::MouseFocusReason);
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

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return "button";
        case ControlKind::RadioButton:
            return "radio";
        case ControlKind::GroupBox:
            return "group";
        case ControlKind::Edit:
            return "edit";
        case ControlKind::MultiLineEdit:
            return "multiline";
        case ControlKind::ListBox:
            return "listbox";
        case ControlKind::Icon:
            return "icon";
        case ControlKind::Static:
            return "static";
        case ControlKind::Dialog:
            return "dialog";
    }
    return "unknown";
}

const char* iconName(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return "error";
        case MB_ICONQUESTION:
            return "question";
        case MB_ICONEXCLAMATION:
            return "exclamation";
        case MB_ICONINFORMATION:
            return "information";
        default:
            return "none";
    }
}

QString utf8(const std::string& windows1252) {
    return framework::qt::fromWindows1252(windows1252);
}

bool focused(const WindowImpl& control) {
    QWidget* window = control.widget->window();
    return window->focusWidget() == control.widget;
}

// The offscreen platform reports what it cannot do (raise a window, grab
// the keyboard) at every dialog; that is expected here and only noise.
QtMessageHandler g_standardHandler = nullptr;

void quietHeadlessNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    if (g_standardHandler != nullptr) {
        g_standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

}  // namespace

void StartHeadless() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    if (g_standardHandler == nullptr) {
        g_standardHandler = qInstallMessageHandler(quietHeadlessNoise);
    }
    framework::qt::setManualTimers(true);
    framework::runtime::SetSpawnObserver(
        [](const framework::runtime::SpawnRecord& record) { processStarts().push_back(record); });
    framework::qt::ensureApplication();
    framework::qt::setModalHooks(onModalStarted, [] {
        if (modalEndedAction()) {
            Post(modalEndedAction());
        }
    });
}

void Post(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

void WhenModal(std::function<void()> action) {
    modalActions().push_back(std::move(action));
}

void OnUnexpectedModal(std::function<void()> unexpected) {
    unexpectedModal() = std::move(unexpected);
}

void AfterModalEnds(std::function<void()> action) {
    modalEndedAction() = std::move(action);
}

bool InnermostModalEnding() {
    return framework::qt::innermostModalFinished();
}

std::size_t PendingModalActions() {
    return modalActions().size();
}

void ClearModalActions() {
    modalActions().clear();
}

ActiveWindow Active() {
    ActiveWindow active;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        active.kind = ActiveWindow::Menu;
        for (QAction* action : menu->actions()) {
            active.items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
        }
        return active;
    }
    const auto& boxes = framework::qt::openMessageBoxes();
    if (!boxes.empty()) {
        active.kind = ActiveWindow::MessageBox;
        active.title = utf8(boxes.back().title).toStdString();
        active.text = utf8(boxes.back().text).toStdString();
        active.icon = boxes.back().type & MB_ICONMASK;
        return active;
    }
    if (DialogWindow* dialog = activeDialog()) {
        active.kind = ActiveWindow::Dialog;
        active.templateId = dialog->dialog().TemplateId();
        active.title = dialog->windowTitle().toStdString();
    }
    return active;
}

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
    edit->setFocus(Qt::MouseFocusReason);
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
    } else if (key == QLatin1String("Alt+Space")) {
        sendKey(target, Qt::Key_Space, Qt::AltModifier, QStringLiteral(" "));
    } else if (key.startsWith(QLatin1String("Alt+")) && key.size() == 5) {
        const QChar letter = key.at(4);
        sendKey(target, letter.toUpper().unicode(), Qt::AltModifier, QString(letter.toLower()));
    } else {
        return false;
    }
    return true;
}

void Tick(int ticks) {
    framework::qt::tickTimers(ticks);
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

bool HasControl(int id) {
    return findControl(id) != nullptr;
}

std::string Text(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return {};
    }
    CString text;
    control->wnd->GetWindowText(text);
    return text.bytes();
}

std::string TextUtf8(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? control->screenText().toStdString() : std::string();
}

bool IsEnabled(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr && control->widget->isEnabled();
}

bool IsVisible(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr && !control->widget->isHidden();
}

bool IsChecked(int id) {
    WindowImpl* control = findControl(id);
    auto* button = control != nullptr ? qobject_cast<QAbstractButton*>(control->widget) : nullptr;
    return button != nullptr && button->isChecked();
}

bool IsDefault(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr && control->kind == ControlKind::PushButton &&
           (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool HasFocus(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr && focused(*control);
}

bool HasSelectedAll(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::Edit) {
        return false;
    }
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    return edit->text().isEmpty() || edit->selectedText() == edit->text();
}

std::vector<std::string> ListLines(int id) {
    std::vector<std::string> lines;
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::ListBox) {
        return lines;
    }
    auto* list = static_cast<QListWidget*>(control->widget.data());
    for (int i = 0; i < list->count(); ++i) {
        lines.push_back(list->item(i)->text().toStdString());
    }
    return lines;
}

std::string AccessibleName(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? control->widget->accessibleName().toStdString() : std::string();
}

std::vector<std::pair<std::string, bool>> SystemMenuEntries() {
    std::vector<std::pair<std::string, bool>> entries;
    CWnd* main = AfxGetMainWnd();
    CMenu* menu = main != nullptr ? main->GetSystemMenu(FALSE) : nullptr;
    if (menu == nullptr) {
        return entries;
    }
    for (int i = 0; i < menu->itemCount(); ++i) {
        const CMenu::Item& item = menu->items()[i];
        entries.emplace_back(item.id == 0 ? "-" : utf8(item.text.bytes()).toStdString(),
                             item.enabled);
    }
    return entries;
}

bool ClockRunning() {
    return !framework::qt::runningTimers().empty();
}

int Beeps() {
    return framework::qt::beepCount();
}

std::vector<UINT> OpenDialogTemplates() {
    std::vector<UINT> ids;
    for (DialogWindow* dialog : DialogWindow::openDialogs()) {
        ids.push_back(dialog->dialog().TemplateId());
    }
    return ids;
}

Geometry ControlGeometry(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return {0, 0, 0, 0};
    }
    const QRect r = control->widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

Geometry DialogGeometry() {
    const auto& dialogs = DialogWindow::openDialogs();
    if (dialogs.empty()) {
        return {0, 0, 0, 0};
    }
    return {0, 0, dialogs.back()->width(), dialogs.back()->height()};
}

std::string FontFamily(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? QFontInfo(control->widget->font()).family().toStdString()
                              : std::string();
}

bool FontIsFixedPitch(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr && QFontInfo(control->widget->font()).fixedPitch();
}

std::string StateJson() {
    QJsonObject state;
    const ActiveWindow active = Active();
    QJsonObject activeJson;
    switch (active.kind) {
        case ActiveWindow::Dialog:
            activeJson[QStringLiteral("kind")] = QStringLiteral("dialog");
            activeJson[QStringLiteral("template")] = static_cast<int>(active.templateId);
            break;
        case ActiveWindow::MessageBox:
            activeJson[QStringLiteral("kind")] = QStringLiteral("messagebox");
            activeJson[QStringLiteral("title")] = QString::fromStdString(active.title);
            activeJson[QStringLiteral("text")] = QString::fromStdString(active.text);
            activeJson[QStringLiteral("icon")] = QString::fromLatin1(iconName(active.icon));
            break;
        case ActiveWindow::Menu: {
            activeJson[QStringLiteral("kind")] = QStringLiteral("menu");
            QJsonArray items;
            for (const std::string& item : active.items) {
                items.append(QString::fromStdString(item));
            }
            activeJson[QStringLiteral("items")] = items;
            break;
        }
        case ActiveWindow::None:
            activeJson[QStringLiteral("kind")] = QStringLiteral("none");
            break;
    }
    state[QStringLiteral("active")] = activeJson;

    QJsonArray dialogs;
    for (DialogWindow* dialog : DialogWindow::openDialogs()) {
        QJsonObject dialogJson;
        dialogJson[QStringLiteral("template")] = static_cast<int>(dialog->dialog().TemplateId());
        dialogJson[QStringLiteral("title")] = dialog->windowTitle();
        QJsonArray controls;
        for (const auto& control : dialog->controls()) {
            QJsonObject c;
            c[QStringLiteral("id")] = control->id;
            if (const char* name = ControlNameOf(control->id);
                name != nullptr && control->id != -1) {
                c[QStringLiteral("name")] = QString::fromLatin1(name);
            }
            c[QStringLiteral("kind")] = QString::fromLatin1(kindName(control->kind));
            c[QStringLiteral("text")] = control->screenText();
            c[QStringLiteral("enabled")] = control->widget->isEnabled();
            c[QStringLiteral("visible")] = !control->widget->isHidden();
            auto* button = qobject_cast<QAbstractButton*>(control->widget);
            c[QStringLiteral("checked")] = button != nullptr && button->isChecked();
            c[QStringLiteral("default")] = control->kind == ControlKind::PushButton &&
                                           (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            c[QStringLiteral("focus")] = focused(*control);
            if (control->kind == ControlKind::ListBox) {
                QJsonArray lines;
                auto* list = static_cast<QListWidget*>(control->widget.data());
                for (int i = 0; i < list->count(); ++i) {
                    lines.append(list->item(i)->text());
                }
                c[QStringLiteral("lines")] = lines;
            }
            controls.append(c);
        }
        dialogJson[QStringLiteral("controls")] = controls;
        dialogs.append(dialogJson);
    }
    state[QStringLiteral("dialogs")] = dialogs;
    QJsonArray starts;
    for (const framework::runtime::SpawnRecord& record : processStarts()) {
        QJsonObject start;
        start[QStringLiteral("program")] = QString::fromLocal8Bit(record.program.c_str());
        QJsonArray arguments;
        for (const std::string& argument : record.arguments) {
            arguments.append(QString::fromLocal8Bit(argument.c_str()));
        }
        start[QStringLiteral("arguments")] = arguments;
        start[QStringLiteral("result")] =
            record.result == -1 ? QStringLiteral("failed") : QStringLiteral("started");
        if (record.result == -1) {
            start[QStringLiteral("error")] = QString::fromLocal8Bit(std::strerror(record.error));
        }
        starts.append(start);
    }
    state[QStringLiteral("processes")] = starts;
    state[QStringLiteral("clock")] = ClockRunning();
    state[QStringLiteral("beeps")] = Beeps();
    return QJsonDocument(state).toJson(QJsonDocument::Compact).toStdString();
}

bool SaveScreenshot(const std::string& path) {
    QWidget* window = QApplication::activePopupWidget();
    if (window == nullptr) {
        window = topMessageBox();
    }
    if (window == nullptr) {
        window = activeDialog();
    }
    if (window == nullptr) {
        return false;
    }
    return window->grab().save(QString::fromStdString(path), "PNG");
}

}  // namespace framework::automation
