#pragma once
// What automatic switching puts on the monitors, and the putting itself: a
// picture mode, or a saved adjustment data set on the monitors of its model.
#include <functional>
#include <string>
#include <vector>

#include "modes/app_rules.h"
#include "modes/saved_adjustments.h"
#include "modes/target_lists.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"
#include "shell/registry.h"

struct SwitchTarget {
    enum class Kind { Nothing, Mode, AdjustmentSet };
    Kind kind = Kind::Nothing;
    DisplayMode mode = kModeNotChange;
    std::string setName;

    bool operator==(const SwitchTarget&) const = default;
};

// The application's rule decides; without one, or when the rule's set name is
// gone, the default target selected in the page does (none selected: nothing).
SwitchTarget ResolveSwitchTarget(CRegistry& registry, const std::vector<AppModeRule>& rules,
                                 const std::string& application, const TargetItem* defaultTarget);

class CModeSwitcher {
public:
    CModeSwitcher(MonitorList& list, CMonitorStatusAll& all, CSavedAdjustments& sets)
        : m_list(list), m_all(all), m_sets(sets) {}

    // Told true before and false after a set is restored on a monitor, which takes
    // long enough for the user to be shown a wait cursor.
    std::function<void(bool busy)> m_onLongWork;

    // Puts the target on every monitor, or with `onlyDisplay` only on the monitors
    // of that display.
    void Apply(const SwitchTarget& target, const std::string* onlyDisplay);
    void PutMode(DisplayMode mode, const std::string* onlyDisplay);
    // Applies the set to the monitors of the model it was saved on. Returns how
    // many monitors are of that model (whether or not they took it, and on any
    // display); -1 when the set cannot be read.
    int ApplySet(const std::string& name, const std::string* onlyDisplay);

    // One monitor: claimed, read, written only when its mode differs and it offers
    // the mode, released. A monitor another program holds is left alone.
    bool PutModeOn(CMonitorStatus& record, DisplayMode mode);
    void ApplySetOn(CMonitorStatus& record, const std::string& name);

private:
    MonitorList& m_list;
    CMonitorStatusAll& m_all;
    CSavedAdjustments& m_sets;
};
