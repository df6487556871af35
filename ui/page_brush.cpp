#include "ui/page_brush.h"

#include "ui/resource_string.h"

namespace ui {

SIZE MakePageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap,
                   int stretchWidth, int stretchHeight) {
    SIZE pattern{0, 0};
    if (brush == nullptr) return pattern;
    HDC dc = ::GetDC(page);
    if (dc == nullptr) return pattern;
    RECT client{};
    ::GetClientRect(page, &client);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
    const UINT bitmapId = dpi >= 120 ? highResBitmap : lowResBitmap;
    // Kept in the picture's own format: turning a window-sized picture into a screen
    // bitmap took longer at start than the brush's conversion at each paint.
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImage(ResourceInstance(), MAKEINTRESOURCE(bitmapId),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap != nullptr) {
        BITMAP info{};
        ::GetObject(bitmap, sizeof info, &info);
        if (dpi == 96 || dpi == 120) {
            *brush = ::CreatePatternBrush(bitmap);
            pattern = SIZE{info.bmWidth, info.bmHeight};
        } else {
            const int width = stretchWidth > 0 ? stretchWidth : client.right - client.left;
            const int height = stretchHeight > 0 ? stretchHeight : client.bottom - client.top;
            HDC source = ::CreateCompatibleDC(dc);
            HDC target = ::CreateCompatibleDC(dc);
            HBITMAP stretched = ::CreateCompatibleBitmap(dc, width, height);
            HGDIOBJ oldSource = ::SelectObject(source, bitmap);
            HGDIOBJ oldTarget = ::SelectObject(target, stretched);
            ::StretchBlt(target, 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight,
                         SRCCOPY);
            ::SelectObject(source, oldSource);
            ::SelectObject(target, oldTarget);
            ::DeleteDC(source);
            ::DeleteDC(target);
            *brush = ::CreatePatternBrush(stretched);
            // The brush keeps its own copy of the pattern.
            ::DeleteObject(stretched);
            pattern = SIZE{width, height};
        }
        ::DeleteObject(bitmap);
    }
    ::ReleaseDC(page, dc);
    return pattern;
}

}  // namespace ui
