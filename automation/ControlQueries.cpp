// Reading single controls back, from the back end's snapshot of the open
// dialogs: the innermost dialog that has the control answers.
#include <optional>

#include "automation/Automation.h"

namespace automation {
namespace {

std::optional<ControlSnapshot> findControl(int id) {
    const std::vector<DialogSnapshot> dialogs = OpenDialogs();
    for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
        for (const ControlSnapshot& control : dialog->controls) {
            if (control.id == id) {
                return control;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::string TextUtf8(int id) {
    const auto control = findControl(id);
    return control ? control->text : std::string();
}

bool IsEnabled(int id) {
    const auto control = findControl(id);
    return control && control->enabled;
}

bool IsChecked(int id) {
    const auto control = findControl(id);
    return control && control->checked;
}

bool IsDefault(int id) {
    const auto control = findControl(id);
    return control && control->isDefault;
}

bool HasFocus(int id) {
    const auto control = findControl(id);
    return control && control->focus;
}

std::vector<std::string> ListLines(int id) {
    const auto control = findControl(id);
    return control ? control->lines : std::vector<std::string>();
}

}  // namespace automation
