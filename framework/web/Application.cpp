// The application object and the program's run on the page.
#include <emscripten.h>

#include "framework/CWinApp.h"
#include "framework/web/EventLoop.h"
#include "framework/web/Events.h"
#include "framework/web/Icons.h"

HICON CWinApp::LoadIcon(UINT id) const {
    return framework::web::loadIcon(id);
}

namespace framework {

void PrepareWindowSystem() {}

// The page has loaded the fonts and the files before main runs. A
// dialog-based program ends when InitInstance returns; the page is told, so
// that it can answer what waits for the program.
int RunApplication(int, char**) {
    web::setEventHandler(web::handleEvent);
    web::setRunning(true);
    // Whatever InitInstance returns, a page has no message loop of the
    // application's own to run: the dialogs ran theirs.
    CWinApp* app = AfxGetApp();
    const int code = app != nullptr ? 0 : 1;
    if (app != nullptr) {
        app->InitInstance();
    }
    web::setRunning(false);
    web::programEnded(code);
    return code;
}

}  // namespace framework
