#pragma once
// The bracket around monitor work on the current monitor: claimed on creation
// (with retry), released when it ends, also when the claim failed, as the access
// layer expects.
#include "shell/win/vistrel_app.h"

class CMonitorClaim {
public:
    CMonitorClaim() : m_app(VistrelApp()), m_handle(m_app.m_statusAll.m_hCurMonitor) {
        if (m_handle != nullptr) m_app.m_monitors.AcquireMonitor(m_handle, true);
    }
    ~CMonitorClaim() {
        if (m_handle != nullptr) m_app.m_monitors.ReleaseMonitor(m_handle);
    }
    CMonitorClaim(const CMonitorClaim&) = delete;
    CMonitorClaim& operator=(const CMonitorClaim&) = delete;

    // The current monitor's record; null when there is none.
    CMonitorStatus* Record() const {
        return m_handle != nullptr ? m_app.m_statusAll.Current() : nullptr;
    }
    MonitorList& List() const { return m_app.m_monitors; }
    // The monitor accepts the maker's commands (the adjustment check).
    bool Ready() const { return Record() != nullptr && List().IsMonitorReady(Record()); }

private:
    CVistrelApp& m_app;
    const platform::PhysicalMonitorHandle* m_handle;
};
