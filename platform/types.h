#pragma once
// Plain values that cross the ports. They mirror the Win32 records the programs
// work with, without pulling <windows.h> into the portable core.
#include <cstdint>
#include <string>

namespace platform {

// HMONITOR of a display, as an opaque value.
using DisplayHandle = std::uintptr_t;
// HANDLE of a physical monitor from the Monitor Configuration API, as an opaque value.
using PhysicalMonitorHandle = std::uintptr_t;

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const Rect&) const = default;
};

// The fields of MONITORINFOEXA.
struct DisplayInfo {
    Rect rcMonitor;
    Rect rcWork;
    std::uint32_t dwFlags = 0;
    std::string szDevice;  // "\\.\DISPLAYn", at most 31 characters
};

// One element of PHYSICAL_MONITOR. The description arrives as UTF-16 from the
// API; the adapter hands it over converted to the 8-bit code page.
struct PhysicalMonitor {
    PhysicalMonitorHandle handle = 0;
    std::string description;
};

}  // namespace platform
