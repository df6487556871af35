#pragma once
// Windows lets only the foreground program hand the foreground on, and a program
// living in the notification area never is it: its windows would only flash in
// the task bar. The lock time-out is lifted for the one call and put back.
#include <windows.h>

namespace ui {

void SetForegroundUnlocked(HWND window);

}  // namespace ui
