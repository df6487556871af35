#pragma once
// The Monitor Configuration calls, one method each, with their BOOL results as
// plain ints so that callers can apply the "equals 1" rule where they must.
#include <cstdint>

#include "platform/types.h"

namespace platform {

class DdcApi {
public:
    virtual ~DdcApi() = default;

    virtual int GetNumberOfPhysicalMonitorsFromHMONITOR(DisplayHandle display,
                                                        std::uint32_t* count) = 0;
    // Fills `monitors[0 .. count-1]`.
    virtual int GetPhysicalMonitorsFromHMONITOR(DisplayHandle display, std::uint32_t count,
                                                PhysicalMonitor* monitors) = 0;
    virtual int GetCapabilitiesStringLength(PhysicalMonitorHandle monitor,
                                            std::uint32_t* length) = 0;
    // Writes at most `length` bytes, the last of them the terminating NUL.
    virtual int CapabilitiesRequestAndCapabilitiesReply(PhysicalMonitorHandle monitor, char* buffer,
                                                        std::uint32_t length) = 0;
    virtual int GetVCPFeatureAndVCPFeatureReply(PhysicalMonitorHandle monitor, std::uint8_t code,
                                                std::uint32_t* type, std::uint32_t* current,
                                                std::uint32_t* maximum) = 0;
    virtual int SetVCPFeature(PhysicalMonitorHandle monitor, std::uint8_t code,
                              std::uint32_t value) = 0;
    // Releases handles from GetPhysicalMonitorsFromHMONITOR (DestroyPhysicalMonitors).
    virtual void DestroyPhysicalMonitors(std::uint32_t count, const PhysicalMonitor* monitors) = 0;
};

}  // namespace platform
