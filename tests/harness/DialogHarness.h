// Window tests run the real dialogs on Qt's offscreen platform: a script runs
// inside the dialog's own modal loop, acts as a player would through
// automation/Automation.h, and answers the modal boxes that handlers open.
#pragma once

#include <functional>
#include <string>

#include "automation/Automation.h"
#include "framework/CDialog.h"

namespace harness {

namespace ui = automation;

// Runs `dialog` modally; `script` runs inside its loop once it is open. A
// dialog still open when the script ends is ended with IDCANCEL, and the test
// fails. Returns what DoModal returned.
INT_PTR Run(CDialog& dialog, const std::function<void()>& script);

// What a message box showed.
struct SeenBox {
    bool shown = false;
    std::string title;  // UTF-8
    std::string text;   // UTF-8
    UINT icon = 0;
    int ticksWhileOpen = 0;
};

// The next modal window must be a message box: record it, then press OK.
void ExpectMessageBox(SeenBox& seen);

// The next modal window must be the dialog `templateId`: run `script` inside
// it (it must end the dialog, e.g. by clicking OK).
void ExpectDialog(UINT templateId, const std::function<void()>& script);

}  // namespace harness
