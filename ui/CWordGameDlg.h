// The game's one window: the main dialog, which owns the state of the game
// and the display operations every part of the game writes through.
#pragma once

#include "dictionary/CWordList.h"
#include "dictionary/WordLength.h"
#include "framework/CDialog.h"

// The handlers are kept in files by concern: the window itself, the moves
// (WordMoves.cpp), word start, hints and clock (WordStart.cpp) and the round
// end (RoundEnd.cpp). The rules they show come from game/ and scores/.
class CWordGameDlg : public CDialog {
public:
    // `words` is the dictionary the game is played against: the program's
    // one word list, or a list made for a test.
    explicit CWordGameDlg(CWordList& words, CWnd* parent = nullptr);

    // The transcript gets `text` and a line end, and is shown whole again.
    void AppendTranscriptLine(LPCSTR text);
    void ShowTranscript();
    void ClearTranscript();
    void ShowScore();
    // Shows the number of the current word, the counter plus one.
    void ShowWordNumber();
    // Selects the letter box's content and gives it the focus, so that the
    // next letter typed replaces the last one.
    void FocusLetterBox();

    // The player's letter and the computer's reply.
    void OnEnter();
    void ProcessLetter();
    void RefuseLetter();
    void PlayComputerLetter();
    void EndWord();
    // The hint lines, shared by the "T&ipp" button and a punctuation move.
    void ShowHint();
    // Appends "Bisher: '<fragment>'".
    void AppendFragmentLine();
    // Writes the completed word and `verdict`, empties the fragment and
    // scores `points`.
    void AnnounceCompletedWord(LPCSTR verdict, int points);
    // The transcript shows the computer's `letter` and the fragment with it.
    void AnnounceComputerLetter(char letter);
    // The transcript asks for one letter; the fragment stays as it is.
    void AskForALetter();
    // Starts the one-second game clock unless it runs.
    void StartClock();

    // Word start, hint and the game clock.
    void OnNew();
    void OnLevel();
    void OnComputerStarts();
    void OnHint();
    void OnTimer(UINT_PTR id);

    // The end of a round and the high-score table.
    void EndRound();
    void OnShowScores();

    CWordList& m_wordList;                 // the dictionary of this game
    CString m_letter;                      // the letter box, at most one character
    HICON m_hIcon;                         // icon 128, big and small
    int m_score = 0;                       // may become negative
    int m_seconds = 0;                     // clock ticks since start-up, never reset
    UINT_PTR m_timerId = 0;                // the running game clock, 0 when none runs
    int m_wordCount = 0;                   // words finished in the round, 0 to 19
    CString m_typed;                       // the letter box's text at the last Enter
    CString m_transcript;                  // what the transcript box shows
    char m_fragment[kFragmentBufferSize];  // the word so far, zero-terminated

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAbout();
    void OnHelpButton();

    DECLARE_MESSAGE_MAP()
};
