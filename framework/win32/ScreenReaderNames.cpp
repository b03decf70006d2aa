#include "framework/win32/ScreenReaderNames.h"

// clang-format off
#include <initguid.h>  // defines the property service's ids in this file
#include <oleacc.h>
// clang-format on

#include <cstring>

#include "framework/AccessibleNames.h"
#include "framework/win32/DialogWindow.h"
#include "framework/win32/Windows1252.h"

namespace framework::win32 {
namespace {

bool isClass(const DialogItemTemplate& item, const char* name) {
    return std::strcmp(item.windowClass, name) == 0;
}

bool isBox(const DialogItemTemplate& item) {
    return isClass(item, "EDIT") || isClass(item, "LISTBOX");
}

bool isIcon(const DialogItemTemplate& item) {
    return isClass(item, "STATIC") && (item.style & SS_TYPEMASK) == SS_ICON;
}

// Active Accessibility drops every "&" of a control's text.
std::string withoutAmpersands(const char* text) {
    std::string result = text != nullptr ? text : "";
    std::erase(result, '&');
    return result;
}

// The property service of this thread, made on first use; COM is started
// for it on the dialogs' thread. Null where the system has none.
IAccPropServices* propertyService() {
    static IAccPropServices* service = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccPropServices* made = nullptr;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&made)))) {
            made = nullptr;
        }
        return made;
    }();
    return service;
}

}  // namespace

std::optional<std::string> DefaultAccessibleName(const DialogTemplate& dialog, std::size_t index) {
    const DialogItemTemplate& item = dialog.items[index];
    if (isBox(item) || isIcon(item)) {
        return std::nullopt;
    }
    return withoutAmpersands(item.text);
}

std::vector<std::pair<std::size_t, std::string>> AccessibleNamesToSet(
    const DialogTemplate& dialog) {
    const std::vector<std::string> names = AccessibleNames(dialog);
    std::vector<std::pair<std::size_t, std::string>> toSet;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (DefaultAccessibleName(dialog, i) != names[i]) {
            toSet.emplace_back(i, names[i]);
        }
    }
    return toSet;
}

void NameControls(DialogWindow& dialog) {
    const DialogTemplate& dialogTemplate = dialog.dialogTemplate();
    const std::vector<std::string> names = AccessibleNames(dialogTemplate);
    const auto& controls = dialog.controls();
    for (std::size_t i = 0; i < controls.size() && i < names.size(); ++i) {
        controls[i]->accessibleName = names[i];
    }
    for (const auto& [index, name] : AccessibleNamesToSet(dialogTemplate)) {
        if (index >= controls.size()) {
            continue;
        }
        WindowImpl& control = *controls[index];
        control.accessibleNameHandedOver = true;
        if (IAccPropServices* service = propertyService()) {
            control.accessibleNameResult = service->SetHwndPropStr(
                control.hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                fromWindows1252(name).c_str());
        }
    }
}

void ForgetControlNames(DialogWindow& dialog) {
    IAccPropServices* service = propertyService();
    if (service == nullptr) {
        return;
    }
    MSAAPROPID name = PROPID_ACC_NAME;
    for (const auto& control : dialog.controls()) {
        if (control->accessibleNameHandedOver) {
            service->ClearHwndProps(control->hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    &name, 1);
        }
    }
}

}  // namespace framework::win32
