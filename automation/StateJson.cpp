// The state line of the driver protocol (docs/driver.md), made from the back
// end's snapshots, so that every back end answers `state` in the same bytes.
#include <string>

#include "automation/Automation.h"
#include "automation/Json.h"
#include "framework/Resources.h"
#include "framework/runtime/ErrorText.h"

namespace automation {
namespace {

const char* kindName(framework::ControlKind kind) {
    switch (kind) {
        case framework::ControlKind::PushButton:
            return "button";
        case framework::ControlKind::RadioButton:
            return "radio";
        case framework::ControlKind::GroupBox:
            return "group";
        case framework::ControlKind::Edit:
            return "edit";
        case framework::ControlKind::MultiLineEdit:
            return "multiline";
        case framework::ControlKind::ListBox:
            return "listbox";
        case framework::ControlKind::Icon:
            return "icon";
        case framework::ControlKind::Static:
            return "static";
        case framework::ControlKind::Dialog:
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

json::Array stringArray(const std::vector<std::string>& strings) {
    return json::Array(strings.begin(), strings.end());
}

json::Object activeJson(const ActiveWindow& active) {
    json::Object object;
    switch (active.kind) {
        case ActiveWindow::Dialog:
            object.Set("kind", "dialog");
            object.Set("template", static_cast<int>(active.templateId));
            break;
        case ActiveWindow::MessageBox:
            object.Set("kind", "messagebox");
            object.Set("title", active.title);
            object.Set("text", active.text);
            object.Set("icon", iconName(active.icon));
            break;
        case ActiveWindow::Menu:
            object.Set("kind", "menu");
            object.Set("items", stringArray(active.items));
            break;
        case ActiveWindow::None:
            object.Set("kind", "none");
            break;
    }
    return object;
}

json::Object controlJson(const ControlSnapshot& control) {
    json::Object object;
    object.Set("id", control.id);
    if (const char* name = framework::ControlNameOf(control.id);
        name != nullptr && control.id != -1) {
        object.Set("name", name);
    }
    object.Set("kind", kindName(control.kind));
    object.Set("text", control.text);
    object.Set("enabled", control.enabled);
    object.Set("visible", control.visible);
    object.Set("checked", control.checked);
    object.Set("default", control.isDefault);
    object.Set("focus", control.focus);
    if (control.kind == framework::ControlKind::ListBox) {
        object.Set("lines", stringArray(control.lines));
    }
    return object;
}

json::Object dialogJson(const DialogSnapshot& dialog) {
    json::Array controls;
    for (const ControlSnapshot& control : dialog.controls) {
        controls.emplace_back(controlJson(control));
    }
    json::Object object;
    object.Set("template", static_cast<int>(dialog.templateId));
    object.Set("title", dialog.title);
    object.Set("controls", std::move(controls));
    return object;
}

// Program names and arguments are bytes in the process's locale. They are
// shown as UTF-8, as the state line has always shown them: a byte-order mark
// at the start dropped, and each byte that is no UTF-8 (a name in a Latin-1
// locale) as U+FFFD, which the writer does.
std::string localText(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    return text;
}

json::Object processJson(const framework::runtime::SpawnRecord& record) {
    json::Array arguments;
    for (const std::string& argument : record.arguments) {
        arguments.emplace_back(localText(argument));
    }
    json::Object object;
    object.Set("program", localText(record.program));
    object.Set("arguments", std::move(arguments));
    object.Set("result", record.result == -1 ? "failed" : "started");
    if (record.result == -1) {
        // The text the error box shows: the runtime's, the same in every locale.
        object.Set("error", framework::runtime::ErrorText(record.error));
    }
    return object;
}

}  // namespace

std::string StateJson() {
    const ActiveWindow active = Active();
    json::Array dialogs;
    for (const DialogSnapshot& dialog : OpenDialogs()) {
        dialogs.emplace_back(dialogJson(dialog));
    }
    json::Array processes;
    for (const framework::runtime::SpawnRecord& record : ProcessStarts()) {
        processes.emplace_back(processJson(record));
    }
    json::Object state;
    state.Set("active", activeJson(active));
    state.Set("dialogs", std::move(dialogs));
    state.Set("processes", std::move(processes));
    state.Set("clock", ClockRunning());
    state.Set("beeps", Beeps());
    return json::Write(state);
}

}  // namespace automation
