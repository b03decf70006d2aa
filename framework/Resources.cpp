#include "framework/Resources.h"

namespace framework {
namespace {

const ResourceTable* g_override = nullptr;

const ResourceTable& resources() {
    return g_override != nullptr ? *g_override : ProgramResources();
}

}  // namespace

const DialogTemplate* FindDialogTemplate(UINT id) {
    for (const DialogTemplate& dialog : resources().dialogs) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

const char* FindString(UINT id) {
    for (const StringResource& string : resources().strings) {
        if (string.id == id) {
            return string.text;
        }
    }
    return nullptr;
}

const IconResource* FindIcon(UINT id) {
    for (const IconResource& icon : resources().icons) {
        if (icon.id == id) {
            return &icon;
        }
    }
    return nullptr;
}

const VersionResource& ProgramVersion() {
    return resources().version;
}

const char* ControlNameOf(int id) {
    for (const ControlName& control : resources().controlNames) {
        if (control.id == id) {
            return control.name;
        }
    }
    return nullptr;
}

bool ControlIdOf(const char* name, int& id) {
    for (const ControlName& control : resources().controlNames) {
        if (std::string_view(control.name) == name) {
            id = control.id;
            return true;
        }
    }
    return false;
}

void OverrideResources(const ResourceTable* table) {
    g_override = table;
}

int DefaultButtonId(const DialogTemplate& dialog) {
    for (const DialogItemTemplate& item : dialog.items) {
        const bool isButton = std::string_view(item.windowClass) == "BUTTON";
        if (isButton && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return item.id;
        }
    }
    return 0;
}

}  // namespace framework
