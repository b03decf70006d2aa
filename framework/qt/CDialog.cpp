// CDialog's window and modal loop on Qt.
#include "framework/CDialog.h"

#include <QApplication>

#include "framework/qt/Application.h"
#include "framework/qt/DialogWindow.h"

using framework::qt::DialogWindow;

INT_PTR CDialog::DoModal() {
    const framework::DialogTemplate* dialogTemplate = framework::FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    framework::qt::ensureApplication();

    CWnd* owner = ModalOwner();
    QWidget* ownerWidget = owner != nullptr ? owner->Impl()->widget.data() : nullptr;

    auto window = std::make_unique<DialogWindow>(*this, *dialogTemplate, ownerWidget);
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
