#pragma once
// The records of the usable monitors, in discovery order, and the current monitor
// that every page acts on.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "monitor/monitor_status.h"

class CMonitorStatusAll {
public:
    CMonitorStatusAll() = default;
    CMonitorStatusAll(const CMonitorStatusAll&) = delete;
    CMonitorStatusAll& operator=(const CMonitorStatusAll&) = delete;
    virtual ~CMonitorStatusAll() = default;

    int Count() const { return static_cast<int>(m_records.size()); }
    // Null when the index is out of range.
    CMonitorStatus* At(int index) const;
    void Add(std::unique_ptr<CMonitorStatus> record);
    // Deletes every record. There is no current monitor until the next
    // SelectFirstMonitor: the old handle reference would outlive its entry.
    void Clear();

    // Makes the monitor with the lowest order key current (the first of equal
    // keys); keys of 0xFFFF and above are never chosen. Returns the record count.
    int SelectFirstMonitor();
    // Makes record `index` current; an index out of range changes nothing.
    void SelectMonitor(int index);
    // The current record, null when there is none.
    CMonitorStatus* Current() const { return At(m_nCurMonitor); }

    // OR of every record's mode mask: the modes some monitor offers.
    std::uint64_t CombinedModeMask() const;

    std::int32_t m_nCurMonitor = 0;
    const platform::PhysicalMonitorHandle* m_hCurMonitor = nullptr;
    // Set while a multi-step dialog (colour detail, match wizard) works on a monitor.
    std::int32_t m_bBusy = 0;

private:
    std::vector<std::unique_ptr<CMonitorStatus>> m_records;
};
