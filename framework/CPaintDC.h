// Painting inside WM_PAINT: a paint context and the icon drawing the game
// uses for a minimised window.
#pragma once

#include "framework/CWnd.h"

struct HDC__;
using HDC = HDC__*;

namespace framework {
class PaintContext;
}

class CPaintDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const;
    BOOL DrawIcon(int x, int y, HICON icon);

private:
    framework::PaintContext* m_context;
};

#ifndef _WIN32
// SM_CXICON and SM_CYICON: the size of a window icon, 32 pixels. Windows has
// its own.
int GetSystemMetrics(int index);
#endif
