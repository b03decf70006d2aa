#include "ui/CNameDlg.h"

#include "res/resource.h"
#include "ui/RememberedName.h"

namespace {

// The width of the name field of a score line.
constexpr int kMaxNameChars = 23;

}  // namespace

CNameDlg::CNameDlg(CWnd* parent) : CDialog(IDD_NAME, parent) {}

BEGIN_MESSAGE_MAP(CNameDlg, CDialog)
END_MESSAGE_MAP()

// Loading puts the empty member into the box and limits the box to the
// width of the name field; saving reads the box back and refuses a longer
// text.
void CNameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxNameChars);
}

// Offers the name confirmed last, wholly selected, so that the same player
// only presses Enter and a new one simply types over it. Returns FALSE: the
// focus is placed here.
BOOL CNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd* nameBox = GetDlgItem(IDC_NAME);
    nameBox->SetWindowText(g_rememberedName);
    nameBox->SendMessage(EM_SETSEL, 0, -1);
    nameBox->SendMessage(EM_SCROLLCARET, 0, 0);
    nameBox->SetFocus();
    return FALSE;
}

// Remembers the box's text exactly as typed, spaces included, before the
// framework's OK reads it into m_strName and ends the dialog.
void CNameDlg::OnOK() {
    GetDlgItem(IDC_NAME)->GetWindowText(g_rememberedName);
    CDialog::OnOK();
}
