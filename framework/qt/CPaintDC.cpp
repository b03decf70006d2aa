#include "framework/CPaintDC.h"

#include <QPainter>

#include "framework/qt/Icons.h"
#include "framework/qt/WindowImpl.h"

namespace framework {

class PaintContext {
public:
    explicit PaintContext(QWidget* widget) : painter(widget) {}
    QPainter painter;
};

}  // namespace framework

CPaintDC::CPaintDC(CWnd* window)
    : m_context(window != nullptr && window->Impl() != nullptr && window->Impl()->widget != nullptr
                    ? new framework::PaintContext(window->Impl()->widget)
                    : nullptr) {}

CPaintDC::~CPaintDC() {
    delete m_context;
}

HDC CPaintDC::GetSafeHdc() const {
    return reinterpret_cast<HDC>(m_context);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    const QIcon* qicon = framework::qt::iconOf(icon);
    if (m_context == nullptr || qicon == nullptr) {
        return FALSE;
    }
    const int size = GetSystemMetrics(SM_CXICON);
    qicon->paint(&m_context->painter, x, y, size, size);
    return TRUE;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}
