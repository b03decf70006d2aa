// The main dialog's move cycle: the player's letter, the computer's reply and
// the end of a word. The rules come from game/; these handlers show them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/MessageBox.h"
#include "game/ComputerReply.h"
#include "game/Moves.h"
#include "game/Points.h"
#include "res/resource.h"
#include "ui/CWordGameDlg.h"

void CWordGameDlg::AppendFragmentLine() {
    // Room for any fragment the buffer can hold, not only dictionary words.
    char line[sizeof m_fragment + 16];
    std::snprintf(line, sizeof line, "Bisher: '%s'", m_fragment);
    AppendTranscriptLine(line);
}

void CWordGameDlg::AnnounceCompletedWord(LPCSTR verdict, int points) {
    AppendTranscriptLine(m_fragment);
    AppendTranscriptLine(verdict);
    m_fragment[0] = '\0';
    m_wordList.ResetRange();
    m_score += points;
    ShowScore();
}

void CWordGameDlg::AnnounceComputerLetter(char letter) {
    ClearTranscript();
    char line[100];
    std::snprintf(line, sizeof line, "Mein Buchstabe ist '%c'.", letter);
    AppendTranscriptLine(line);
    AppendFragmentLine();
    ShowWordNumber();
}

void CWordGameDlg::AskForALetter() {
    ClearTranscript();
    AppendTranscriptLine("Bitte schreibe einen Buchstaben.");
    AppendFragmentLine();
    ShowWordNumber();
    FocusLetterBox();
}

void CWordGameDlg::StartClock() {
    if (m_timerId == 0) {
        m_timerId = SetTimer(1, 1000, nullptr);
    }
}

void CWordGameDlg::ShowHint() {
    ClearTranscript();
    AppendTranscriptLine("Ein m\xF6gliches Wort ist");
    AppendTranscriptLine(m_wordList.RandomWord());
    AppendFragmentLine();
    ShowWordNumber();
    FocusLetterBox();
    m_score += kPointsHint;
    ShowScore();
}

void CWordGameDlg::OnEnter() {
    GetDlgItem(IDC_LETTER)->GetWindowText(m_typed);
    StartClock();  // on every press, whatever the box holds
    if (m_typed.GetLength() == 1) {
        GetDlgItem(IDC_COMPUTER_STARTS)->EnableWindow(FALSE);
        ProcessLetter();
        return;
    }
    AskForALetter();
}

// A punctuation character asks for a hint, anything but a letter is refused,
// and a letter is played: taken back when no word continues it, the end of
// the word when it completes one, and otherwise answered by the computer.
void CWordGameDlg::ProcessLetter() {
    const auto move = static_cast<unsigned char>(m_typed[0]);
    switch (ClassifyMove(move)) {
        case MoveKind::Hint:
            ShowHint();
            return;
        case MoveKind::NotALetter:
            AskForALetter();
            return;
        case MoveKind::Letter:
            break;
    }
    if (!PlayLetter(m_wordList, m_fragment, sizeof m_fragment, static_cast<char>(move))) {
        RefuseLetter();
        return;
    }
    if (IsCompleteWord(m_wordList, m_fragment)) {
        AnnounceCompletedWord("ist ein Wort.  Ich habe gewonnen!", kPointsPlayerCompletesWord);
        EndWord();
        return;
    }
    m_score += kPointsLetterKept;
    ShowScore();
    FocusLetterBox();
    PlayComputerLetter();
}

// The letter has been taken back already; the transcript says so.
void CWordGameDlg::RefuseLetter() {
    ClearTranscript();
    AppendTranscriptLine("Dieser Buchstabe f\xFChrt nicht zu einem Wort.");
    AppendTranscriptLine("Bitte schreibe einen Buchstaben, der zu einem Wort f\xFChrt.");
    AppendFragmentLine();
    ShowWordNumber();
    m_score += kPointsLetterRefused;
    ShowScore();
    FocusLetterBox();
}

// The computer answers from a copy of the candidate range; without memory
// for the copy the game cannot go on.
void CWordGameDlg::PlayComputerLetter() {
    const std::size_t count = CandidateCount(m_wordList);
    const char** candidates = new (std::nothrow) const char*[count];
    if (candidates == nullptr) {
        char message[300];
        std::snprintf(message, sizeof message,
                      "FEHLER: Nicht gen\xFCgend Arbeitsspeicher\r\nf\xFCr die Kandidaten-Liste: "
                      "%lu bytes.\r\n\r\nLexodrom muss jetzt leider beendet werden!",
                      static_cast<unsigned long>(count * sizeof(const char*)));
        MessageBoxA(nullptr, message, "Lexodrom Fehler", MB_TASKMODAL | MB_ICONERROR);
        std::exit(1);
    }
    const char letter = PlayReply(m_wordList, m_fragment, {candidates, count});
    delete[] candidates;
    AnnounceComputerLetter(letter);
    if (IsCompleteWord(m_wordList, m_fragment)) {
        AnnounceCompletedWord("ist ein Wort.  Du hast gewonnen!", kPointsComputerCompletesWord);
        MessageBeep(MB_ICONEXCLAMATION);
        EndWord();
    } else {
        FocusLetterBox();
    }
}

// Closes the word: the letter box and Enter wait for the next word start,
// the clock stops, and the last word of a round ends the round.
void CWordGameDlg::EndWord() {
    CWnd* letterBox = GetDlgItem(IDC_LETTER);
    letterBox->SetWindowText("");
    letterBox->EnableWindow(FALSE);
    CWnd* enter = GetDlgItem(IDC_ENTER);
    enter->ModifyStyle(BS_DEFPUSHBUTTON, 0);
    enter->EnableWindow(FALSE);
    if (m_timerId != 0) {
        KillTimer(m_timerId);
        m_timerId = 0;
    }
    m_wordCount += 1;
    if (m_wordCount >= kWordsPerRound) {
        EndRound();
        m_wordCount = 0;
    }
    CWnd* newWord = GetDlgItem(IDC_NEW);
    newWord->ModifyStyle(0, BS_DEFPUSHBUTTON);
    newWord->SetFocus();
}
