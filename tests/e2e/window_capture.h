#pragma once
// Pictures of windows as the screen shows them, saved as 24-bit BMP files, for
// the drivers that photograph every window of a program before and after a
// change that must not change what the user sees (tools/window-pictures.sh).
#include <windows.h>

#include <string>

namespace e2e {

// Waits until the window's thread answers and two looks a second apart agree (a
// window may still be filling itself when it shows), then saves its picture to
// the file at `path`. False when the window never settled or nothing was saved.
bool SaveSettledPicture(HWND window, const std::string& path);

}  // namespace e2e
