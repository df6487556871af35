#pragma once
// Which monitors take part in matching and what is known about them without
// asking the monitor.
#include <string>

#include "monitor/display_mode.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status.h"

class MatchSupport {
public:
    // A match model's name appears anywhere in the record's model name
    // (case-sensitive), as the monitors report names with maker suffixes.
    bool IsMatchModel(const std::string& modelName) const;
    // Row of the factory luminance table: the first listed name contained in the
    // model name; -1 when none is.
    int MatchModelRow(const std::string& modelName) const;
    // The factory's maximum luminance of the record's model at a colour temperature
    // preset; false for a model without a row and for presets outside 1-14.
    bool TableLuminance(const CMonitorStatus& record, int colorTemperature,
                        double* luminance) const;
    // Whether the luminance estimate of the record may use the gamma chosen in the
    // wizard: only models whose measured primaries follow the gamma setting, and
    // only in a mode where gamma is adjustable. Otherwise gamma 2.2 is assumed.
    bool UsesWizardGamma(const CMonitorStatus& record, DisplayMode mode) const;
    // Puts back the mode, colour temperature, gamma and brightness saved when the
    // wizard started, writing only what differs. The monitor must be claimed.
    bool RestoreSavedState(MonitorList& list, const CMonitorStatus& record) const;
};
