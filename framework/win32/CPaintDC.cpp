#include "framework/CPaintDC.h"

#include "framework/win32/WindowImpl.h"

namespace framework {

class PaintContext {
public:
    explicit PaintContext(HWND window) : hwnd(window) { BeginPaint(hwnd, &paint); }
    ~PaintContext() { EndPaint(hwnd, &paint); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    HWND hwnd;
    PAINTSTRUCT paint{};
};

}  // namespace framework

CPaintDC::CPaintDC(CWnd* window)
    : m_context(window != nullptr && window->Impl() != nullptr && window->Impl()->hwnd != nullptr
                    ? new framework::PaintContext(window->Impl()->hwnd)
                    : nullptr) {}

CPaintDC::~CPaintDC() {
    delete m_context;
}

HDC CPaintDC::GetSafeHdc() const {
    return m_context != nullptr ? m_context->paint.hdc : nullptr;
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    return m_context != nullptr ? ::DrawIcon(m_context->paint.hdc, x, y, icon) : FALSE;
}
