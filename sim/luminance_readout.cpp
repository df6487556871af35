#include "sim/luminance_readout.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr RegisterKey kBrightness{0, 0x10};
constexpr RegisterKey kGains[3] = {{0, 0x16}, {0, 0x18}, {0, 0x1A}};
constexpr RegisterKey kPreset{0x30, 0xE3};
constexpr RegisterKey kGamma{0x30, 0xE4};
constexpr RegisterKey kPrimaries[3] = {{0x30, 0xEF}, {0x30, 0xF0}, {0x30, 0xF1}};
// Gamma steps as the monitors number them: 1.4 + 0.2 x step; 2.2 without a register.
constexpr double kDefaultGamma = 2.2;

double GainRatio(const Desk& desk, int monitor, RegisterKey key) {
    std::uint16_t current = 0;
    std::uint16_t maximum = 0;
    // A channel without a gain control runs at full drive.
    if (!desk.ReadRegister(monitor, key, &current, &maximum) || maximum == 0) return 1.0;
    return std::min(1.0, static_cast<double>(current) / maximum);
}

}  // namespace

bool ReadLuminance(const Desk& desk, int monitor, LuminanceReadout* readout) {
    if (readout == nullptr || monitor < 0 || monitor >= desk.MonitorCount()) return false;
    LuminanceReadout result;
    if (!desk.ReadRegister(monitor, kBrightness, &result.brightness, &result.brightnessMaximum) ||
        result.brightnessMaximum == 0)
        return false;
    desk.ReadRegister(monitor, kPreset, &result.preset);

    double gamma = kDefaultGamma;
    std::uint16_t step = 0;
    if (desk.ReadRegister(monitor, kGamma, &step) && step <= 8) gamma = 1.4 + 0.2 * step;

    double white = 0;
    bool primaries = false;
    for (int i = 0; i < 3; ++i) {
        std::uint16_t tenths = 0;
        if (!desk.ReadRegister(monitor, kPrimaries[i], &tenths) || tenths == 0) continue;
        primaries = true;
        white += std::pow(GainRatio(desk, monitor, kGains[i]), gamma) * tenths / 10.0;
    }
    if (!primaries) {
        const auto& table = desk.ConfigOf(monitor).whiteLuminance;
        const auto found = table.find(result.preset);
        if (found == table.end()) return false;
        white = found->second;
    }
    result.white = white;
    result.fromPrimaries = primaries;
    result.luminance = white * result.brightness / result.brightnessMaximum;
    *readout = result;
    return true;
}

}  // namespace sim
