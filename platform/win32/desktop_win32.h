#pragma once
// The desktop's displays through user32.
//
// <windows.h> turns the name GetMonitorInfo into GetMonitorInfoA. A file that
// uses both includes <windows.h> first, so the renaming applies to the port and
// to every call alike, and calls this adapter through platform::Desktop&: the
// virtual call then reaches the method whatever it is named in that file.
#include "platform/desktop.h"

namespace platform {

class Win32Desktop final : public Desktop {
public:
    int EnumDisplayMonitors(const std::function<bool(DisplayHandle)>& visit) override;
    int GetMonitorInfo(DisplayHandle display, DisplayInfo* info) override;
};

}  // namespace platform
