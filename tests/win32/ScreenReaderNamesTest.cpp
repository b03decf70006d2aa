// The names a screen reader reads on Windows: what Active Accessibility
// finds by itself, and the naming rule's names for the controls it would
// name otherwise, in every one of the four dialogs.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on

#include <optional>
#include <string>
#include <vector>

#include "framework/AccessibleNames.h"
#include "framework/CDialog.h"
#include "framework/ModalHooks.h"
#include "framework/Resources.h"
#include "framework/win32/DialogWindow.h"
#include "framework/win32/ScreenReaderNames.h"
#include "framework/win32/Windows1252.h"
#include "res/resource.h"

namespace {

using framework::DialogTemplate;
using framework::win32::AccessibleNamesToSet;
using framework::win32::DefaultAccessibleName;

const UINT kTemplates[] = {IDD_ABOUTBOX, IDD_MAIN, IDD_SCORES, IDD_NAME};

const DialogTemplate& templateOf(UINT id) {
    const DialogTemplate* dialog = framework::FindDialogTemplate(id);
    EXPECT_NE(dialog, nullptr);
    return *dialog;
}

// What oleacc answers for the window by itself: S_OK and the name, or the
// failure; "" for S_FALSE (no name).
struct OleaccAnswer {
    HRESULT result;
    std::string name;  // Windows-1252
};

OleaccAnswer askOleacc(HWND hwnd) {
    IAccessible* accessible = nullptr;
    HRESULT result =
        AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&accessible));
    if (FAILED(result) || accessible == nullptr) {
        return {result, {}};
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    result = accessible->get_accName(self, &name);
    std::string bytes =
        name != nullptr ? framework::win32::toWindows1252(name, '?') : std::string();
    SysFreeString(name);
    accessible->Release();
    return {result, bytes};
}

// Runs `check` on the real dialog of template `id` while it is open.
template <typename Check>
void withOpenDialog(UINT id, Check check) {
    CDialog dialog(id);
    framework::setModalHooks(
        [&] {
            check(*dialog.Impl()->dialog);
            dialog.EndDialog(IDOK);
        },
        [] {});
    dialog.DoModal();
    framework::setModalHooks(nullptr, nullptr);
}

}  // namespace

// In the open dialogs every control carries the rule's name, handed to the
// property service where Windows' own name differs; and our account of
// Windows' own names must be what oleacc itself answers, wherever it answers
// for the control's class. Wine's property service is a stub (E_NOTIMPL),
// so there oleacc still gives its own names for the boxes.
TEST(ScreenReaderNames, ControlsCarryTheRulesNamesAndOleaccAgreesWithTheRest) {
    int asked = 0;
    for (UINT id : kTemplates) {
        const DialogTemplate& dialogTemplate = templateOf(id);
        const std::vector<std::string> rule = framework::AccessibleNames(dialogTemplate);
        withOpenDialog(id, [&](framework::win32::DialogWindow& dialog) {
            const auto& controls = dialog.controls();
            ASSERT_EQ(controls.size(), rule.size());
            for (std::size_t i = 0; i < controls.size(); ++i) {
                const auto& control = *controls[i];
                const auto expected = DefaultAccessibleName(dialogTemplate, i);
                EXPECT_EQ(control.accessibleName, rule[i]) << "template " << id << ", " << i;
                EXPECT_EQ(control.accessibleNameHandedOver, expected != std::optional(rule[i]));
                const OleaccAnswer answer = askOleacc(control.hwnd);
                if (control.accessibleNameHandedOver && control.accessibleNameResult == S_OK) {
                    EXPECT_EQ(answer.name, rule[i]);  // read back from the service
                } else if (expected && answer.result == S_OK) {
                    ++asked;
                    EXPECT_EQ(answer.name, *expected) << "template " << id << ", " << i;
                }
            }
        });
    }
    EXPECT_GT(asked, 8);
}

// Which label Active Accessibility finds for a box depends on the windows
// before it in the tab order (Wine's oleacc names the transcript by the
// letter prompt); the program names every box, and the icon, itself.
TEST(ScreenReaderNames, BoxesAndTheIconAreNamedByTheRule) {
    using Named = std::vector<std::pair<std::size_t, std::string>>;
    EXPECT_EQ(AccessibleNamesToSet(templateOf(IDD_MAIN)),
              (Named{{1,
                      "Schreibe einen Buchstaben, dann dr\xFC"
                      "cke oder klicke <Enter>:"},
                     {7, "Spielverlauf"},
                     {12, "Punkte"},
                     {16, "Wort"}}));
    EXPECT_EQ(AccessibleNamesToSet(templateOf(IDD_NAME)), (Named{{2,
                                                                  "Gib deinen Namen f\xFC"
                                                                  "r die Bestenliste ein:"}}));
    EXPECT_EQ(AccessibleNamesToSet(templateOf(IDD_SCORES)), (Named{{1, "Bestenliste"}}));
    // The icon's name is set too: Windows would read its resource number.
    EXPECT_EQ(AccessibleNamesToSet(templateOf(IDD_ABOUTBOX)), (Named{{0, ""}}));
}
