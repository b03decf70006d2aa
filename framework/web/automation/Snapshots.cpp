// What the page's windows show, read into plain snapshots for automation:
// the active window, every open dialog with its controls, and what the page
// knows beyond that (selection, accessible names, geometry, fonts).
#include <emscripten.h>

#include "automation/Backend.h"
#include "framework/CWinApp.h"
#include "framework/web/DialogLayout.h"
#include "framework/web/DialogWindow.h"
#include "framework/web/Dom.h"
#include "framework/web/Events.h"
#include "framework/web/MessageBoxes.h"
#include "framework/web/Timers.h"
#include "framework/web/Windows1252.h"

EM_ASYNC_JS(int, lexodromShot, (const char* path),
            { return await LexodromPage.shot(UTF8ToString(path)); });

namespace automation {
namespace {

using framework::ControlKind;
using framework::WindowImpl;
using framework::web::DialogWindow;
using framework::web::FromWindows1252;

WindowImpl* findControl(int id) {
    const auto& dialogs = DialogWindow::openDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (WindowImpl* control = (*it)->control(id)) {
            return control;
        }
    }
    return nullptr;
}

ControlSnapshot snapshotOf(const WindowImpl& control) {
    ControlSnapshot snapshot;
    snapshot.id = control.id;
    snapshot.kind = control.kind;
    // An edit box shows what was typed, also what its code page cannot hold.
    snapshot.text = control.kind == ControlKind::Edit
                        ? framework::web::dom::ScreenValue(control.element)
                        : FromWindows1252(control.screenText());
    snapshot.enabled = control.enabled;
    snapshot.visible = control.visible;
    snapshot.checked =
        control.kind == ControlKind::RadioButton && framework::web::dom::Checked(control.element);
    snapshot.isDefault = control.kind == ControlKind::PushButton &&
                         (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    // Windows focuses no control of a minimised window.
    snapshot.focus = control.dialog->focus() == &control && !control.dialog->minimized();
    for (const std::string& line : control.lines) {
        snapshot.lines.push_back(FromWindows1252(line));
    }
    snapshot.geometry = {control.left, control.top, control.width, control.height};
    return snapshot;
}

}  // namespace

ActiveWindow Active() {
    ActiveWindow active;
    if (const framework::web::OpenMenu* menu = framework::web::openMenu()) {
        active.kind = ActiveWindow::Menu;
        for (const CMenu::Item* item : menu->items) {
            active.items.push_back(item->id == 0 ? "-" : FromWindows1252(item->text.bytes()));
        }
        return active;
    }
    const auto& boxes = framework::web::openMessageBoxes();
    if (!boxes.empty()) {
        active.kind = ActiveWindow::MessageBox;
        active.title = FromWindows1252(boxes.back()->title);
        active.text = FromWindows1252(boxes.back()->text);
        active.icon = boxes.back()->type & MB_ICONMASK;
        return active;
    }
    if (DialogWindow* dialog = framework::web::activeDialog()) {
        active.kind = ActiveWindow::Dialog;
        active.templateId = dialog->dialog().TemplateId();
        active.title = FromWindows1252(dialog->self()->text);
    }
    return active;
}

std::vector<DialogSnapshot> OpenDialogs() {
    std::vector<DialogSnapshot> dialogs;
    for (DialogWindow* dialog : DialogWindow::openDialogs()) {
        DialogSnapshot snapshot;
        snapshot.templateId = dialog->dialog().TemplateId();
        snapshot.title = FromWindows1252(dialog->self()->text);
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
    return control != nullptr && control->kind == ControlKind::Edit &&
           framework::web::dom::SelectedAll(control->element);
}

std::string AccessibleName(int id) {
    WindowImpl* control = findControl(id);
    return control != nullptr ? FromWindows1252(control->accessibleName) : std::string();
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
        entries.emplace_back(item.id == 0 ? "-" : FromWindows1252(item.text.bytes()), item.enabled);
    }
    return entries;
}

bool ClockRunning() {
    return framework::anyTimerRunning();
}

int Beeps() {
    return framework::web::beepCount();
}

Geometry ControlGeometry(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return {0, 0, 0, 0};
    }
    return {control->left, control->top, control->width, control->height};
}

Geometry DialogGeometry() {
    const auto& dialogs = DialogWindow::openDialogs();
    if (dialogs.empty()) {
        return {0, 0, 0, 0};
    }
    const WindowImpl& self = *dialogs.back()->self();
    return {0, 0, self.width, self.height};
}

// The page's list box shows a scroll bar only when its lines do not fit and
// draws every line whole; the browser decides both.
bool VerticalScrollBarShown(int) {
    return false;
}

bool ListLineShownWhole(int id, int index) {
    WindowImpl* control = findControl(id);
    return control != nullptr && control->kind == ControlKind::ListBox && index >= 0 &&
           index < static_cast<int>(control->lines.size());
}

std::string FontFamily(int id) {
    WindowImpl* control = findControl(id);
    if (control == nullptr) {
        return {};
    }
    return framework::standInFont(control->dialog->dialogTemplate()).family;
}

bool FontIsFixedPitch(int id) {
    return FontFamily(id) == "Liberation Mono";
}

// The page draws the picture from the elements the player sees and stores it
// in the game's directory, where readFile finds it.
bool SaveScreenshot(const std::string& path) {
    return lexodromShot(path.c_str()) != 0;
}

}  // namespace automation
