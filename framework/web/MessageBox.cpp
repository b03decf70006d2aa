#include "framework/MessageBox.h"

#include <emscripten.h>

#include "framework/CWnd.h"
#include "framework/ModalHooks.h"
#include "framework/web/Dom.h"
#include "framework/web/EventLoop.h"
#include "framework/web/MessageBoxes.h"

EM_JS(void, lexodromReportEarlyBox, (const char* line),
      { LexodromPage.error(UTF8ToString(line)); });

namespace {

std::vector<framework::web::OpenMessageBox*> g_openBoxes;
int g_beeps = 0;

}  // namespace

namespace framework::web {

const std::vector<OpenMessageBox*>& openMessageBoxes() {
    return g_openBoxes;
}

int beepCount() {
    return g_beeps;
}

}  // namespace framework::web

// Before the program's main runs (the word list's start-up errors) nothing
// can wait for the player: the title and text go to the console's error
// stream, as without a display on Linux. From then on a box is a dialog of
// the page, and the call returns once the player has closed it.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    const std::string title = caption != nullptr ? caption : "";
    const std::string body = text != nullptr ? text : "";
    if (!framework::web::running()) {
        lexodromReportEarlyBox(framework::web::dom::Utf8(title + ": " + body).c_str());
        return IDOK;
    }
    framework::web::OpenMessageBox box{framework::web::dom::CreateMessageBox(title, body, type),
                                       title, body, type};
    g_openBoxes.push_back(&box);
    framework::notifyModalStarted([&box] { return box.closed; });
    framework::web::runUntil([&box] { return box.closed; });
    g_openBoxes.pop_back();
    framework::web::dom::Remove(box.element);
    framework::notifyModalEnded();
    return IDOK;
}

BOOL MessageBeep(UINT) {
    ++g_beeps;
    framework::web::dom::Beep();
    return TRUE;
}
