#include "calmira/reminder_check.h"

namespace calmira {

CMonitorStatus* FindTarget(const CMonitorStatusAll& records, const ReminderTarget& target) {
    for (int i = 0; i < records.Count(); ++i) {
        CMonitorStatus* record = records.At(i);
        if (record->m_strModelName == target.modelName &&
            record->m_strSerialNumber == target.serialNumber) {
            return record;
        }
    }
    return nullptr;
}

bool TargetAllowsReminder(MonitorList& monitors, const CMonitorStatusAll& records,
                          const ReminderTarget& target, bool calmiraDialogOpen) {
    // The dialog edits these very settings; a reminder now would be out of date.
    if (calmiraDialogOpen) return false;
    CMonitorStatus* record = FindTarget(records, target);
    if (record == nullptr) return false;
    const bool ready = monitors.AcquireMonitor(record->m_phPhysicalMonitor, true) &&
                       monitors.IsMonitorReady(record);
    monitors.ReleaseMonitor(record->m_phPhysicalMonitor);
    return ready;
}

}  // namespace calmira
