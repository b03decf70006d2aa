// CWinApp: the application object. The framework owns main(): it makes the
// application's event machinery and calls InitInstance of the one CWinApp.
#pragma once

#include "framework/CWnd.h"

class CWinApp {
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE when the application is to end without a message loop of
    // its own, as a dialog-based program does.
    virtual BOOL InitInstance();

    // Kept for the program's start-up sequence; the look is the platform's.
    void Enable3dControls() {}

    // An icon of the resources; the handle stays valid until the process ends.
    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

namespace framework {

// Starts, on a thread of its own, the part of the window system's start that
// needs nothing of the program, so that it overlaps what the program builds
// before RunApplication. RunApplication waits for it.
void PrepareWindowSystem();

// Runs the application: makes what the window system needs, then calls
// InitInstance. Returns the process's exit code.
int RunApplication(int argc, char** argv);

}  // namespace framework
