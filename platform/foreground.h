#pragma once
// The desktop's top-level windows as automatic mode switching sees them: which
// one is in front, which process and display it belongs to, and which windows
// exist at all (for the list of running applications).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// HWND of a top-level window, as an opaque value; 0 is no window.
using WindowHandle = std::uintptr_t;

struct TopLevelWindow {
    WindowHandle window = 0;
    bool visible = false;
    bool hasSystemMenu = false;  // WS_SYSMENU
};

class Foreground {
public:
    virtual ~Foreground() = default;

    // GetForegroundWindow; 0 when no window is in front.
    virtual WindowHandle ForegroundWindow() = 0;
    // IsWindow and IsWindowVisible, and not IsIconic: a window the user can see.
    virtual bool IsShown(WindowHandle window) = 0;
    // GetWindowThreadProcessId; 0 when the window is gone.
    virtual std::uint32_t ProcessOf(WindowHandle window) = 0;
    // GetClassNameA, at most 128 characters; "" when the window is gone.
    virtual std::string ClassName(WindowHandle window) = 0;
    // GetWindowRect; false when the window is gone.
    virtual bool WindowRect(WindowHandle window, Rect* rect) = 0;
    // szDevice of the display that holds the window (MonitorFromWindow without a
    // default display, then GetMonitorInfoA); "" when it lies on no display.
    virtual std::string DisplayOf(WindowHandle window) = 0;
    // EnumWindows: every top-level window, in the order the system lists them.
    virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
};

}  // namespace platform
