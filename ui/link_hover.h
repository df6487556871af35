#pragma once
// Hover tracking for a static control that acts as a link. A static gets no word
// when the pointer leaves it, so the link holds the mouse capture while lit and
// sees the move that takes the pointer outside.
#include <windows.h>

namespace ui {

enum class HoverChange { None, Entered, Left };

// Call on the link's WM_MOUSEMOVE (once the link may light up at all). Updates
// *hover (1 lit, 0 dark), redraws the link when it changes and says how it changed.
HoverChange FollowPointer(HWND link, LPARAM lParam, int* hover);

}  // namespace ui
