// The main dialog's part in the end of a round and the high-score table:
// the table's rules come from scores/, the name and score dialogs live here.
#include <cstdio>
#include <string>

#include "framework/MessageBox.h"
#include "scores/HighScoreTable.h"
#include "ui/CNameDlg.h"
#include "ui/CScoreDlg.h"
#include "ui/CWordGameDlg.h"

// Closes a round: the summary goes into the transcript, a score that reaches
// the twentieth line of hs.dat is entered under the name the player gives,
// and the table is shown; a round that does not qualify shows no dialog.
// Precondition (not checked): the caller has stopped the game clock and
// raised m_wordCount to 20. Returns with m_score 0 and the score box showing
// it, only after the dialogs have closed; the caller resets the counter.
//
// The time stamp is taken before the name dialog opens, so that it records
// when the round ended rather than when the player finished typing. The file
// is replaced as a whole: if any part of the write fails, the player is told
// and the old table stays on disk.
void CWordGameDlg::EndRound() {
    char line[200];
    AppendTranscriptLine("");
    std::snprintf(line, sizeof line, "Die Spielrunde mit %d W\xF6rtern ist beendet.", m_wordCount);
    AppendTranscriptLine(line);
    std::snprintf(line, sizeof line, "Punkte: %d", m_score);
    AppendTranscriptLine(line);

    CHighScoreTable table;
    table.Load(kHighScoreFile);
    if (table.Qualifies(m_score)) {
        const std::string timeStamp = CurrentTimeStamp();
        CNameDlg nameDlg;
        if (nameDlg.DoModal() == IDOK) {
            CString name = nameDlg.GetName();
            name.TrimLeft();
            name.TrimRight();
            table.ReplaceLast(FormatScoreLine(m_score, name, timeStamp.c_str()));
            if (!table.Save(kHighScoreFile)) {
                MessageBoxA(nullptr, "Der Punktestand kann nicht gespeichert werden.",
                            "Lexodrom Fehler", MB_TASKMODAL | MB_ICONERROR);
            }
        }
        CScoreDlg scoreDlg;
        scoreDlg.DoModal();
    }

    m_score = 0;
    ShowScore();
}

// Shows the table as it stands on disk, at any time; the game, its clock
// included, goes on untouched underneath.
void CWordGameDlg::OnShowScores() {
    CScoreDlg scoreDlg;
    scoreDlg.DoModal();
}
