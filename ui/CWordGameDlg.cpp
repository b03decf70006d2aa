#include "ui/CWordGameDlg.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "framework/MessageBox.h"
#include "framework/runtime/ErrorText.h"
#include "framework/runtime/Spawn.h"
#include "res/resource.h"
#include "ui/CAboutDlg.h"

CWordGameDlg::CWordGameDlg(CWordList& words, CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_wordList(words),
      m_letter(""),
      m_hIcon(AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr) {
    m_fragment[0] = '\0';
}

BEGIN_MESSAGE_MAP(CWordGameDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_ENTER, &CWordGameDlg::OnEnter)
ON_BN_CLICKED(IDC_ABOUT, &CWordGameDlg::OnAbout)
ON_BN_CLICKED(IDC_HELP_BUTTON, &CWordGameDlg::OnHelpButton)
ON_BN_CLICKED(IDC_NEW, &CWordGameDlg::OnNew)
ON_BN_CLICKED(IDC_COMPUTER_STARTS, &CWordGameDlg::OnComputerStarts)
ON_BN_CLICKED(IDC_BEGINNER, &CWordGameDlg::OnLevel)
ON_BN_CLICKED(IDC_PRO, &CWordGameDlg::OnLevel)
ON_BN_CLICKED(IDC_HINT, &CWordGameDlg::OnHint)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_SHOW_SCORES, &CWordGameDlg::OnShowScores)
END_MESSAGE_MAP()

void CWordGameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LETTER, m_letter);
    DDV_MaxChars(pDX, m_letter, 1);
}

BOOL CWordGameDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CMenu* systemMenu = GetSystemMenu(FALSE);
    CString aboutMenu;
    aboutMenu.LoadString(IDS_ABOUTBOX);
    if (systemMenu != nullptr && !aboutMenu.IsEmpty()) {
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutMenu);
    }
    if (systemMenu != nullptr) {
        systemMenu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_DISABLED);
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_score = 0;
    ShowScore();
    CheckDlgButton(IDC_BEGINNER, BST_CHECKED);
    m_timerId = 0;
    m_seconds = 0;
    m_wordCount = 0;
    FocusLetterBox();
    return FALSE;  // the focus is placed
}

void CWordGameDlg::OnOK() {
    if (m_timerId != 0) {
        KillTimer(m_timerId);
    }
    CDialog::OnOK();
}

void CWordGameDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

// A minimised window shows the icon centred in its client area.
void CWordGameDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HCURSOR CWordGameDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CWordGameDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
    FocusLetterBox();
}

// The help viewer runs on by itself; each press starts another one.
void CWordGameDlg::OnHelpButton() {
    if (_spawnlp(_P_NOWAIT, "hh.exe", "hh.exe", "Lexodrom.chm",
                 static_cast<const char*>(nullptr)) == -1) {
        // The runtime's own text, not the locale's: the message is Windows-1252.
        const std::string reason = framework::runtime::ErrorText(errno);
        char message[1000];
        std::snprintf(message, sizeof message,
                      "Hypertext-Hilfe-Programm 'hh.exe' kann nicht gestartet werden: %s.",
                      reason.c_str());
        MessageBoxA(nullptr, message, "Lexodrom Fehler", MB_TASKMODAL | MB_ICONEXCLAMATION);
    }
    FocusLetterBox();
}

void CWordGameDlg::AppendTranscriptLine(LPCSTR text) {
    m_transcript += text;
    m_transcript += "\r\n";
    ShowTranscript();
}

void CWordGameDlg::ShowTranscript() {
    GetDlgItem(IDC_TRANSCRIPT)->SetWindowText(m_transcript);
}

void CWordGameDlg::ClearTranscript() {
    m_transcript.Empty();
    GetDlgItem(IDC_TRANSCRIPT)->SetWindowText("");
}

void CWordGameDlg::ShowScore() {
    char text[20];
    std::snprintf(text, sizeof text, "%d", m_score);
    GetDlgItem(IDC_SCORE)->SetWindowText(text);
}

void CWordGameDlg::ShowWordNumber() {
    char text[20];
    std::snprintf(text, sizeof text, "%d", m_wordCount + 1);
    GetDlgItem(IDC_WORD_NUMBER)->SetWindowText(text);
}

void CWordGameDlg::FocusLetterBox() {
    CWnd* letterBox = GetDlgItem(IDC_LETTER);
    letterBox->SendMessage(EM_SETSEL, 0, -1);
    letterBox->SendMessage(EM_SCROLLCARET, 0, 0);
    letterBox->SetFocus();
}
