#pragma once
// The background rule shared by the launcher's pages and dialogs.
#include <windows.h>

// Where a tab's page lives, handed to the page when the main window makes it.
struct PageGeometry {
    // The tab control's client right edge: the page's background, and a long
    // link title, end there.
    int m_nTabClientRight = 0;
    // The height of the tab's display area the page is moved into once made; a
    // stretched background must fill that, not the page's template size.
    int m_nPageHeight = 0;
};

// Makes a page's pattern brush: the page's pictures, stretched (off 96/120 dpi)
// to the height of the tab's display area and to the tab control's client edge less
// a small margin.
SIZE MakeLauncherPageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap,
                           const PageGeometry& geometry);

// Lines the pattern up behind a transparent control: the brush origin moves so
// that the picture continues under the control as on the page around it.
void AlignBrushToControl(HDC dc, HWND page, HWND control, SIZE background);
