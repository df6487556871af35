#pragma once
// The per-monitor record the pages work on. Every monitor access operation
// takes one; it uses only the leading fields below, so a temporary record with
// just these filled in can talk to a monitor (discovery does that for the
// extended capabilities block).
#include <cstdint>

#include "monitor/capabilities.h"
#include "platform/types.h"

class CMonitorStatus {
public:
    CMonitorStatus() = default;
    CMonitorStatus(const CMonitorStatus&) = default;
    CMonitorStatus& operator=(const CMonitorStatus&) = default;
    virtual ~CMonitorStatus() = default;

    // Copied from the MonitorEntry; always 1 in a built record.
    std::uint8_t m_bUsable = 0;
    // Points at the physical-handle field of the MonitorEntry the record was built
    // from; null means no monitor. Valid until the next discovery run.
    const platform::PhysicalMonitorHandle* m_phPhysicalMonitor = nullptr;
    // Copies of the entry's parsed capabilities.
    FeatureMap m_Features;
    ExtendedFeatureMap m_ExtFeatures;
};
