#include "ui/CScoreDlg.h"

#include <string>
#include <vector>

#include "res/resource.h"
#include "scores/HighScoreTable.h"

CScoreDlg::CScoreDlg(CWnd* parent) : CDialog(IDD_SCORES, parent) {}

BEGIN_MESSAGE_MAP(CScoreDlg, CDialog)
END_MESSAGE_MAP()

// Lists the file's lines in file order, neither sorted nor filled up, so the
// player sees exactly what is stored; a missing file shows as 20 empty
// places. Returns TRUE so that the framework focuses the OK button.
BOOL CScoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd* list = GetDlgItem(IDC_SCORE_LIST);
    std::vector<std::string> lines;
    if (!ReadHighScoreLines(kHighScoreFile, lines)) {
        lines.assign(kHighScoreLines, kDefaultScoreLine);
    }
    for (const std::string& line : lines) {
        list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    return TRUE;
}
