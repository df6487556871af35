#pragma once
// Pictures of the match page and wizard are drawn stretched over the rectangle
// of a hidden placeholder control, so the templates decide where they go.
#include <windows.h>

// The placeholder's rectangle in its dialog's client coordinates; false when the
// dialog has no such control.
bool PlaceholderRect(HWND dialog, int id, RECT* area);
// Draws a bitmap of the resources stretched over `area`; nothing when it is missing.
void StretchBitmap(HDC dc, const RECT& area, UINT bitmapId);
