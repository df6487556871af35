#pragma once
// Private messages from the launcher's main window to its link pages. Here, not
// with the main window, so that the pages need not know the window that holds them.
#include <windows.h>

inline constexpr UINT kMsgStartRegistered = WM_USER + 110;  // 0x046E: "E&xit" was pressed
inline constexpr UINT kMsgClearHighlight = WM_USER + 111;   // 0x046F: the window went inactive
