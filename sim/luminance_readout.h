#pragma once
// What a simulated monitor's screen would measure: the luminance of full white
// at the monitor's current settings. End-to-end tests compare monitors with it
// after a program has matched them.
#include <cstdint>

#include "sim/desk.h"

namespace sim {

struct LuminanceReadout {
    // Full white at full brightness with the current preset, gains and gamma.
    double white = 0;
    // White scaled by brightness (VCP 0x10) over its maximum.
    double luminance = 0;
    std::uint16_t brightness = 0;
    std::uint16_t brightnessMaximum = 0;
    std::uint16_t preset = 0;
    // Where the white came from: the primaries or the configured white table.
    bool fromPrimaries = false;
};

// False for a monitor that reports no primaries at its preset and has no white
// luminance configured for it, or that has no brightness register.
bool ReadLuminance(const Desk& desk, int monitor, LuminanceReadout* readout);

}  // namespace sim
