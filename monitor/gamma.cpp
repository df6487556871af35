#include "monitor/gamma.h"

namespace {

constexpr int kPlatformShift = 8;

}  // namespace

CGamma::CGamma(platform::GammaDevice& device, platform::Clock& clock)
    : m_device(device), m_clock(clock) {}

CGamma::~CGamma() = default;

// Display drivers refuse ramp calls for a while after a mode change or a session
// switch, so each call is repeated until it works or five seconds have gone by.
template <typename Call>
bool CGamma::RetryForFiveSeconds(Call call) {
    const std::uint32_t start = m_clock.TickCount();
    for (;;) {
        if (call()) return true;
        m_clock.Sleep(kRetryWaitMs);
        if (m_clock.TickCount() - start > kRetryLimitMs) return false;
    }
}

bool CGamma::GetRamp(std::uint16_t* ramp) {
    if (ramp == nullptr) return false;
    const platform::GammaContext dc = m_device.Open(m_strDeviceName);
    const bool ok = RetryForFiveSeconds([&] { return m_device.GetRamp(dc, ramp); });
    for (int i = 0; i < platform::kGammaRampEntries; ++i)
        ramp[i] = static_cast<std::uint16_t>(ramp[i] >> kPlatformShift);
    m_device.Close(dc);
    return ok;
}

bool CGamma::SetRamp(const std::uint16_t* ramp) {
    if (ramp == nullptr) return false;
    const platform::GammaContext dc = m_device.Open(m_strDeviceName);
    GammaRamp wide;
    for (int i = 0; i < platform::kGammaRampEntries; ++i)
        wide[i] = static_cast<std::uint16_t>(ramp[i] << kPlatformShift);
    const bool ok = RetryForFiveSeconds([&] { return m_device.SetRamp(dc, wide.data()); });
    m_device.Close(dc);
    return ok;
}

void CGamma::Init(const std::string& deviceName) {
    m_bUsable = 1;
    m_strDeviceName = deviceName.substr(0, kMaxDeviceName);
    // A ramp that could not be read is not written back: it would black out the display.
    // After a failed step there is no verification read: the display is unusable
    // either way, and reading back a ramp that could not be read or written
    // could only confirm that.
    if (!GetRamp(m_savedRamp.data()) || !SetRamp(m_savedRamp.data())) {
        m_bUsable = 0;
        return;
    }
    GammaRamp check{};
    if (!GetRamp(check.data()) || check != m_savedRamp) m_bUsable = 0;
}

void CGamma::RestoreRamp() {
    if (m_bUsable) SetRamp(m_savedRamp.data());
}

GammaRamp CGamma::LuminanceRamp(std::int32_t shift) {
    const double a = shift;
    const double step = (255.0 - a) / 255.0;
    GammaRamp ramp{};
    for (int i = 0; i < 256; ++i) {
        double x = a + i * step;
        if (x < 0) x = 0;
        // Shifts beyond 255 would wrap in the 16-bit platform ramp.
        if (x > 255) x = 255;
        const auto entry = static_cast<std::uint16_t>(x);
        ramp[i] = entry;
        ramp[256 + i] = entry;
        ramp[512 + i] = entry;
    }
    return ramp;
}

void CGamma::ApplyLuminance(std::int32_t shift) {
    if (!m_bUsable) return;
    const GammaRamp ramp = LuminanceRamp(shift);
    SetRamp(ramp.data());
}
