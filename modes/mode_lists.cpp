#include "modes/mode_lists.h"

#include "monitor/vcp.h"

ModeList ModeListForMask(std::uint64_t mask) {
    ModeList list;
    for (DisplayMode mode = kFirstDisplayMode; mode <= kLastDisplayMode; ++mode) {
        if (mask & DisplayModeMaskBit(mode)) list.push_back({DisplayModeStringId(mode), mode});
    }
    return list;
}

ModeList ModeListForMonitor(const CMonitorStatus& record) {
    return ModeListForMask(record.m_ModeInfo.ModeMask());
}

ModeList ModeListForAllMonitors(const CMonitorStatusAll& all) {
    return ModeListForMask(all.CombinedModeMask());
}

ModeListItem NotChangeModeItem() {
    return {DisplayModeStringId(kModeNotChange), kModeNotChange};
}

int FindModeItem(const ModeList& list, DisplayMode mode) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].value == mode) return static_cast<int>(i);
    return -1;
}

std::uint32_t ModeFlagsOf(const CMonitorStatus& record, DisplayMode mode) {
    return record.m_ModeInfo.ModeFlags(mode);
}

bool ReadCurrentMode(MonitorList& list, const CMonitorStatus& record, bool pageSelected,
                     DisplayMode* mode) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (mode == nullptr || !list.ReadFeature(&record, vcp::kColorPage, vcp::kModeCode, &current,
                                             &maximum, pageSelected, true))
        return false;
    *mode = static_cast<DisplayMode>(current);
    return true;
}

bool WriteDisplayMode(MonitorList& list, const CMonitorStatus& record, DisplayMode mode,
                      bool pageSelected) {
    if (mode < kFirstDisplayMode || mode > kLastDisplayMode || !record.m_ModeInfo.HasMode(mode))
        return false;
    return list.WriteFeature(&record, vcp::kColorPage, vcp::kModeCode,
                             static_cast<std::uint32_t>(mode), pageSelected);
}
