#include "match/win/stretch_bitmap.h"

#include "ui/gdi.h"
#include "ui/resource_string.h"

bool PlaceholderRect(HWND dialog, int id, RECT* area) {
    HWND placeholder = ::GetDlgItem(dialog, id);
    if (placeholder == nullptr || !::GetWindowRect(placeholder, area)) return false;
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(area), 2);
    return true;
}

void StretchBitmap(HDC dc, const RECT& area, UINT bitmapId) {
    const ui::Bitmap bitmap(static_cast<HBITMAP>(::LoadImageA(
        ui::ResourceInstance(), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bitmap) return;
    BITMAP info{};
    ::GetObject(bitmap.Get(), sizeof info, &info);
    const ui::MemoryDc memory(dc);
    const ui::SelectGuard selected(memory.Get(), bitmap.Get());
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 memory.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}
