// The application object on Windows: the program's resources are compiled
// into it (icon 128, the version record), and the dialogs run on the thread
// that calls RunApplication.
#include "framework/CWinApp.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp(LPCSTR) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

namespace framework {

// Windows needs nothing made ahead.
void PrepareWindowSystem() {}

int RunApplication(int, char**) {
    if (g_app == nullptr) {
        return 1;
    }
    if (g_app->InitInstance() == FALSE) {
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
