#pragma once
// One period of automatic switching: watch the foreground, and when another
// application (or the same window on another display) came to the front, put
// its target on the monitors.
#include <string>
#include <vector>

#include "modes/foreground_watch.h"
#include "modes/mode_switcher.h"

struct SwitchingStepResult {
    bool evaluated = false;  // an application came to the front
    ForegroundChange change;
    SwitchTarget target;
};

// With `perScreen` only the monitors of the display under the window switch.
SwitchingStepResult RunSwitchingStep(CForegroundWatch& watch, CModeSwitcher& switcher,
                                     CRegistry& registry, const std::vector<AppModeRule>& rules,
                                     const TargetItem* defaultTarget, bool perScreen);
