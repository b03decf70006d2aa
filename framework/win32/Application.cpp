// The application object on Windows: the program's resources are compiled
// into it (icon 128, the version record), and the dialogs run on the thread
// that calls RunApplication.
#include "framework/CWinApp.h"

HICON CWinApp::LoadIcon(UINT id) const {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

namespace framework {

// Windows needs nothing made ahead.
void PrepareWindowSystem() {}

int RunApplication(int, char**) {
    if (AfxGetApp() == nullptr) {
        return 1;
    }
    if (AfxGetApp()->InitInstance() == FALSE) {
        return 0;  // a dialog-based program ends when its dialog ends
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace framework
