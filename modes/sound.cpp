#include "modes/sound.h"

#include "monitor/vcp.h"

namespace {

constexpr std::uint32_t kSoundResetValue = 4;
constexpr std::uint32_t kLeaveSoundValue = 10;

}  // namespace

SoundEnabling SoundControls(std::uint32_t soundWord, bool ready) {
    if (!ready) return SoundEnabling{};
    return SoundEnabling{(soundWord & kSoundVolumeBit) != 0, (soundWord & kSoundPresentBit) != 0};
}

VolumeReading ReadVolume(MonitorList& list, const CMonitorStatus& record) {
    VolumeReading reading;
    if ((record.m_ModeInfo.SoundWord() & kSoundVolumeBit) == 0) return reading;
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (list.ReadFeature(&record, vcp::kStandardPage, vcp::kVolumeCode, &current, &maximum, false,
                         true)) {
        reading.current = current;
        reading.maximum = maximum;
    }
    return reading;
}

bool WriteVolume(MonitorList& list, const CMonitorStatus& record, std::uint32_t volume) {
    return list.WriteFeature(&record, vcp::kStandardPage, vcp::kVolumeCode, volume, false);
}

bool SendLeaveSound(MonitorList& list, const CMonitorStatus& record) {
    return list.WriteFeature(&record, vcp::kCommandPage, vcp::kEndAdjustmentCode, kLeaveSoundValue,
                             false);
}

bool SendSoundReset(MonitorList& list, const CMonitorStatus& record) {
    return list.WriteFeature(&record, vcp::kCommandPage, vcp::kResetCode, kSoundResetValue, false);
}
