#pragma once
// The desktop's displays, as user32 enumerates them.
#include <functional>

#include "platform/types.h"

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    // EnumDisplayMonitors with no DC and no clip rectangle. The visitor's result is
    // what the callback returns (TRUE continues). Returns the raw BOOL.
    virtual int EnumDisplayMonitors(const std::function<bool(DisplayHandle)>& visit) = 0;
    // GetMonitorInfoA with the size field preset to 72. Returns the raw BOOL.
    virtual int GetMonitorInfo(DisplayHandle display, DisplayInfo* info) = 0;
};

}  // namespace platform
