#include "modes/auto_switch_settings.h"

#include "modes/app_rules.h"

namespace {

constexpr const char* kModeChange = "ModeChange";
constexpr const char* kMonIndepend = "MonIndepend";
constexpr const char* kDefMode = "DefMode";
constexpr const char* kDefModeName = "DefModeName";
constexpr std::uint32_t kDefModeNameBytes = 260;

bool ReadFlag(CRegistry& registry, const char* valueName, bool absent) {
    std::uint32_t value = 0;
    if (registry.ReadDword(valueName, &value, kVistrelRootKey)) return value != 0;
    registry.WriteDword(valueName, absent ? 1 : 0, kVistrelRootKey);
    return absent;
}

}  // namespace

bool ReadAutoSwitchOn(CRegistry& registry) {
    return ReadFlag(registry, kModeChange, true);
}

void StoreAutoSwitchOn(CRegistry& registry, bool on) {
    registry.WriteDword(kModeChange, on ? 1 : 0, kVistrelRootKey);
}

bool ReadPerScreenSwitching(CRegistry& registry) {
    return ReadFlag(registry, kMonIndepend, false);
}

void StorePerScreenSwitching(CRegistry& registry, bool on) {
    registry.WriteDword(kMonIndepend, on ? 1 : 0, kVistrelRootKey);
}

DefaultTargetSetting ReadDefaultTarget(CRegistry& registry) {
    DefaultTargetSetting setting;
    std::uint32_t mode = 0;
    if (registry.ReadDword(kDefMode, &mode, kVistrelRootKey))
        setting.mode = static_cast<DisplayMode>(mode);
    if (setting.mode > kModeNotChange) {
        setting.nameRead = ReadBoundedText(registry, kDefModeName, kDefModeNameBytes,
                                           kRuleTextLength, kVistrelRootKey, &setting.name);
    }
    return setting;
}

void StoreDefaultTarget(CRegistry& registry, DisplayMode mode, const std::string& name) {
    registry.WriteDword(kDefMode, static_cast<std::uint32_t>(mode), kVistrelRootKey);
    if (mode == kModeAdjustmentData) {
        registry.WriteString(kDefModeName, name.c_str(),
                             static_cast<std::uint32_t>(name.size() + 1), kVistrelRootKey);
    } else {
        registry.DeleteValue(kDefModeName, kVistrelRootKey);
    }
}
