#include "modes/switching_step.h"

SwitchingStepResult RunSwitchingStep(CForegroundWatch& watch, CModeSwitcher& switcher,
                                     CRegistry& registry, const std::vector<AppModeRule>& rules,
                                     const TargetItem* defaultTarget, bool perScreen) {
    SwitchingStepResult result;
    if (!watch.Poll(&result.change)) return result;
    result.evaluated = true;
    result.target = ResolveSwitchTarget(registry, rules, result.change.application, defaultTarget);
    switcher.Apply(result.target, perScreen ? &result.change.display : nullptr);
    return result;
}
