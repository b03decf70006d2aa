// Painting on the page: a minimised dialog shows its caption with the icon,
// which the page draws itself, so the game's icon painting has nothing left
// to draw.
#include "framework/CPaintDC.h"

CPaintDC::CPaintDC(CWnd*) : m_context(nullptr) {}

CPaintDC::~CPaintDC() = default;

HDC CPaintDC::GetSafeHdc() const {
    return reinterpret_cast<HDC>(m_context);
}

BOOL CPaintDC::DrawIcon(int, int, HICON) {
    return TRUE;
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}
