#include "ui/page_brush.h"

#include "ui/gdi.h"
#include "ui/resource_string.h"

namespace ui {

SIZE MakePageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap,
                   int stretchWidth, int stretchHeight) {
    SIZE pattern{0, 0};
    if (brush == nullptr) return pattern;
    const WindowDc pageDc(page);
    if (!pageDc) return pattern;
    const HDC dc = pageDc.Get();
    RECT client{};
    ::GetClientRect(page, &client);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
    const UINT bitmapId = dpi >= 120 ? highResBitmap : lowResBitmap;
    // Kept in the picture's own format: turning a window-sized picture into a screen
    // bitmap took longer at start than the brush's conversion at each paint.
    const Bitmap bitmap(static_cast<HBITMAP>(::LoadImage(
        ResourceInstance(), MAKEINTRESOURCE(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) {
        BITMAP info{};
        ::GetObject(bitmap.Get(), sizeof info, &info);
        if (dpi == 96 || dpi == 120) {
            *brush = ::CreatePatternBrush(bitmap.Get());
            pattern = SIZE{info.bmWidth, info.bmHeight};
        } else {
            const int width = stretchWidth > 0 ? stretchWidth : client.right - client.left;
            const int height = stretchHeight > 0 ? stretchHeight : client.bottom - client.top;
            // The brush keeps its own copy of the pattern.
            const Bitmap stretched(::CreateCompatibleBitmap(dc, width, height));
            {
                const MemoryDc source(dc);
                const MemoryDc target(dc);
                const SelectGuard sourceSelection(source.Get(), bitmap.Get());
                const SelectGuard targetSelection(target.Get(), stretched.Get());
                ::StretchBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, info.bmWidth,
                             info.bmHeight, SRCCOPY);
            }
            *brush = ::CreatePatternBrush(stretched.Get());
            pattern = SIZE{width, height};
        }
    }
    return pattern;
}

}  // namespace ui
