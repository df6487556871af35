#include "monitor/monitor_color.h"

#include <array>

namespace {

constexpr std::uint16_t kStandardPage = 0;
constexpr std::uint16_t kColorPage = 0x30;
constexpr std::uint8_t kModeCode = 0xE2;
constexpr std::uint8_t kColorTempCode = 0xE3;
constexpr std::uint8_t kGammaCode = 0xE4;
constexpr std::uint8_t kPresetRangeCode = 0xE5;
constexpr std::uint8_t kBrightnessCode = 0x10;
constexpr std::uint8_t kContrastCode = 0x12;
constexpr std::uint8_t kRedGainCode = 0x16;
constexpr std::uint8_t kGreenGainCode = 0x18;
constexpr std::uint8_t kBlueGainCode = 0x1A;
constexpr std::int32_t kNoGamma = 255;
// Gains belong to the OFF preset and to the user preset; other presets fix them.
constexpr std::int32_t kGainPresetOff = 0;
constexpr std::int32_t kGainPresetUser = 15;

struct Reading {
    std::int32_t current = 0;
    std::int32_t maximum = 0;
    std::int32_t valid = 0;
};

Reading Read(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
             std::uint8_t code, bool pageSelected) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    Reading reading;
    if (list.ReadFeature(&record, page, code, &current, &maximum, pageSelected, true)) {
        reading.current = static_cast<std::int32_t>(current);
        reading.maximum = static_cast<std::int32_t>(maximum);
        reading.valid = 1;
    }
    return reading;
}

void Store(const Reading& reading, std::int32_t* current, std::int32_t* maximum,
           std::int32_t* valid) {
    *current = reading.current;
    *maximum = reading.maximum;
    *valid = reading.valid;
}

}  // namespace

std::int32_t OffPresetIndex(const ExtendedFeatureMap& features) {
    const auto found = features.find(ExtendedFeatureKey{kColorPage, kColorTempCode});
    return found == features.end() ? -1 : found->second;
}

void CMonitorColor::Reset() { *this = CMonitorColor(); }

void CMonitorColor::CopyFrom(const CMonitorColor& other) { *this = other; }

bool CMonitorColor::ReadColorState(MonitorList& list, const CMonitorStatusAll& all) {
    const CMonitorStatus* record = all.Current();
    if (record == nullptr) return false;
    ReadColorState(list, *record);
    return true;
}

void CMonitorColor::ReadColorState(MonitorList& list, const CMonitorStatus& monitor) {
    const CMonitorStatus* record = &monitor;
    Reset();

    Store(Read(list, *record, kColorPage, kModeCode, false), &m_nMode, &m_nModeMax, &m_bModeValid);
    // An unread mode stays unknown: mode 0 is Text mode, whose flags would let a
    // later WriteColorState send values nothing asked for.
    if (!m_bModeValid) m_nMode = -1;
    // The colour temperature shares the mode's page. When the mode read failed the
    // page may never have been selected, and 0xE3 of another page is not this value.
    const Reading colorTemp = Read(list, *record, kColorPage, kColorTempCode, m_bModeValid != 0);
    if (colorTemp.valid) {
        m_nColorTemp = colorTemp.current;
        m_nOffPreset = OffPresetIndex(record->m_ExtFeatures);
        m_bColorTempValid = 1;
    }
    Store(Read(list, *record, kStandardPage, kBrightnessCode, false), &m_nBrightness,
          &m_nBrightnessMax, &m_bBrightnessValid);
    Store(Read(list, *record, kStandardPage, kRedGainCode, false), &m_nRedGain, &m_nRedGainMax,
          &m_bRedGainValid);
    Store(Read(list, *record, kStandardPage, kGreenGainCode, false), &m_nGreenGain,
          &m_nGreenGainMax, &m_bGreenGainValid);
    Store(Read(list, *record, kStandardPage, kBlueGainCode, false), &m_nBlueGain,
          &m_nBlueGainMax, &m_bBlueGainValid);
    Store(Read(list, *record, kColorPage, kGammaCode, false), &m_nGamma, &m_nGammaMax,
          &m_bGammaValid);
    Store(Read(list, *record, kStandardPage, kContrastCode, false), &m_nContrast,
          &m_nContrastMax, &m_bContrastValid);
    const Reading presetRange = Read(list, *record, kColorPage, kPresetRangeCode, false);
    m_nPresetRange = presetRange.current;
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
        colorPageSelected = list.WriteFeature(record, kColorPage, kModeCode, value(m_nMode), false);
    if (m_bColorTempValid && (flags & kModeFlagColorTemperature))
        colorPageSelected = list.WriteFeature(record, kColorPage, kColorTempCode,
                                              value(m_nColorTemp), colorPageSelected) ||
                            colorPageSelected;
    if (m_bBrightnessValid && (flags & kModeFlagBrightness))
        list.WriteFeature(record, kStandardPage, kBrightnessCode, value(m_nBrightness), false);
    if (m_nColorTemp == kGainPresetOff || m_nColorTemp == kGainPresetUser) {
        if (m_bRedGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, kStandardPage, kRedGainCode, value(m_nRedGain), false);
        if (m_bGreenGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, kStandardPage, kGreenGainCode, value(m_nGreenGain), false);
        if (m_bBlueGainValid && (flags & kModeFlagGains))
            list.WriteFeature(record, kStandardPage, kBlueGainCode, value(m_nBlueGain), false);
    }
    if (m_bGammaValid && (flags & kModeFlagGamma) && m_nGamma != kNoGamma)
        list.WriteFeature(record, kColorPage, kGammaCode, value(m_nGamma), colorPageSelected);
    if (m_bQuadValid && (flags & kModeFlagBrightness)) {
        const std::array<std::uint32_t, 4> values = {value(m_nQuad[0]), value(m_nQuad[1]),
                                                     value(m_nQuad[2]), value(m_nQuad[3])};
        list.WriteFeatureQuad(record, 0, values, false);
    }
    if (m_bContrastValid && (flags & kModeFlagContrast))
        list.WriteFeature(record, kStandardPage, kContrastCode, value(m_nContrast), false);
}
