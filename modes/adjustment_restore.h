#pragma once
// Saving a monitor's colour settings as an adjustment data set, and putting a set
// back onto a monitor. The colour page registers and restores sets with these; the
// automatic mode switching restores the sets its rules name.
//
// Every call needs the monitor claimed (AcquireMonitor) by the caller; none checks
// whether the monitor allows adjustment, which stays the caller's decision.
#include <cstdint>
#include <optional>
#include <string>

#include "modes/adjustment_data.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status.h"

// The value to write for a stored item on a monitor that now reads `current` of
// `currentMaximum`: the stored value scaled to the current maximum (in 64 bits,
// clamped to 0..currentMaximum). Nothing to write when the item is not valid, when
// either maximum is 0, or when the monitor already holds that value.
std::optional<std::uint32_t> RescaledValue(const AdjustmentItem& stored, std::uint32_t current,
                                           std::uint32_t currentMaximum);

// The set was saved on a monitor of this model. Compared within the 18 bytes a
// set keeps of the name.
bool IsSetForModel(const AdjustmentData& data, const std::string& modelName);

// Reads from the monitor what a set keeps: identity, mode, and what the mode's
// capability flags make adjustable. False, with nothing worth storing, when the
// mode cannot be read: a set with mode 0 would force Text mode on every restore.
bool ReadAdjustmentData(MonitorList& list, const CMonitorStatus& record, AdjustmentData* data);

// Puts a set onto the monitor, in this order: the mode; the colour temperature
// preset; brightness; the gains (only when the stored preset is 0 or 15); gamma;
// the four-value set; contrast; then ends the adjustment (page 0xF0 code 0xE3 = 0).
// Levels are rescaled to the monitor's maxima and written only when they differ;
// the four-value set (flag exactly 1) is held to the maxima the monitor reports.
// A mode the monitor does not offer or did not take writes nothing of the set,
// only the end of the adjustment.
void ApplyAdjustmentData(MonitorList& list, const CMonitorStatus& record,
                         const AdjustmentData& data);

// Tells the monitor that the colour adjustment is over: page 0xF0 code 0xE3 = 0.
bool EndColorAdjustment(MonitorList& list, const CMonitorStatus& record);
