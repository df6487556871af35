#include "monitor/monitor_color.h"

#include <array>

#include "monitor/feature_reading.h"
#include "monitor/vcp.h"

namespace {

constexpr std::int32_t kNoGamma = 255;
// Gains belong to the OFF preset and to the user preset; other presets fix them.
constexpr std::int32_t kGainPresetOff = 0;
constexpr std::int32_t kGainPresetUser = 15;

void Store(const monitor::FeatureReading& reading, std::int32_t* current, std::int32_t* maximum,
           std::int32_t* valid) {
    *current = reading.value;
    *maximum = reading.maximum;
    *valid = reading.valid;
}

}  // namespace

std::int32_t OffPresetIndex(const ExtendedFeatureMap& features) {
    const auto found =
        features.find(ExtendedFeatureKey{vcp::kColorPage, vcp::kColorTemperatureCode});
    return found == features.end() ? -1 : found->second;
}

void CMonitorColor::Reset() {
    *this = CMonitorColor();
}

void CMonitorColor::CopyFrom(const CMonitorColor& other) {
    *this = other;
}

bool CMonitorColor::ReadColorState(MonitorList& list, const CMonitorStatusAll& all) {
    const CMonitorStatus* record = all.Current();
    if (record == nullptr) return false;
    ReadColorState(list, *record);
    return true;
}

void CMonitorColor::ReadColorState(MonitorList& list, const CMonitorStatus& monitor) {
    const CMonitorStatus* record = &monitor;
    Reset();

    Store(monitor::ReadOneFeature(list, *record, vcp::kColorPage, vcp::kModeCode, false), &m_nMode,
          &m_nModeMax, &m_bModeValid);
    // An unread mode stays unknown: mode 0 is Text mode, whose flags would let a
    // later WriteColorState send values nothing asked for.
    if (!m_bModeValid) m_nMode = -1;
    // The colour temperature shares the mode's page. When the mode read failed the
    // page may never have been selected, and 0xE3 of another page is not this value.
    const monitor::FeatureReading colorTemp = monitor::ReadOneFeature(
        list, *record, vcp::kColorPage, vcp::kColorTemperatureCode, m_bModeValid != 0);
    if (colorTemp.valid) {
        m_nColorTemp = colorTemp.value;
        m_nOffPreset = OffPresetIndex(record->m_ExtFeatures);
        m_bColorTempValid = 1;
    }
    Store(monitor::ReadOneFeature(list, *record, vcp::kStandardPage, vcp::kBrightnessCode, false),
          &m_nBrightness, &m_nBrightnessMax, &m_bBrightnessValid);
    Store(monitor::ReadOneFeature(list, *record, vcp::kStandardPage, vcp::kRedGainCode, false),
          &m_nRedGain, &m_nRedGainMax, &m_bRedGainValid);
    Store(monitor::ReadOneFeature(list, *record, vcp::kStandardPage, vcp::kGreenGainCode, false),
          &m_nGreenGain, &m_nGreenGainMax, &m_bGreenGainValid);
    Store(monitor::ReadOneFeature(list, *record, vcp::kStandardPage, vcp::kBlueGainCode, false),
          &m_nBlueGain, &m_nBlueGainMax, &m_bBlueGainValid);
    Store(monitor::ReadOneFeature(list, *record, vcp::kColorPage, vcp::kGammaCode, false),
          &m_nGamma, &m_nGammaMax, &m_bGammaValid);
    Store(monitor::ReadOneFeature(list, *record, vcp::kStandardPage, vcp::kContrastCode, false),
          &m_nContrast, &m_nContrastMax, &m_bContrastValid);
    const monitor::FeatureReading presetRange =
        monitor::ReadOneFeature(list, *record, vcp::kColorPage, vcp::kPresetRangeCode, false);
    m_nPresetRange = presetRange.value;
    m_bPresetRangeValid = presetRange.valid;

    if (record->m_ModeInfo.HasQuadSet()) {
        std::array<std::uint32_t, 4> values{};
        if (list.ReadFeatureQuad(record, 0, &values, false)) {
            for (int i = 0; i < 4; ++i) m_nQuad[i] = static_cast<std::int32_t>(values[i]);
            m_bQuadValid = 1;
        }
    }
}

bool CMonitorColor::WriteColorState(MonitorList& list, const CMonitorStatusAll& all) const {
    const CMonitorStatus* record = all.Current();
    if (record == nullptr) return false;
    WriteColorState(list, *record);
    return true;
}

void CMonitorColor::WriteColorState(MonitorList& list, const CMonitorStatus& monitor) const {
    const CMonitorStatus* record = &monitor;
    // Modes outside the catalogue have no flags, so nothing that depends on them is written.
    const std::uint32_t flags = record->m_ModeInfo.ModeFlags(m_nMode);
    const auto value = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };

    // Page 0x30 counts as selected only after a write on it went through; a failed
    // selection must not send the next value to another page's register.
    bool colorPageSelected = false;
    if (m_bModeValid)
        colorPageSelected =
            list.WriteFeature(record, vcp::kColorPage, vcp::kModeCode, value(m_nMode), false);
    if (m_bColorTempValid && (flags & kModeFlagColorTemperature))
        colorPageSelected = list.WriteFeature(record, vcp::kColorPage, vcp::kColorTemperatureCode,
                                              value(m_nColorTemp), colorPageSelected) ||
                            colorPageSelected;
    if (m_bBrightnessValid && (flags & kModeFlagBrightness))
        list.WriteFeature(record, vcp::kStandardPage, vcp::kBrightnessCode, value(m_nBrightness),
                          false);
    if (m_nColorTemp == kGainPresetOff || m_nColorTemp == kGainPresetUser) {
        if (m_bRedGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, vcp::kStandardPage, vcp::kRedGainCode, value(m_nRedGain),
                              false);
        if (m_bGreenGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, vcp::kStandardPage, vcp::kGreenGainCode, value(m_nGreenGain),
                              false);
        if (m_bBlueGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, vcp::kStandardPage, vcp::kBlueGainCode, value(m_nBlueGain),
                              false);
    }
    if (m_bGammaValid && (flags & kModeFlagGamma) && m_nGamma != kNoGamma)
        list.WriteFeature(record, vcp::kColorPage, vcp::kGammaCode, value(m_nGamma),
                          colorPageSelected);
    if (m_bQuadValid && (flags & kModeFlagBrightness)) {
        const std::array<std::uint32_t, 4> values = {value(m_nQuad[0]), value(m_nQuad[1]),
                                                     value(m_nQuad[2]), value(m_nQuad[3])};
        list.WriteFeatureQuad(record, 0, values, false);
    }
    if (m_bContrastValid && (flags & kModeFlagContrast))
        list.WriteFeature(record, vcp::kStandardPage, vcp::kContrastCode, value(m_nContrast),
                          false);
}
