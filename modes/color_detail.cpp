#include "modes/color_detail.h"

#include "monitor/color_tables.h"
#include "monitor/display_mode.h"
#include "resources/controller/resource.h"

namespace {

constexpr std::int32_t kLastNamedPreset = kColorTemperaturePresetCount - 1;
constexpr std::int32_t kHighestGammaStep = kGammaStepCount - 1;

}  // namespace

std::string PresetName(std::int32_t preset) {
    const char* label = ColorTemperatureLabel(preset);
    return label != nullptr ? std::string(label) : std::string();
}

std::vector<std::int32_t> AvailablePresets(std::uint32_t presetMask) {
    std::vector<std::int32_t> presets;
    for (std::int32_t preset = 0; preset <= kLastNamedPreset; ++preset) {
        if (presetMask & (std::uint32_t{1} << preset)) presets.push_back(preset);
    }
    return presets;
}

SliderSetup TemperatureSlider(const std::vector<std::int32_t>& available,
                              std::int32_t currentPreset, bool indicatorValid,
                              std::int32_t indicator) {
    SliderSetup setup;
    int upper = static_cast<int>(available.size()) - 1;
    if (indicatorValid && indicator == 0) --upper;
    if (upper < 0) return setup;
    setup.usable = true;
    setup.maximum = upper;
    for (std::size_t i = 0; i < available.size(); ++i) {
        if (available[i] == currentPreset) setup.position = static_cast<int>(i);
    }
    return setup;
}

SliderSetup GammaSlider(std::uint32_t gammaMask, std::int32_t value) {
    SliderSetup setup;
    setup.maximum = kHighestGammaStep;
    int lowest = -1;
    int highest = -1;
    for (int step = 0; step <= kHighestGammaStep; ++step) {
        if (gammaMask & (std::uint32_t{1} << step)) {
            if (lowest < 0) lowest = step;
            highest = step;
        }
    }
    if (value < 0 || value > kHighestGammaStep || lowest < 0) return setup;
    setup.usable = true;
    setup.minimum = lowest;
    setup.maximum = highest;
    setup.position = value;
    return setup;
}

std::string TemperatureText(std::int32_t preset, std::int32_t upper, bool indicatorReadable) {
    if ((preset != 0 && preset != upper) || !indicatorReadable)
        return PresetName(preset == upper ? 0 : preset);
    return preset != 0 ? "User" : "Native";
}

std::string PercentText(std::int32_t value, std::int32_t maximum) {
    if (maximum == 0) return std::string();
    const std::int64_t percent = std::int64_t{value} * 100 / maximum;
    return std::to_string(percent);
}

DetailEnabling DetailControls(const CMonitorColor& color, std::uint32_t modeFlags) {
    DetailEnabling enabling;
    enabling.temperature = color.m_bColorTempValid && (modeFlags & kModeFlagColorTemperature);
    enabling.brightness = color.m_bBrightnessValid && (modeFlags & kModeFlagBrightness);
    enabling.contrast = color.m_bContrastValid && (modeFlags & kModeFlagContrast);
    enabling.gamma = color.m_bGammaValid && (modeFlags & kModeFlagGamma);
    enabling.gains = (modeFlags & kModeFlagGains) != 0;
    enabling.reset = (modeFlags & kModeFlagReset) != 0;
    return enabling;
}

unsigned ColorBarBitmap(bool adjustable, bool userPreset, bool lowColor) {
    if (adjustable) {
        if (userPreset) return lowColor ? IDB_STEP2_TEMPERATURE_LOWCOLOR : IDB_STEP2_TEMPERATURE;
        return lowColor ? IDB_COLOR_BAR_LOWCOLOR : IDB_COLOR_BAR;
    }
    if (userPreset) return lowColor ? IDB_STEP2_NO_TEMPERATURE_LOWCOLOR : IDB_STEP2_NO_TEMPERATURE;
    return lowColor ? IDB_COLOR_BAR_FIXED_LOWCOLOR : IDB_COLOR_BAR_FIXED;
}
