#pragma once
// The saved adjustment data sets as automatic mode switching sees them: the sets
// of the `Color` key, restored with the same rules as on the colour page.
#include "modes/adjustment_store.h"
#include "modes/saved_adjustments.h"

class CStoredAdjustments : public CSavedAdjustments {
public:
    explicit CStoredAdjustments(platform::Registry& registry) : m_store(registry) {}

    std::vector<std::string> Names() override;
    bool ModelOf(const std::string& name, std::string* model) override;
    bool IsForMonitor(const std::string& name, const CMonitorStatus& record) override;
    // A set that cannot be read (absent, damaged) changes nothing on the monitor.
    void Restore(const std::string& name, MonitorList& list, const CMonitorStatus& record) override;

private:
    AdjustmentStore m_store;
};
