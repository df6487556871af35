#pragma once
// The rows a mode list shows: the name's string id and the mode value as item data,
// in ascending mode order, ready to be put into any list control.
#include <cstdint>
#include <vector>

#include "monitor/display_mode.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"

struct ModeListItem {
    std::int32_t stringId;
    DisplayMode value;

    bool operator==(const ModeListItem&) const = default;
};
using ModeList = std::vector<ModeListItem>;

// Modes 0-47 whose bit is set in `mask`. "Not change the mode" is never part of
// it; lists that offer it append NotChangeModeItem() themselves.
ModeList ModeListForMask(std::uint64_t mask);
ModeList ModeListForMonitor(const CMonitorStatus& record);
// Modes that at least one monitor offers.
ModeList ModeListForAllMonitors(const CMonitorStatusAll& all);
ModeListItem NotChangeModeItem();
// Position of the item whose data is `mode`; -1 when the list has none.
int FindModeItem(const ModeList& list, DisplayMode mode);

// Capability flags of a mode on a monitor (kModeFlag...); 0 for values outside the
// catalogue. A mode with flags 0 has nothing the user can adjust.
std::uint32_t ModeFlagsOf(const CMonitorStatus& record, DisplayMode mode);

// Reads the monitor's current mode (page 0x30, code 0xE2; up to five attempts).
// The monitor must be claimed.
bool ReadCurrentMode(MonitorList& list, const CMonitorStatus& record, bool pageSelected,
                     DisplayMode* mode);
// Puts a mode on the monitor. Only real modes that the monitor's mode mask offers
// are written; anything else is refused without traffic.
bool WriteDisplayMode(MonitorList& list, const CMonitorStatus& record, DisplayMode mode,
                      bool pageSelected);
