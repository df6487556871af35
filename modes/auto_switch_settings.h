#pragma once
// The root values of automatic mode switching: the master switch, switching per
// screen, and the default target for applications without a rule.
#include <string>

#include "monitor/display_mode.h"
#include "shell/registry.h"

// "ModeChange": absent means on, and 1 is stored so the choice is visible.
bool ReadAutoSwitchOn(CRegistry& registry);
void StoreAutoSwitchOn(CRegistry& registry, bool on);
// "MonIndepend": absent means off, and 0 is stored.
bool ReadPerScreenSwitching(CRegistry& registry);
void StorePerScreenSwitching(CRegistry& registry, bool on);

struct DefaultTargetSetting {
    DisplayMode mode = kModeNotChange;  // "DefMode"; 48 when absent
    bool nameRead = false;              // "DefModeName" could be read (only looked at above 48)
    std::string name;
};
DefaultTargetSetting ReadDefaultTarget(CRegistry& registry);
// "DefMode" = mode; "DefModeName" = name for a data set, deleted otherwise.
void StoreDefaultTarget(CRegistry& registry, DisplayMode mode, const std::string& name);
