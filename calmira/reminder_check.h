#pragma once
// Whether the reminder may be shown now: the target monitor must be connected
// and, claimed for a moment, report that it takes adjustments.
#include "calmira/reminder_settings.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"

namespace calmira {

// The first record with exactly the target's model name and serial number, or null.
CMonitorStatus* FindTarget(const CMonitorStatusAll& records, const ReminderTarget& target);

// Claims the target, asks whether it is ready and gives it back before
// returning, so that nothing shown afterwards runs with the monitor claimed.
// False when the Calmira dialog is open, the target is absent or not ready.
bool TargetAllowsReminder(MonitorList& monitors, const CMonitorStatusAll& records,
                          const ReminderTarget& target, bool calmiraDialogOpen);

}  // namespace calmira
