#include <windows.h>
// user32's header maps GetMonitorInfo to its A/W variant; the port's method of
// that name must keep its own name here.
#undef GetMonitorInfo

#include "platform/win32/desktop_win32.h"

#include <cstring>

namespace platform {
namespace {

Rect ToRect(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK VisitDisplay(HMONITOR display, HDC, LPRECT, LPARAM context) {
    const auto& visit = *reinterpret_cast<const std::function<bool(DisplayHandle)>*>(context);
    return visit(reinterpret_cast<DisplayHandle>(display)) ? TRUE : FALSE;
}

}  // namespace

int Win32Desktop::EnumDisplayMonitors(const std::function<bool(DisplayHandle)>& visit) {
    return ::EnumDisplayMonitors(nullptr, nullptr, VisitDisplay, reinterpret_cast<LPARAM>(&visit));
}

int Win32Desktop::GetMonitorInfo(DisplayHandle display, DisplayInfo* info) {
    MONITORINFOEXA raw;
    std::memset(&raw, 0, sizeof raw);
    static_assert(sizeof(MONITORINFOEXA) == 72, "the display record is the 72-byte extended form");
    raw.cbSize = sizeof(MONITORINFOEXA);
    const BOOL result = ::GetMonitorInfoA(reinterpret_cast<HMONITOR>(display), &raw);
    if (result && info != nullptr) {
        info->rcMonitor = ToRect(raw.rcMonitor);
        info->rcWork = ToRect(raw.rcWork);
        info->dwFlags = raw.dwFlags;
        // A driver may fill all 32 characters without a terminator.
        info->szDevice.assign(raw.szDevice, strnlen(raw.szDevice, sizeof raw.szDevice));
    }
    return result;
}

}  // namespace platform
