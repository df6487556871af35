#pragma once
// Rules of the colour detail dialog that need no window: slider ranges and
// positions, the texts beside the sliders, what the mode lets the user adjust and
// which pictures show it.
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/color_tables.h"  // GammaText: the gamma a step stands for
#include "monitor/monitor_color.h"

// Colour temperature presets 0-24 have names; "OFF" for 0, kelvin for the rest.
std::string PresetName(std::int32_t preset);

struct SliderSetup {
    bool usable = false;  // false: the slider stays disabled
    int minimum = 0;
    int maximum = 0;
    int position = 0;
};

// The presets a monitor offers: set bits 0-24 of its preset mask, ascending.
std::vector<std::int32_t> AvailablePresets(std::uint32_t presetMask);
// One position per offered preset; the last one is held back while the monitor's
// user-preset indicator (page 0x30 code 0xE5) reads 0. Without any preset to offer
// the slider is unusable.
SliderSetup TemperatureSlider(const std::vector<std::int32_t>& available,
                              std::int32_t currentPreset, bool indicatorValid,
                              std::int32_t indicator);
// Gamma steps 0-8 that the monitor's gamma step mask offers; unusable (range 0-8)
// for a value above 8 or an empty mask.
SliderSetup GammaSlider(std::uint32_t gammaMask, std::int32_t value);

// The preset's text: its name, "Native" or "User". `upper` is the value it is
// compared with (see the dialog); `indicatorReadable` whether page 0x30 code 0xE5
// could be read. Presets without a name show nothing.
std::string TemperatureText(std::int32_t preset, std::int32_t upper, bool indicatorReadable);
// value x 100 / maximum as a whole number; empty for a maximum of 0.
std::string PercentText(std::int32_t value, std::int32_t maximum);

// What the current mode lets the user adjust.
struct DetailEnabling {
    bool temperature = false;
    bool brightness = false;
    bool contrast = false;
    bool gamma = false;
    bool gains = false;  // each gain also needs its own value
    bool reset = false;

    bool operator==(const DetailEnabling&) const = default;
};
DetailEnabling DetailControls(const CMonitorColor& color, std::uint32_t modeFlags);

// Bitmap of the colour bar: whether the temperature can be adjusted, whether the
// user preset is (or may be) in use, and whether the display has fewer than 16 bits
// per pixel.
unsigned ColorBarBitmap(bool adjustable, bool userPreset, bool lowColor);
