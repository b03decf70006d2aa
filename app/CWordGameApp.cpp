#include "app/CWordGameApp.h"

#include <ctime>

#include "dictionary/WordList.h"
#include "random/Random.h"
#include "ui/CWordGameDlg.h"

CWordGameApp::CWordGameApp() {
    framework::PrepareWindowSystem();
}

BOOL CWordGameApp::InitInstance() {
    Enable3dControls();
    // Two runs started within the same second play the same computer moves.
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));

    CWordGameDlg dialog(g_wordList);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
