#pragma once
// The Monitor Configuration API of dxva2 behind the DdcApi port. Whatever dxva2.dll
// the process loads answers: Windows' own, or the simulator's stand-in under Wine.
#include "platform/ddc_api.h"

namespace platform {

class Win32DdcApi final : public DdcApi {
public:
    int GetNumberOfPhysicalMonitorsFromHMONITOR(DisplayHandle display,
                                                std::uint32_t* count) override;
    int GetPhysicalMonitorsFromHMONITOR(DisplayHandle display, std::uint32_t count,
                                        PhysicalMonitor* monitors) override;
    int GetCapabilitiesStringLength(PhysicalMonitorHandle monitor, std::uint32_t* length) override;
    int CapabilitiesRequestAndCapabilitiesReply(PhysicalMonitorHandle monitor, char* buffer,
                                                std::uint32_t length) override;
    int GetVCPFeatureAndVCPFeatureReply(PhysicalMonitorHandle monitor, std::uint8_t code,
                                        std::uint32_t* type, std::uint32_t* current,
                                        std::uint32_t* maximum) override;
    int SetVCPFeature(PhysicalMonitorHandle monitor, std::uint8_t code,
                      std::uint32_t value) override;
    void DestroyPhysicalMonitors(std::uint32_t count, const PhysicalMonitor* monitors) override;
};

}  // namespace platform
