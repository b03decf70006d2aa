// The back-end-independent part of CDialog: data exchange, buttons reached
// through their messages, and the standard OK and Cancel processing.
#include "framework/CDialog.h"

#include <cstdio>

#include "framework/CWinApp.h"
#include "framework/MessageBox.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    pDX->m_idLastControl = id;
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate != FALSE) {
        control->GetWindowText(value);
    } else {
        control->SetWindowText(value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars) {
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl);
    if (pDX->m_bSaveAndValidate == FALSE) {
        if (control != nullptr) {
            control->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        }
        return;
    }
    if (value.GetLength() > maxChars) {
        char message[100];
        std::snprintf(message, sizeof message, "Please enter no more than %d characters.",
                      maxChars);
        MessageBoxA(nullptr, message, "", MB_ICONEXCLAMATION);
        if (control != nullptr) {
            control->SetFocus();
        }
        pDX->Fail();
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

CWnd* CDialog::ModalOwner() const {
    CWnd* owner = m_parent != nullptr ? m_parent : AfxGetMainWnd();
    return owner != nullptr && owner != this && owner->Impl() != nullptr ? owner : nullptr;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.Failed() ? FALSE : TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE) == FALSE) {
        return;  // the check has told the player and kept the dialog open
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::CheckDlgButton(int id, UINT check) {
    if (CWnd* button = GetDlgItem(id)) {
        button->SendMessage(BM_SETCHECK, check, 0);
    }
}

UINT CDialog::IsDlgButtonChecked(int id) const {
    CWnd* button = GetDlgItem(id);
    return button != nullptr ? static_cast<UINT>(button->SendMessage(BM_GETCHECK)) : 0;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CWnd::DefWindowProc(message, wParam, lParam);
}
