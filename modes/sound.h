#pragma once
// The monitor's speaker: the volume (VCP 0x62) and the maker's two sound commands
// on page 0xF0. What a monitor can do is told by word 7 of its mode information.
#include <cstdint>

#include "monitor/monitor_list.h"
#include "monitor/monitor_status.h"

inline constexpr std::uint32_t kSoundVolumeBit = 0x00000002;   // volume can be read and set
inline constexpr std::uint32_t kSoundPresentBit = 0x80000000;  // any sound function; reset

struct VolumeReading {
    std::uint32_t current = 0;
    std::uint32_t maximum = 30;  // what the page shows for a monitor that tells nothing
};

struct SoundEnabling {
    bool volume = false;  // trackbar and its value field
    bool reset = false;

    bool operator==(const SoundEnabling&) const = default;
};
SoundEnabling SoundControls(std::uint32_t soundWord, bool ready);

// The volume when the monitor has one and the read succeeds; 0 of 30 otherwise.
VolumeReading ReadVolume(MonitorList& list, const CMonitorStatus& record);
bool WriteVolume(MonitorList& list, const CMonitorStatus& record, std::uint32_t volume);
// Tells the monitor its sound settings are no longer on show (page 0xF0 code 0xE3 = 10).
bool SendLeaveSound(MonitorList& list, const CMonitorStatus& record);
// The monitor puts its sound settings back to the factory's (page 0xF0 code 0xE2 = 4).
bool SendSoundReset(MonitorList& list, const CMonitorStatus& record);
