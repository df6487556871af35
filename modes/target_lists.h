#pragma once
// The two target lists of the mode page: the target of the selected application
// and the default target of all other applications. Each item is a picture mode
// (its data is the mode), "Not change the mode" (48, default list only) or a
// saved adjustment data set (data 255, shown by its name).
#include <cstdint>
#include <string>
#include <vector>

#include "modes/app_rules.h"
#include "modes/auto_switch_settings.h"
#include "monitor/display_mode.h"

struct TargetItem {
    DisplayMode data = kModeNotChange;
    std::int32_t stringId = 0;  // name of a mode; 0 for a data set
    std::string setName;        // name of a data set

    bool IsSet() const { return data == kModeAdjustmentData; }
    bool operator==(const TargetItem&) const = default;
};
using TargetList = std::vector<TargetItem>;

// The modes of `modeMask` in ascending order, then the saved sets.
TargetList RuleTargetList(std::uint64_t modeMask, const std::vector<std::string>& setNames);
// The same with "Not change the mode" after the modes.
TargetList DefaultTargetList(std::uint64_t modeMask, const std::vector<std::string>& setNames);

// The data-set entry of exactly this name; a mode whose name reads the same is
// never taken for it. -1 when there is none.
int FindSetItem(const TargetList& list, const std::string& name);
// The mode entry (or "Not change the mode") with this data; -1 when absent.
int FindModeItem(const TargetList& list, DisplayMode mode);

// Which entry shows a rule's target: none for "no rule", the set entry for a set
// rule, the mode entry otherwise.
int RuleTargetIndex(const TargetList& list, const AppModeRule& rule);

struct DefaultTargetChoice {
    int index = -1;
    // The stored set is gone: the default falls back to "Not change the mode",
    // and the stored values must say so too.
    bool resetStored = false;
};
DefaultTargetChoice ChooseDefaultTarget(const TargetList& list,
                                        const DefaultTargetSetting& setting);

// Whether the target selected in the list differs from what the shown
// application's rule stores, so leaving it would lose the user's choice.
bool HasUnsavedChange(const AppModeRule& shown, const TargetItem* selected);
