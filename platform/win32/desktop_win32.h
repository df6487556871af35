#pragma once
// The desktop's displays through user32.
//
// <windows.h> turns the name GetMonitorInfo into GetMonitorInfoA. Call this
// adapter through platform::Desktop& (the virtual call is immune to the
// renaming), or include this header before <windows.h>.
#include "platform/desktop.h"

namespace platform {

class Win32Desktop final : public Desktop {
public:
    int EnumDisplayMonitors(const std::function<bool(DisplayHandle)>& visit) override;
    int GetMonitorInfo(DisplayHandle display, DisplayInfo* info) override;
};

}  // namespace platform
