#pragma once
// The desktop's displays through user32.
#include "platform/desktop.h"

namespace platform {

class Win32Desktop final : public Desktop {
public:
    int EnumDisplayMonitors(const std::function<bool(DisplayHandle)>& visit) override;
    int GetMonitorInfo(DisplayHandle display, DisplayInfo* info) override;
};

}  // namespace platform
