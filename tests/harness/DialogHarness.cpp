#include "tests/harness/DialogHarness.h"

#include <gtest/gtest.h>

#include "framework/CWinApp.h"

namespace harness {
namespace {

void failUnexpectedModal() {
    const ui::ActiveWindow active = ui::Active();
    ADD_FAILURE() << "a modal window opened that the test did not expect: " << active.title << " "
                  << active.text;
    if (!ui::PressKey("Escape")) {
        ui::Click(IDOK);
    }
}

}  // namespace

INT_PTR Run(CDialog& dialog, const std::function<void()>& script) {
    ui::StartHeadless();
    // The first dialog a test runs is the application's main window, as the
    // program's start-up makes it.
    CWinApp* app = AfxGetApp();
    const bool becomesMainWindow = app != nullptr && app->m_pMainWnd == nullptr;
    if (becomesMainWindow) {
        app->m_pMainWnd = &dialog;
    }
    ui::OnUnexpectedModal(failUnexpectedModal);
    bool scriptDone = false;
    // The script belongs to the dialog's own loop, not to a box it opens.
    ui::WhenModal([&] {
        script();
        scriptDone = true;
        if (dialog.Impl() != nullptr && ui::Active().kind == ui::ActiveWindow::Dialog &&
            ui::Active().templateId == dialog.TemplateId()) {
            ADD_FAILURE() << "the script left dialog " << dialog.TemplateId() << " open";
            dialog.EndDialog(IDCANCEL);
        }
    });
    const INT_PTR result = dialog.DoModal();
    EXPECT_TRUE(scriptDone) << "the dialog ended before its script ran";
    EXPECT_EQ(ui::PendingModalActions(), 0u) << "an expected modal window never opened";
    ui::ClearModalActions();  // keep the next test clean
    if (becomesMainWindow) {
        app->m_pMainWnd = nullptr;
    }
    return result;
}

void ExpectMessageBox(SeenBox& seen) {
    ui::WhenModal([&seen] {
        const ui::ActiveWindow active = ui::Active();
        if (active.kind != ui::ActiveWindow::MessageBox) {
            ADD_FAILURE() << "expected a message box, got window " << active.templateId;
            ui::PressKey("Escape");
            return;
        }
        seen.shown = true;
        seen.title = active.title;
        seen.text = active.text;
        seen.icon = active.icon;
        ui::Click(IDOK);
    });
}

void ExpectDialog(UINT templateId, const std::function<void()>& script) {
    ui::WhenModal([templateId, script] {
        const ui::ActiveWindow active = ui::Active();
        if (active.kind != ui::ActiveWindow::Dialog || active.templateId != templateId) {
            ADD_FAILURE() << "expected dialog " << templateId << ", got " << active.templateId
                          << " " << active.title;
            ui::PressKey("Escape");
            return;
        }
        script();
    });
}

}  // namespace harness
