#include "launcher/win/page_background.h"

#include "ui/page_brush.h"
#include "ui/gdi.h"

SIZE MakeLauncherPageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap,
                           const PageGeometry& geometry) {
    const int dpi = ::GetDeviceCaps(ui::WindowDc(nullptr).Get(), LOGPIXELSX);
    const int width = geometry.m_nTabClientRight - ::MulDiv(dpi, 4, 96);
    const int height = geometry.m_nPageHeight;
    return ui::MakePageBrush(page, brush, lowResBitmap, highResBitmap, width, height);
}

void AlignBrushToControl(HDC dc, HWND page, HWND control, SIZE background) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    if (background.cx <= 0 || background.cy <= 0) return;
    ::SetBrushOrgEx(dc, background.cx - rect.left % background.cx,
                    background.cy - rect.top % background.cy, nullptr);
}
