#include "modes/adjustment_restore.h"

#include <algorithm>
#include <array>

#include "modes/mode_lists.h"
#include "monitor/feature_reading.h"
#include "monitor/vcp.h"

namespace {

// The monitor reports this gamma step when the mode has no gamma of its own.
constexpr std::int32_t kNoGamma = 0xFF;
// Gains belong to the OFF preset and to the user preset; other presets fix them.
constexpr std::int32_t kGainPresetOff = 0;
constexpr std::int32_t kGainPresetUser = 15;

AdjustmentItem ReadItem(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                        std::uint8_t code, bool pageSelected) {
    const monitor::FeatureReading reading =
        monitor::ReadOneFeature(list, record, page, code, pageSelected);
    AdjustmentItem item;
    item.value = reading.value;
    item.maximum = reading.maximum;
    item.valid = reading.valid;
    return item;
}

void RestoreItem(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                 std::uint8_t code, bool pageSelected, const AdjustmentItem& stored) {
    if (!stored.valid) return;
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!list.ReadFeature(&record, page, code, &current, &maximum, pageSelected, true)) return;
    if (const std::optional<std::uint32_t> value = RescaledValue(stored, current, maximum))
        list.WriteFeature(&record, page, code, *value, pageSelected);
}

// The four values carry no maxima of their own: each is held to what the monitor
// reports as its maximum now, as a damaged or foreign record would otherwise
// send whatever it holds to page 0xE0. A value the monitor gives no range for
// leaves the whole set out.
void RestoreQuad(MonitorList& list, const CMonitorStatus& record, const AdjustmentData& data) {
    if (data.quadValid != 1) return;
    std::array<std::uint32_t, 4> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        if (!list.ReadFeature(&record, vcp::kQuadPage,
                              static_cast<std::uint8_t>(vcp::kQuadFirstCode + i), &current,
                              &maximum, i != 0, true) ||
            maximum == 0)
            return;
        const std::int32_t stored = data.quad[i];
        values[i] = stored < 0 ? 0u : std::min(static_cast<std::uint32_t>(stored), maximum);
    }
    list.WriteFeatureQuad(&record, 0, values, true);
}

}  // namespace

std::optional<std::uint32_t> RescaledValue(const AdjustmentItem& stored, std::uint32_t current,
                                           std::uint32_t currentMaximum) {
    if (!stored.valid || stored.maximum <= 0 || currentMaximum == 0) return std::nullopt;
    const std::int64_t scaled =
        std::int64_t{stored.value} * std::int64_t{currentMaximum} / std::int64_t{stored.maximum};
    const std::int64_t clamped =
        scaled < 0
            ? 0
            : (scaled > std::int64_t{currentMaximum} ? std::int64_t{currentMaximum} : scaled);
    const auto value = static_cast<std::uint32_t>(clamped);
    if (value == current) return std::nullopt;
    return value;
}

bool IsSetForModel(const AdjustmentData& data, const std::string& modelName) {
    return data.modelName == modelName.substr(0, AdjustmentData::kModelNameSize);
}

bool ReadAdjustmentData(MonitorList& list, const CMonitorStatus& record, AdjustmentData* data) {
    if (data == nullptr) return false;
    AdjustmentData read;
    read.modelName = record.m_strModelName.substr(0, AdjustmentData::kModelNameSize);
    read.serialNumber = record.m_strSerialNumber.substr(0, AdjustmentData::kSerialNumberSize);
    read.identity = record.m_strIdentity.substr(0, AdjustmentData::kIdentitySize);
    DisplayMode mode = 0;
    if (!ReadCurrentMode(list, record, false, &mode)) return false;
    read.mode = mode;

    // The mode read left page 0x30 selected; standard codes do not change that.
    const std::uint32_t flags = ModeFlagsOf(record, mode);
    if (flags & kModeFlagColorTemperature)
        read.colorTemperature =
            ReadItem(list, record, vcp::kColorPage, vcp::kColorTemperatureCode, true).value;
    if (flags & kModeFlagBrightness)
        read.brightness = ReadItem(list, record, vcp::kStandardPage, vcp::kBrightnessCode, false);
    if (flags & kModeFlagGains) {
        read.redGain = ReadItem(list, record, vcp::kStandardPage, vcp::kRedGainCode, false);
        read.greenGain = ReadItem(list, record, vcp::kStandardPage, vcp::kGreenGainCode, false);
        read.blueGain = ReadItem(list, record, vcp::kStandardPage, vcp::kBlueGainCode, false);
    }
    if (flags & kModeFlagGamma) {
        read.gamma = ReadItem(list, record, vcp::kColorPage, vcp::kGammaCode, true);
        if (read.gamma.value == kNoGamma) read.gamma.valid = 0;
    }
    if ((flags & kModeFlagBrightness) && record.m_ModeInfo.HasQuadSet()) {
        std::array<std::uint32_t, 4> values{};
        if (list.ReadFeatureQuad(&record, 0, &values, false)) {
            for (std::size_t i = 0; i < 4; ++i) read.quad[i] = static_cast<std::int32_t>(values[i]);
            read.quadValid = 1;
        }
    }
    if (flags & kModeFlagContrast)
        read.contrast = ReadItem(list, record, vcp::kStandardPage, vcp::kContrastCode, false);
    *data = read;
    return true;
}

void ApplyAdjustmentData(MonitorList& list, const CMonitorStatus& record,
                         const AdjustmentData& data) {
    const std::uint32_t flags = ModeFlagsOf(record, data.mode);
    // The set's values belong to its mode. A monitor that does not offer the mode,
    // or did not take it, stays in another mode, which the values would change:
    // nothing of the set is written then. The mode write leaves page 0x30 selected.
    if (!WriteDisplayMode(list, record, data.mode, false)) {
        EndColorAdjustment(list, record);
        return;
    }
    if (flags & kModeFlagColorTemperature)
        list.WriteFeature(&record, vcp::kColorPage, vcp::kColorTemperatureCode,
                          static_cast<std::uint32_t>(data.colorTemperature), true);
    if (flags & kModeFlagBrightness)
        RestoreItem(list, record, vcp::kStandardPage, vcp::kBrightnessCode, false, data.brightness);
    if ((flags & kModeFlagGains) &&
        (data.colorTemperature == kGainPresetOff || data.colorTemperature == kGainPresetUser)) {
        RestoreItem(list, record, vcp::kStandardPage, vcp::kRedGainCode, false, data.redGain);
        RestoreItem(list, record, vcp::kStandardPage, vcp::kGreenGainCode, false, data.greenGain);
        RestoreItem(list, record, vcp::kStandardPage, vcp::kBlueGainCode, false, data.blueGain);
    }
    if (flags & kModeFlagGamma)
        RestoreItem(list, record, vcp::kColorPage, vcp::kGammaCode, true, data.gamma);
    if (record.m_ModeInfo.HasQuadSet() && (flags & kModeFlagBrightness))
        RestoreQuad(list, record, data);
    if (flags & kModeFlagContrast)
        RestoreItem(list, record, vcp::kStandardPage, vcp::kContrastCode, false, data.contrast);
    EndColorAdjustment(list, record);
}

bool EndColorAdjustment(MonitorList& list, const CMonitorStatus& record) {
    return list.WriteFeature(&record, vcp::kCommandPage, vcp::kEndAdjustmentCode, 0, false);
}
