// CDialog on the dialog manager: DoModal is DialogBoxIndirectParamW's own
// modal loop.
#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/win32/DialogWindow.h"

using framework::win32::DialogWindow;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const framework::DialogTemplate* dialogTemplate = framework::FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    // Without a parent the application's main window owns the dialog.
    CWnd* owner = m_parent != nullptr ? m_parent : AfxGetMainWnd();
    HWND ownerWindow = nullptr;
    if (owner != nullptr && owner != this && owner->Impl() != nullptr) {
        ownerWindow = owner->Impl()->hwnd;
    }
    DialogWindow window(*this, *dialogTemplate);
    const INT_PTR result = window.runModal(ownerWindow);
    m_impl = nullptr;
    return result;
}

void CDialog::EndDialog(int result) {
    if (m_impl != nullptr && m_impl->dialog != nullptr) {
        m_impl->dialog->endModal(result);
    }
}

CWnd* CDialog::GetDlgItem(int id) const {
    if (m_impl == nullptr || m_impl->dialog == nullptr) {
        return nullptr;
    }
    framework::WindowImpl* control = m_impl->dialog->control(id);
    return control != nullptr ? control->wnd : nullptr;
}
