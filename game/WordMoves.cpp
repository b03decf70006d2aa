// The move cycle: the player's letter, the computer's reply and the end of a
// word.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "framework/MessageBox.h"
#include "game/Random.h"
#include "res/resource.h"
#include "ui/CWordGameDlg.h"

namespace {

constexpr int kWordsPerRound = 20;

// The 32 ASCII characters that are neither letters nor digits; typed as the
// move they ask for a hint.
bool isPunctuation(unsigned char c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

// ASCII letters and the seven German letters of Windows-1252.
bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 ||
           c == 0xFC || c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xDF;
}

// The fragment is a whole word of the current list when the search found
// exactly one entry and that entry is the fragment itself.
bool isCompleteWord(const CWordList& words, const char* fragment) {
    return words.Count() == 1 && std::strcmp(words.Entry(words.First()), fragment) == 0;
}

}  // namespace

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
    m_score -= 3;
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
    ClearTranscript();
    AppendTranscriptLine("Bitte schreibe einen Buchstaben.");
    AppendFragmentLine();
    ShowWordNumber();
    FocusLetterBox();
}

// A punctuation character asks for a hint, anything but a letter is refused,
// and a letter is played: taken back when no word continues it (after the
// beginner list has fallen back to the pro list), the end of the word when it
// completes one, and otherwise answered by the computer.
void CWordGameDlg::ProcessLetter() {
    const auto c = static_cast<unsigned char>(m_typed[0]);
    if (isPunctuation(c)) {
        ShowHint();
        return;
    }
    if (!isLetter(c)) {
        ClearTranscript();
        AppendTranscriptLine("Bitte schreibe einen Buchstaben.");
        AppendFragmentLine();
        ShowWordNumber();
        FocusLetterBox();
        return;
    }

    const std::size_t length = std::strlen(m_fragment);
    const bool room = length + 1 < sizeof m_fragment;  // always so with words below 499 letters
    if (room) {
        m_fragment[length] = static_cast<char>(c);
        m_fragment[length + 1] = '\0';
        m_wordList.Search(m_fragment);
        if (m_wordList.Count() == 0 && m_wordList.IsBeginnerListCurrent()) {
            // The pro list, once it continues the word, stays for the rest of it.
            m_wordList.SelectProList();
            m_wordList.Search(m_fragment);
            if (m_wordList.Count() == 0) {
                m_wordList.SelectBeginnerList();
                m_wordList.Search(m_fragment);
            }
        }
    }

    if (!room || m_wordList.Count() == 0) {
        ClearTranscript();
        AppendTranscriptLine("Dieser Buchstabe f\xFChrt nicht zu einem Wort.");
        AppendTranscriptLine("Bitte schreibe einen Buchstaben, der zu einem Wort f\xFChrt.");
        m_fragment[length] = '\0';
        AppendFragmentLine();
        ShowWordNumber();
        m_wordList.Search(m_fragment);
        m_score -= 1;
        ShowScore();
        FocusLetterBox();
        return;
    }

    if (isCompleteWord(m_wordList, m_fragment)) {
        AnnounceCompletedWord("ist ein Wort.  Ich habe gewonnen!", 1);
        EndWord();
        return;
    }

    m_score += 2;
    ShowScore();
    FocusLetterBox();

    // The computer's reply. It shuffles the words that continue the fragment
    // and takes the first of odd length whose next letter does not itself
    // complete one of them: with odd-length words the player is the one to
    // finish the word. When no word qualifies, a fresh draw decides.
    const int first = m_wordList.First();
    const int n = m_wordList.Last() - first + 1;
    const char** candidates = new (std::nothrow) const char*[static_cast<std::size_t>(n)];
    if (candidates == nullptr) {
        char message[300];
        std::snprintf(
            message, sizeof message,
            "FEHLER: Nicht gen\xFCgend Arbeitsspeicher\r\nf\xFCr die Kandidaten-Liste: "
            "%lu bytes.\r\n\r\nLexodrom muss jetzt leider beendet werden!",
            static_cast<unsigned long>(static_cast<std::size_t>(n) * sizeof(const char*)));
        MessageBoxA(nullptr, message, "Lexodrom Fehler", MB_TASKMODAL | MB_ICONERROR);
        std::exit(1);
    }
    for (int i = 0; i < n; ++i) {
        candidates[i] = m_wordList.Entry(first + i);
    }
    for (int i = n - 1; i >= 0; --i) {
        std::swap(candidates[i], candidates[RandomInt(0, i)]);
    }

    const std::size_t position = std::strlen(m_fragment);
    int chosen = -1;
    for (int k = 0; k < n && chosen < 0; ++k) {
        const char* word = candidates[k];
        const std::size_t wordLength = std::strlen(word);
        // A word no longer than the fragment has no next letter; in a sorted
        // list the range never holds one.
        if (wordLength % 2 == 0 || wordLength <= position) {
            continue;
        }
        m_fragment[position] = word[position];
        m_fragment[position + 1] = '\0';
        bool completesACandidate = false;
        for (int m = 0; m < n && !completesACandidate; ++m) {
            completesACandidate = std::strcmp(candidates[m], m_fragment) == 0;
        }
        m_fragment[position] = '\0';
        if (!completesACandidate) {
            chosen = k;
        }
    }
    if (chosen < 0) {
        chosen = RandomInt(0, n - 1);
    }
    const char* word = candidates[chosen];
    const char letter = std::strlen(word) > position ? word[position] : '\0';
    m_fragment[position] = letter;
    m_fragment[position + 1] = '\0';

    ClearTranscript();
    char line[100];
    std::snprintf(line, sizeof line, "Mein Buchstabe ist '%c'.", letter);
    AppendTranscriptLine(line);
    AppendFragmentLine();
    ShowWordNumber();
    m_wordList.Search(m_fragment);

    if (isCompleteWord(m_wordList, m_fragment)) {
        AnnounceCompletedWord("ist ein Wort.  Du hast gewonnen!", 3);
        MessageBeep(MB_ICONEXCLAMATION);
        EndWord();
    } else {
        FocusLetterBox();
    }
    delete[] candidates;
}

// Closes the word: the letter box and Enter wait for the next word start,
// the clock stops, and the twentieth word ends the round.
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
