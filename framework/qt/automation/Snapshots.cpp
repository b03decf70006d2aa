// What the Qt back end's windows show, read into plain snapshots for
// automation: the active window, every open dialog with its controls, and
// the few things only a window system knows (selection, accessible names,
// geometry, fonts, pixels).
#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>

#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/qt/ListBoxItems.h"
#include "framework/qt/MessageBoxes.h"
#include "framework/qt/Timers.h"
#include "framework/qt/Windows1252.h"
#include "framework/qt/automation/ActiveWindows.h"

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::qt::DialogWindow;
using framework::qt::automation::activeDialog;
using framework::qt::automation::findControl;
using framework::qt::automation::focused;
using framework::qt::automation::topMessageBox;

std::string utf8(const std::string& windows1252) {
    return framework::qt::fromWindows1252(windows1252).toStdString();
}

ControlSnapshot snapshotOf(const WindowImpl& control) {
    ControlSnapshot snapshot;
    snapshot.id = control.id;
    snapshot.kind = control.kind;
    snapshot.text = control.screenText().toStdString();
    snapshot.enabled = control.widget->isEnabled();
    snapshot.visible = !control.widget->isHidden();
    auto* button = qobject_cast<QAbstractButton*>(control.widget);
    snapshot.checked = button != nullptr && button->isChecked();
    snapshot.isDefault = control.kind == ControlKind::PushButton &&
                         (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    snapshot.focus = focused(control);
    if (control.kind == ControlKind::ListBox) {
        auto* list = static_cast<QListWidget*>(control.widget.data());
        for (int i = 0; i < list->count(); ++i) {
            snapshot.lines.push_back(list->item(i)->text().toStdString());
        }
    }
    const QRect r = control.widget->geometry();
    snapshot.geometry = {r.x(), r.y(), r.width(), r.height()};
    if (auto* label = qobject_cast<QLabel*>(control.widget.data())) {
        snapshot.textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
    }
    return snapshot;
}

}  // namespace

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
        active.title = utf8(boxes.back().title);
        active.text = utf8(boxes.back().text);
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

std::vector<DialogSnapshot> OpenDialogs() {
    std::vector<DialogSnapshot> dialogs;
    for (DialogWindow* dialog : DialogWindow::openDialogs()) {
        DialogSnapshot snapshot;
        snapshot.templateId = dialog->dialog().TemplateId();
        snapshot.title = dialog->windowTitle().toStdString();
        for (const auto& control : dialog->controls()) {
            snapshot.controls.push_back(snapshotOf(*control));
        }
        dialogs.push_back(std::move(snapshot));
    }
    return dialogs;
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

bool HasSelectedAll(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::Edit) {
        return false;
    }
    auto* edit = static_cast<QLineEdit*>(control->widget.data());
    return edit->text().isEmpty() || edit->selectedText() == edit->text();
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
    main->Impl()->dialog->refreshSystemMenu();
    for (int i = 0; i < menu->itemCount(); ++i) {
        const CMenu::Item& item = menu->items()[i];
        entries.emplace_back(item.id == 0 ? "-" : utf8(item.text.bytes()), item.enabled);
    }
    return entries;
}

bool ClockRunning() {
    return framework::anyTimerRunning();
}

int Beeps() {
    return framework::qt::beepCount();
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
    const DialogWindow* dialog = dialogs.back();
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y(), dialog->width(), dialog->height()};
}

namespace {

QListWidget* listBox(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr || control->kind != ControlKind::ListBox) {
        return nullptr;
    }
    auto* list = static_cast<QListWidget*>(control->widget.data());
    // Lay out lines added since the last pass, and let the scroll bar follow
    // as the next turn of the event loop would.
    list->doItemsLayout();
    QCoreApplication::sendPostedEvents(list, QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(list, QEvent::LayoutRequest);
    return list;
}

}  // namespace

bool VerticalScrollBarShown(int id) {
    QListWidget* list = listBox(id);
    return list != nullptr && list->verticalScrollBar()->isVisible();
}

bool ListLineShownWhole(int id, int index) {
    QListWidget* list = listBox(id);
    if (list == nullptr || index < 0 || index >= list->count()) {
        return false;
    }
    // The viewport is what the frame and a shown scroll bar leave free.
    return list->viewport()->rect().contains(framework::qt::lineTextRect(*list, index));
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

}  // namespace automation
