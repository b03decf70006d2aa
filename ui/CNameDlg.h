// The name dialog of a qualifying round: asks for the name under which the
// round enters the high-score table, offering the name confirmed last.
#pragma once

#include "framework/CDialog.h"

class CNameDlg : public CDialog {
public:
    explicit CNameDlg(CWnd* parent = nullptr);

    // The name as it stood in the box, untrimmed. Meaningful only after
    // DoModal has returned IDOK.
    CString GetName() const { return m_strName; }

    CString m_strName;  // the name box, at most 23 characters

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
