#pragma once
// Display gamma ramps through GDI.
#include "platform/gamma_device.h"

namespace platform {

class Win32GammaDevice final : public GammaDevice {
public:
    GammaContext Open(const std::string& deviceName) override;
    bool GetRamp(GammaContext context, std::uint16_t* ramp) override;
    bool SetRamp(GammaContext context, const std::uint16_t* ramp) override;
    void Close(GammaContext context) override;
};

}  // namespace platform
