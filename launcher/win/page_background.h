#pragma once
// The background rule shared by the launcher's pages and dialogs.
#include <windows.h>

// Makes a page's pattern brush: the page's pictures, stretched (off 96/120 dpi)
// to the height of the tab's display area and to the tab control's client edge less
// a small margin.
SIZE MakeLauncherPageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap);

// Lines the pattern up behind a transparent control: the brush origin moves so
// that the picture continues under the control as on the page around it.
void AlignBrushToControl(HDC dc, HWND page, HWND control, SIZE background);
