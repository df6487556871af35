#include "monitor/monitor_status_all.h"

CMonitorStatus* CMonitorStatusAll::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_records[static_cast<std::size_t>(index)].get();
}

void CMonitorStatusAll::Add(std::unique_ptr<CMonitorStatus> record) {
    if (record) m_records.push_back(std::move(record));
}

void CMonitorStatusAll::Clear() {
    m_records.clear();
    m_nCurMonitor = -1;
    m_hCurMonitor = nullptr;
}

int CMonitorStatusAll::SelectFirstMonitor() {
    m_nCurMonitor = -1;
    m_hCurMonitor = nullptr;
    // Compared unsigned: a key that is negative or 0xFFFF and above never wins.
    std::uint32_t lowest = 0xFFFF;
    for (int i = 0; i < Count(); ++i) {
        const CMonitorStatus* record = At(i);
        const auto key = static_cast<std::uint32_t>(record->m_nOrderKey);
        if (key < lowest) {
            lowest = key;
            m_nCurMonitor = i;
            m_hCurMonitor = record->m_phPhysicalMonitor;
        }
    }
    return Count();
}

void CMonitorStatusAll::SelectMonitor(int index) {
    const CMonitorStatus* record = At(index);
    if (record == nullptr) return;
    m_nCurMonitor = index;
    m_hCurMonitor = record->m_phPhysicalMonitor;
}

std::uint64_t CMonitorStatusAll::CombinedModeMask() const {
    std::uint64_t mask = 0;
    for (const auto& record : m_records) mask |= record->m_ModeInfo.ModeMask();
    return mask;
}
