#include "modes/adjustment_restore.h"

#include <algorithm>
#include <array>

#include "modes/mode_lists.h"

namespace {

constexpr std::uint16_t kStandardPage = 0;
constexpr std::uint16_t kColorPage = 0x30;
constexpr std::uint16_t kQuadPage = 0xE0;
constexpr std::uint8_t kQuadFirstCode = 0xE4;
constexpr std::uint16_t kCommandPage = 0xF0;
constexpr std::uint8_t kColorTempCode = 0xE3;
constexpr std::uint8_t kGammaCode = 0xE4;
constexpr std::uint8_t kEndAdjustmentCode = 0xE3;
constexpr std::uint8_t kBrightnessCode = 0x10;
constexpr std::uint8_t kContrastCode = 0x12;
constexpr std::uint8_t kRedGainCode = 0x16;
constexpr std::uint8_t kGreenGainCode = 0x18;
constexpr std::uint8_t kBlueGainCode = 0x1A;
// The monitor reports this gamma step when the mode has no gamma of its own.
constexpr std::int32_t kNoGamma = 0xFF;
// Gains belong to the OFF preset and to the user preset; other presets fix them.
constexpr std::int32_t kGainPresetOff = 0;
constexpr std::int32_t kGainPresetUser = 15;

AdjustmentItem ReadItem(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                        std::uint8_t code, bool pageSelected) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    AdjustmentItem item;
    if (list.ReadFeature(&record, page, code, &current, &maximum, pageSelected, true)) {
        item.value = static_cast<std::int32_t>(current);
        item.maximum = static_cast<std::int32_t>(maximum);
        item.valid = 1;
    }
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
        if (!list.ReadFeature(&record, kQuadPage, static_cast<std::uint8_t>(kQuadFirstCode + i), &current, &maximum,
                              i != 0, true) ||
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
        scaled < 0 ? 0 : (scaled > std::int64_t{currentMaximum} ? std::int64_t{currentMaximum} : scaled);
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
        read.colorTemperature = ReadItem(list, record, kColorPage, kColorTempCode, true).value;
    if (flags & kModeFlagBrightness)
        read.brightness = ReadItem(list, record, kStandardPage, kBrightnessCode, false);
    if (flags & kModeFlagGains) {
        read.redGain = ReadItem(list, record, kStandardPage, kRedGainCode, false);
        read.greenGain = ReadItem(list, record, kStandardPage, kGreenGainCode, false);
        read.blueGain = ReadItem(list, record, kStandardPage, kBlueGainCode, false);
    }
    if (flags & kModeFlagGamma) {
        read.gamma = ReadItem(list, record, kColorPage, kGammaCode, true);
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
        read.contrast = ReadItem(list, record, kStandardPage, kContrastCode, false);
    *data = read;
    return true;
}

void ApplyAdjustmentData(MonitorList& list, const CMonitorStatus& record, const AdjustmentData& data) {
    const std::uint32_t flags = ModeFlagsOf(record, data.mode);
    // The set's values belong to its mode. A monitor that does not offer the mode,
    // or did not take it, stays in another mode, which the values would change:
    // nothing of the set is written then. The mode write leaves page 0x30 selected.
    if (!WriteDisplayMode(list, record, data.mode, false)) {
        EndColorAdjustment(list, record);
        return;
    }
    if (flags & kModeFlagColorTemperature)
        list.WriteFeature(&record, kColorPage, kColorTempCode,
                          static_cast<std::uint32_t>(data.colorTemperature), true);
    if (flags & kModeFlagBrightness)
        RestoreItem(list, record, kStandardPage, kBrightnessCode, false, data.brightness);
    if ((flags & kModeFlagGains) &&
        (data.colorTemperature == kGainPresetOff || data.colorTemperature == kGainPresetUser)) {
        RestoreItem(list, record, kStandardPage, kRedGainCode, false, data.redGain);
        RestoreItem(list, record, kStandardPage, kGreenGainCode, false, data.greenGain);
        RestoreItem(list, record, kStandardPage, kBlueGainCode, false, data.blueGain);
    }
    if (flags & kModeFlagGamma)
        RestoreItem(list, record, kColorPage, kGammaCode, true, data.gamma);
    if (record.m_ModeInfo.HasQuadSet() && (flags & kModeFlagBrightness)) RestoreQuad(list, record, data);
    if (flags & kModeFlagContrast)
        RestoreItem(list, record, kStandardPage, kContrastCode, false, data.contrast);
    EndColorAdjustment(list, record);
}

bool EndColorAdjustment(MonitorList& list, const CMonitorStatus& record) {
    return list.WriteFeature(&record, kCommandPage, kEndAdjustmentCode, 0, false);
}
