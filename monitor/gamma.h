#pragma once
// One display's gamma ramp: what the display had when the object was set up, and
// the shifted ramps with which the filter raises or lowers the display's black level.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/gamma_device.h"

// The ramp as the program holds it: 8-bit entries (0-255) in 16-bit words, red 0-255,
// then green, then blue.
using GammaRamp = std::array<std::uint16_t, platform::kGammaRampEntries>;

class CGamma {
public:
    static constexpr std::size_t kMaxDeviceName = 127;
    static constexpr std::uint32_t kRetryWaitMs = 100;
    static constexpr std::uint32_t kRetryLimitMs = 5000;

    CGamma(platform::GammaDevice& device, platform::Clock& clock);
    virtual ~CGamma();
    CGamma(const CGamma&) = delete;
    CGamma& operator=(const CGamma&) = delete;

    // Remembers the device and the ramp it has now; the display counts as usable
    // only when that ramp can be written back and reads back unchanged.
    void Init(const std::string& deviceName);
    bool GetRamp(std::uint16_t* ramp);
    bool SetRamp(const std::uint16_t* ramp);
    void RestoreRamp();
    // Shift a lifts (a > 0) or lowers (a < 0) the low end; 0 is the identity ramp.
    void ApplyLuminance(std::int32_t shift);

    bool IsUsable() const { return m_bUsable != 0; }
    const std::string& DeviceName() const { return m_strDeviceName; }
    const GammaRamp& SavedRamp() const { return m_savedRamp; }

    // The ramp ApplyLuminance writes, without touching any device.
    static GammaRamp LuminanceRamp(std::int32_t shift);

private:
    template <typename Call>
    bool RetryForFiveSeconds(Call call);

    GammaRamp m_savedRamp{};
    std::int32_t m_bUsable = 0;
    std::string m_strDeviceName;
    platform::GammaDevice& m_device;
    platform::Clock& m_clock;
};
