#include "monitor/access/raw_feature.h"

bool GetFeature(platform::DdcApi& ddc, platform::Clock& clock,
                const platform::PhysicalMonitorHandle* handle, std::uint8_t code,
                std::uint32_t* current, std::uint32_t* maximum, std::uint32_t delayMs) {
    if (handle == nullptr) return false;
    std::uint32_t ignoredCurrent = 0;
    std::uint32_t ignoredMaximum = 0;
    if (current == nullptr) current = &ignoredCurrent;
    if (maximum == nullptr) maximum = &ignoredMaximum;
    *current = 0;
    *maximum = 0;
    std::uint32_t type = 0;
    const bool ok =
        ddc.GetVCPFeatureAndVCPFeatureReply(*handle, code, &type, current, maximum) != 0;
    clock.Sleep(delayMs);
    return ok;
}

bool SetFeature(platform::DdcApi& ddc, platform::Clock& clock,
                const platform::PhysicalMonitorHandle* handle, std::uint8_t code,
                std::uint32_t value, std::uint32_t delayMs) {
    if (handle == nullptr) return false;
    const bool ok = ddc.SetVCPFeature(*handle, code, value) == 1;
    clock.Sleep(delayMs);
    return ok;
}
