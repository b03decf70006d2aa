// CDialog on the dialog manager: DoModal is DialogBoxIndirectParamW's own
// modal loop.
#include "framework/CDialog.h"

#include "framework/win32/DialogWindow.h"

using framework::win32::DialogWindow;

INT_PTR CDialog::DoModal() {
    const framework::DialogTemplate* dialogTemplate = framework::FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    CWnd* owner = ModalOwner();
    HWND ownerWindow = owner != nullptr ? owner->Impl()->hwnd : nullptr;
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
