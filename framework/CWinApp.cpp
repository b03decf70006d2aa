// The application object's record, the same on every back end: the one
// CWinApp registers itself when the program's static objects are built.
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

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}
