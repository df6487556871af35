#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace platform {

void Win32Clock::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

std::uint32_t Win32Clock::TickCount() {
    return ::GetTickCount();
}

}  // namespace platform
