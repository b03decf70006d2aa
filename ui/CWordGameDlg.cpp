#include "ui/CWordGameDlg.h"

#include <cstdio>

#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
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
ON_BN_CLICKED(IDC_ABOUT, &CWordGameDlg::OnAbout)
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

HCURSOR CWordGameDlg::OnQueryDragIcon() { return m_hIcon; }

void CWordGameDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
    FocusLetterBox();
}

void CWordGameDlg::AppendTranscriptLine(LPCSTR text) {
    m_transcript += text;
    m_transcript += "\r\n";
    ShowTranscript();
}

void CWordGameDlg::ShowTranscript() { GetDlgItem(IDC_TRANSCRIPT)->SetWindowText(m_transcript); }

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
