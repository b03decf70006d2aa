// The main dialog's word start, hint button and game clock.
#include "game/Points.h"
#include "res/resource.h"
#include "ui/CWordGameDlg.h"

// Abandons the word in play (neither counted nor scored) and starts a new one
// on the list the level buttons choose. The clock, if it runs, runs on.
void CWordGameDlg::OnNew() {
    CWnd* letterBox = GetDlgItem(IDC_LETTER);
    letterBox->EnableWindow(TRUE);
    letterBox->SetWindowText("");
    letterBox->SetFocus();
    ClearTranscript();
    if (IsDlgButtonChecked(IDC_BEGINNER) != 0) {
        m_wordList.SelectBeginnerList();
    } else {
        m_wordList.SelectProList();
    }
    m_fragment[0] = '\0';
    m_wordList.ResetRange();
    CWnd* enter = GetDlgItem(IDC_ENTER);
    enter->EnableWindow(TRUE);
    enter->ModifyStyle(0, BS_DEFPUSHBUTTON);
    GetDlgItem(IDC_COMPUTER_STARTS)->EnableWindow(TRUE);
}

// The platform has moved the check mark before this runs, so the new word is
// played on the level just chosen; the checked button again also starts one.
void CWordGameDlg::OnLevel() {
    OnNew();
}

// The computer plays the first letter of a random word of the range, so each
// letter comes up as often as words begin with it.
void CWordGameDlg::OnComputerStarts() {
    GetDlgItem(IDC_COMPUTER_STARTS)->EnableWindow(FALSE);
    StartClock();
    const char* word = m_wordList.RandomWord();
    m_fragment[0] = word[0];
    m_fragment[1] = '\0';
    m_wordList.Search(m_fragment);
    AnnounceComputerLetter(m_fragment[0]);
    FocusLetterBox();
}

void CWordGameDlg::OnHint() {
    ShowHint();
}

// Every tick counts one second, whichever timer sent it; the count runs on
// across words and rounds.
void CWordGameDlg::OnTimer(UINT_PTR id) {
    m_seconds += 1;
    if (TickCostsPoint(m_seconds)) {
        m_score += kPointsClockMinute;
        ShowScore();
    }
    CDialog::OnTimer(id);
}
