// CDialog: a dialog built from a template of res/ and run modally, with
// dialog data exchange.
#pragma once

#include <memory>

#include "framework/CWnd.h"

class CDialog;

// One direction of a data exchange between a dialog's controls and its
// members.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // A check failed: the exchange stops and UpdateData returns FALSE.
    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    int m_idLastControl = 0;  // the control of the last DDX call

private:
    bool m_failed = false;
};

// Exchanges the text of control `id` with `value`.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// Loading: limits the last exchanged edit box to `maxChars` characters.
// Saving: a longer value shows "Please enter no more than N characters." and
// fails the exchange.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Builds the window from the template, runs OnInitDialog, shows it and
    // runs a nested message loop until EndDialog. Returns the value given to
    // EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();

    // Loads the controls from the members (UpdateData(FALSE)). Return TRUE to
    // let the framework focus the first tab stop, FALSE when the dialog has
    // placed the focus itself.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void EndDialog(int result);
    CWnd* GetDlgItem(int id) const;
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    UINT TemplateId() const { return m_templateId; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window that owns the dialog while it runs: the parent, else the
    // application's main window; null when that is the dialog itself or has
    // no window.
    CWnd* ModalOwner() const;

    DECLARE_MESSAGE_MAP()

private:
    UINT m_templateId;
    CWnd* m_parent;
};
