#include "match/match_support.h"

#include "monitor/color_tables.h"
#include "monitor/vcp.h"

namespace {

// A saved gamma of 255 means the monitor had no gamma setting in that mode.
constexpr std::int32_t kNoGamma = 255;

const char* const kWizardGammaModels[] = {"TQ6600W", "TQ7000Q"};

bool Contains(const std::string& text, const char* name) {
    return text.find(name) != std::string::npos;
}

// Reads a register and writes `wanted` when it holds something else.
bool RestoreRegister(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                     std::uint8_t code, std::int32_t wanted, bool pageSelected) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!list.ReadFeature(&record, page, code, &current, &maximum, pageSelected, true))
        return false;
    if (static_cast<std::int64_t>(current) == wanted) return true;
    if (wanted < 0) return false;
    return list.WriteFeature(&record, page, code, static_cast<std::uint32_t>(wanted), true);
}

}  // namespace

int MatchSupport::MatchModelRow(const std::string& modelName) const {
    for (int row = 0; row < kLuminanceModelCount; ++row)
        if (Contains(modelName, LuminanceModelName(row))) return row;
    return -1;
}

bool MatchSupport::IsMatchModel(const std::string& modelName) const {
    return MatchModelRow(modelName) >= 0;
}

bool MatchSupport::TableLuminance(const CMonitorStatus& record, int colorTemperature,
                                  double* luminance) const {
    const int row = MatchModelRow(record.m_strModelName);
    return row >= 0 && ::TableLuminance(row, colorTemperature, luminance);
}

bool MatchSupport::UsesWizardGamma(const CMonitorStatus& record, DisplayMode mode) const {
    if ((record.m_ModeInfo.ModeFlags(mode) & kModeFlagGamma) == 0) return false;
    for (const char* name : kWizardGammaModels)
        if (Contains(record.m_strModelName, name)) return true;
    return false;
}

bool MatchSupport::RestoreSavedState(MonitorList& list, const CMonitorStatus& record) const {
    const MonitorMatchRecord& saved = record.m_Match;
    const std::uint32_t flags = record.m_ModeInfo.ModeFlags(saved.savedMode);
    bool restored =
        RestoreRegister(list, record, vcp::kColorPage, vcp::kModeCode, saved.savedMode, false);
    if ((flags & kModeFlagColorTemperature) != 0)
        restored &= RestoreRegister(list, record, vcp::kColorPage, vcp::kColorTemperatureCode,
                                    saved.savedColorTemperature, true);
    if ((flags & kModeFlagGamma) != 0 && saved.savedGamma != kNoGamma)
        restored &=
            RestoreRegister(list, record, vcp::kColorPage, vcp::kGammaCode, saved.savedGamma, true);
    if ((flags & kModeFlagBrightness) != 0)
        restored &= RestoreRegister(list, record, vcp::kStandardPage, vcp::kBrightnessCode,
                                    saved.savedBrightness, true);
    return restored;
}
