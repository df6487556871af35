#pragma once
// A display's hardware gamma ramp, reached through a device context opened on the
// display device by name. Ramps cross this port in the platform's 16-bit domain.
#include <cstdint>
#include <string>

namespace platform {

// HDC of a display device, as an opaque value; 0 when it could not be opened.
using GammaContext = std::uintptr_t;

constexpr int kGammaRampEntries = 3 * 256;  // red, then green, then blue

class GammaDevice {
public:
    virtual ~GammaDevice() = default;
    // CreateDCA with the device name as driver name and no device, output or mode.
    virtual GammaContext Open(const std::string& deviceName) = 0;
    // GetDeviceGammaRamp into ramp[0 .. 767]; true when the call succeeded.
    virtual bool GetRamp(GammaContext context, std::uint16_t* ramp) = 0;
    // SetDeviceGammaRamp from ramp[0 .. 767]; true when the call succeeded.
    virtual bool SetRamp(GammaContext context, const std::uint16_t* ramp) = 0;
    // DeleteDC; closing 0 does nothing.
    virtual void Close(GammaContext context) = 0;
};

}  // namespace platform
