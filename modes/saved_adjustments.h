#pragma once
// What automatic mode switching needs of the saved adjustment data sets: their
// names, the model each was saved on, and the restore of a set's values onto a
// monitor. The colour page owns the sets; switching only reads and applies them.
#include <string>
#include <vector>

class CMonitorStatus;
class MonitorList;

class CSavedAdjustments {
public:
    virtual ~CSavedAdjustments() = default;
    // Names of the stored sets in registry order.
    virtual std::vector<std::string> Names() = 0;
    // Model name the set was saved on; false when no set of that name can be read.
    virtual bool ModelOf(const std::string& name, std::string* model) = 0;
    // The set was saved on a monitor of this record's model.
    virtual bool IsForMonitor(const std::string& name, const CMonitorStatus& record) = 0;
    // Puts the set's mode, preset and values on a monitor that is claimed and
    // allows adjustment, each rescaled to the monitor's maximum and written only
    // when it differs, and ends the adjustment as a restore on the colour page does.
    virtual void Restore(const std::string& name, MonitorList& list,
                         const CMonitorStatus& record) = 0;
};
