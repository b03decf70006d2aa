// CDialog's window and modal loop on the page.
#include "framework/CDialog.h"

#include "framework/web/DialogWindow.h"

using framework::web::DialogWindow;

INT_PTR CDialog::DoModal() {
    const framework::DialogTemplate* dialogTemplate = framework::FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    CWnd* owner = ModalOwner();
    DialogWindow* ownerWindow = owner != nullptr ? owner->Impl()->dialog : nullptr;
    auto window = std::make_unique<DialogWindow>(*this, *dialogTemplate, ownerWindow);
    m_impl = window->self();
    if (OnInitDialog() != FALSE) {
        window->focusFirstTabStop();
    }
    const int result = window->runModal();
    window.reset();
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
