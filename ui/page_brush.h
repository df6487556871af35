#pragma once
// Page backgrounds drawn from a bitmap of the resources, shared by both programs.
#include <windows.h>

namespace ui {

// The page background: the bitmap (the high-resolution one from 120 dots per inch up)
// tiled as it is at exactly 96 and 120 dots per inch, stretched at any other
// resolution to the page's client rectangle, or to stretchWidth pixels wide and
// stretchHeight pixels high where those are above 0 (a tab page whose pattern must end
// at the tab control's edge, and that is sized to the tab's display area only after
// it was made). Returns the pattern size; {0, 0} and no brush when the bitmap cannot
// be loaded.
SIZE MakePageBrush(HWND page, HBRUSH* brush, UINT lowResBitmap, UINT highResBitmap,
                   int stretchWidth = 0, int stretchHeight = 0);

}  // namespace ui
