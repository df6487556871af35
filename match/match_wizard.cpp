#include "match/match_wizard.h"

#include <algorithm>

#include "monitor/capabilities.h"
#include "monitor/color_tables.h"
#include "monitor/monitor_color.h"
#include "monitor/vcp.h"

namespace {

constexpr std::uint8_t kPrimaryCodes[3] = {vcp::kRedPrimaryCode, vcp::kGreenPrimaryCode,
                                           vcp::kBluePrimaryCode};
constexpr std::uint8_t kGainCodes[3] = {vcp::kRedGainCode, vcp::kGreenGainCode, vcp::kBlueGainCode};

// The DICOM mode is calibrated; the wizard must not change what it shows.
constexpr DisplayMode kDicomMode = 8;
constexpr std::int32_t kLastOrderKey = 0xFFFF;
// Gamma steps 0-8 (gamma 1.4 to 3.0).
constexpr int kGammaSteps = 9;

// The primaries are reported in tenths of the luminance unit.
constexpr double kPrimaryScale = 10.0;

struct Reading {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
};

bool Read(MonitorList& list, const CMonitorStatus& record, std::uint16_t page, std::uint8_t code,
          bool pageSelected, Reading* reading) {
    return list.ReadFeature(&record, page, code, &reading->current, &reading->maximum, pageSelected,
                            true);
}

// The claim bracket: the monitor is released before the caller learns the result.
template <typename Work>
bool WithMonitor(MonitorList& list, const CMonitorStatus& record, Work work) {
    bool done = list.AcquireMonitor(record.m_phPhysicalMonitor, true);
    if (done) done = work();
    list.ReleaseMonitor(record.m_phPhysicalMonitor);
    return done;
}

}  // namespace

MatchWizard::MatchWizard(MonitorList& list, CMonitorStatusAll& all) : m_list(list), m_all(all) {}

int MatchWizard::MarkCandidates(CMonitorStatusAll& all) {
    MatchSupport support;
    int count = 0;
    for (int i = 0; i < all.Count(); ++i) {
        CMonitorStatus* record = all.At(i);
        if (support.IsMatchModel(record->m_strModelName)) {
            record->m_Match.candidate = 1;
            ++count;
        }
    }
    return count;
}

std::vector<int> MatchWizard::Candidates() const {
    std::vector<int> indices;
    for (int i = 0; i < m_all.Count(); ++i)
        if (m_all.At(i)->m_Match.candidate != 0) indices.push_back(i);
    return indices;
}

CMonitorStatus* MatchWizard::Master() const {
    CMonitorStatus* record = m_all.At(m_state.masterIndex);
    return record != nullptr && record->m_Match.candidate != 0 ? record : nullptr;
}

bool MatchWizard::Start() {
    // Records outlive a run: what the last run saved and measured must not leak
    // into this one (a primary once valid would stay valid otherwise).
    for (int i = 0; i < m_all.Count(); ++i) {
        MonitorMatchRecord& match = m_all.At(i)->m_Match;
        const std::int32_t candidate = match.candidate;
        match = MonitorMatchRecord();
        match.candidate = candidate;
    }
    m_state = MatchWizardState();
    m_statesSaved = false;

    int master = -1;
    std::int32_t lowest = kLastOrderKey;
    for (int index : Candidates()) {
        const std::int32_t key = m_all.At(index)->m_nOrderKey;
        if (static_cast<std::uint32_t>(key) < static_cast<std::uint32_t>(lowest)) {
            lowest = key;
            master = index;
        }
    }
    if (master < 0) return false;
    return SelectMaster(master);
}

bool MatchWizard::SelectMaster(int recordIndex) {
    CMonitorStatus* record = m_all.At(recordIndex);
    if (record == nullptr || record->m_Match.candidate == 0) return false;
    m_state.masterIndex = recordIndex;
    m_state.masterHandle = record->m_phPhysicalMonitor;
    return true;
}

bool MatchWizard::SaveStates() {
    m_statesSaved = false;
    for (int index : Candidates()) {
        CMonitorStatus& record = *m_all.At(index);
        MonitorMatchRecord& match = record.m_Match;
        const bool saved = WithMonitor(m_list, record, [&] {
            Reading mode, temperature, gamma, brightness;
            if (!m_list.IsMonitorReady(&record) ||
                !Read(m_list, record, vcp::kColorPage, vcp::kModeCode, false, &mode) ||
                !Read(m_list, record, vcp::kColorPage, vcp::kColorTemperatureCode, true,
                      &temperature) ||
                !Read(m_list, record, vcp::kColorPage, vcp::kGammaCode, true, &gamma) ||
                !Read(m_list, record, vcp::kStandardPage, vcp::kBrightnessCode, true, &brightness))
                return false;
            match.savedMode = static_cast<std::int32_t>(mode.current);
            match.savedColorTemperature = static_cast<std::int32_t>(temperature.current);
            match.offPresetIndex = OffPresetIndex(record.m_ExtFeatures);
            match.savedGamma = static_cast<std::int32_t>(gamma.current);
            match.gammaMaximum = static_cast<std::int32_t>(gamma.maximum);
            match.savedBrightness = static_cast<std::int32_t>(brightness.current);
            match.brightnessMaximum = static_cast<std::int32_t>(brightness.maximum);
            return true;
        });
        if (!saved) return false;
    }
    m_statesSaved = true;
    return true;
}

bool MatchWizard::ReadMasterMode() {
    const CMonitorStatus* master = Master();
    if (master == nullptr) return false;
    return WithMonitor(m_list, *master, [&] {
        Reading mode;
        if (!m_list.IsMonitorReady(master) ||
            !Read(m_list, *master, vcp::kColorPage, vcp::kModeCode, false, &mode))
            return false;
        m_state.mode = static_cast<DisplayMode>(mode.current);
        return true;
    });
}

bool MatchWizard::WriteMasterMode(DisplayMode mode) {
    m_state.mode = mode;
    const CMonitorStatus* master = Master();
    if (master == nullptr || mode < 0) return false;
    return WithMonitor(m_list, *master, [&] {
        Reading readBack;
        return m_list.IsMonitorReady(master) &&
               m_list.WriteFeature(master, vcp::kColorPage, vcp::kModeCode,
                                   static_cast<std::uint32_t>(mode), false) &&
               Read(m_list, *master, vcp::kColorPage, vcp::kModeCode, true, &readBack) &&
               readBack.current == static_cast<std::uint32_t>(mode);
    });
}

bool MatchWizard::CanLeaveStep1(DisplayMode mode) {
    return mode != kDicomMode;
}

bool MatchWizard::ReadMasterColor() {
    const CMonitorStatus* master = Master();
    if (master == nullptr) return false;
    return WithMonitor(m_list, *master, [&] {
        Reading mode, temperature, gamma;
        if (!m_list.IsMonitorReady(master) ||
            !Read(m_list, *master, vcp::kColorPage, vcp::kModeCode, false, &mode) ||
            !Read(m_list, *master, vcp::kColorPage, vcp::kColorTemperatureCode, true,
                  &temperature) ||
            !Read(m_list, *master, vcp::kColorPage, vcp::kGammaCode, true, &gamma))
            return false;
        m_state.mode = static_cast<DisplayMode>(mode.current);
        m_state.colorTemperature = static_cast<std::int32_t>(temperature.current);
        m_state.gamma = static_cast<std::int32_t>(gamma.current);
        return true;
    });
}

std::uint32_t MatchWizard::MasterModeFlags() const {
    const CMonitorStatus* master = Master();
    return master != nullptr ? master->m_ModeInfo.ModeFlags(m_state.mode) : 0;
}

bool MatchWizard::WriteColorTemperature(std::int32_t preset) {
    const CMonitorStatus* master = Master();
    if (master == nullptr || preset < 0) return false;
    const bool written = WithMonitor(m_list, *master, [&] {
        return m_list.WriteFeature(master, vcp::kColorPage, vcp::kColorTemperatureCode,
                                   static_cast<std::uint32_t>(preset), false);
    });
    if (written) m_state.colorTemperature = preset;
    return written;
}

bool MatchWizard::WriteGamma(std::int32_t gamma) {
    const CMonitorStatus* master = Master();
    if (master == nullptr || gamma < 0) return false;
    const bool written = WithMonitor(m_list, *master, [&] {
        return m_list.WriteFeature(master, vcp::kColorPage, vcp::kGammaCode,
                                   static_cast<std::uint32_t>(gamma), false);
    });
    if (written) m_state.gamma = gamma;
    return written;
}

bool MatchWizard::CanLeaveStep2() const {
    const CMonitorStatus* master = Master();
    const std::int32_t preset = m_state.colorTemperature;
    return preset != 0 && (master == nullptr || preset != master->m_Match.offPresetIndex);
}

MatchWizard::GammaRange MatchWizard::MasterGammaRange() const {
    GammaRange range;
    const CMonitorStatus* master = Master();
    if (master == nullptr) return range;
    const std::uint32_t mask = master->m_ModeInfo.GammaMask();
    bool found = false;
    for (int bit = 0; bit < kGammaSteps; ++bit) {
        if (((mask >> bit) & 1u) == 0) continue;
        if (!found) range.lowest = bit;
        range.highest = bit;
        found = true;
    }
    return range;
}

std::int32_t MatchWizard::MoveGamma(std::int32_t position) {
    if (position == m_state.gamma) return position;
    const GammaRange range = MasterGammaRange();
    const std::int32_t gamma = std::clamp(position, range.lowest, range.highest);
    return WriteGamma(gamma) ? gamma : m_state.gamma;
}

bool MatchWizard::ReadMasterBrightness() {
    const CMonitorStatus* master = Master();
    Reading brightness;
    if (master == nullptr ||
        !Read(m_list, *master, vcp::kStandardPage, vcp::kBrightnessCode, false, &brightness))
        return false;
    m_state.masterBrightness = static_cast<std::int32_t>(brightness.current);
    return true;
}

std::uint32_t MatchWizard::MasterBrightnessMaximum() const {
    const CMonitorStatus* master = Master();
    if (master == nullptr || master->m_Match.brightnessMaximum < 0) return 0;
    return static_cast<std::uint32_t>(master->m_Match.brightnessMaximum);
}

bool MatchWizard::VerifyWrite(const CMonitorStatus& record, std::uint16_t page, std::uint8_t code,
                              std::int32_t value, bool pageSelected) {
    Reading reading;
    if (!Read(m_list, record, page, code, pageSelected, &reading)) return false;
    if (static_cast<std::int64_t>(reading.current) == value) return true;
    if (value < 0) return false;
    m_list.WriteFeature(&record, page, code, static_cast<std::uint32_t>(value), true);
    return Read(m_list, record, page, code, true, &reading) &&
           static_cast<std::int64_t>(reading.current) == value;
}

bool MatchWizard::ApplyMasterColor(const CMonitorStatus& record) {
    if (!VerifyWrite(record, vcp::kColorPage, vcp::kModeCode, m_state.mode, false)) return false;
    const std::uint32_t flags = record.m_ModeInfo.ModeFlags(m_state.mode);
    if ((flags & kModeFlagColorTemperature) != 0 &&
        !VerifyWrite(record, vcp::kColorPage, vcp::kColorTemperatureCode, m_state.colorTemperature,
                     true))
        return false;
    if ((flags & kModeFlagGamma) != 0 &&
        !VerifyWrite(record, vcp::kColorPage, vcp::kGammaCode, m_state.gamma, true))
        return false;
    return true;
}

bool MatchWizard::ReadPrimariesAndGains(CMonitorStatus& record) {
    MonitorMatchRecord& match = record.m_Match;
    PrimaryLuminance* primaries[3] = {&match.redPrimary, &match.greenPrimary, &match.bluePrimary};
    for (int i = 0; i < 3; ++i) {
        // A monitor that does not list a primary simply has none to report.
        if (!HasExtendedFeature(record.m_ExtFeatures, vcp::kColorPage, kPrimaryCodes[i], -1))
            continue;
        Reading reading;
        if (!Read(m_list, record, vcp::kColorPage, kPrimaryCodes[i], true, &reading)) return false;
        if (reading.current != 0 && reading.maximum != 0) {
            primaries[i]->current = reading.current / kPrimaryScale;
            primaries[i]->maximum = reading.maximum / kPrimaryScale;
            primaries[i]->valid = 1;
        }
    }
    std::int32_t* gains[3][2] = {{&match.redGain, &match.redMaximum},
                                 {&match.greenGain, &match.greenMaximum},
                                 {&match.blueGain, &match.blueMaximum}};
    for (int i = 0; i < 3; ++i) {
        Reading reading;
        if (!Read(m_list, record, vcp::kStandardPage, kGainCodes[i], true, &reading)) return false;
        *gains[i][0] = static_cast<std::int32_t>(reading.current);
        *gains[i][1] = static_cast<std::int32_t>(reading.maximum);
    }
    return true;
}

bool MatchWizard::EstimateLuminance(CMonitorStatus& record) {
    MonitorMatchRecord& match = record.m_Match;
    // A gamma index outside the monitors' steps (255: no gamma in this mode)
    // says nothing about the curve; the usual 2.2 is assumed then.
    const bool wizardGamma = m_support.UsesWizardGamma(record, m_state.mode) &&
                             m_state.gamma >= 0 && m_state.gamma < kGammaStepCount;
    match.luminanceGammaIndex = wizardGamma ? m_state.gamma : kDefaultGammaStep;
    double luminance = 0;
    bool estimated = false;
    if (match.redPrimary.valid != 0) {
        estimated = LuminanceFromPrimaries(
            {match.redGain, match.redMaximum, match.redPrimary.current},
            {match.greenGain, match.greenMaximum, match.greenPrimary.current},
            {match.blueGain, match.blueMaximum, match.bluePrimary.current},
            match.luminanceGammaIndex, &luminance);
    } else {
        estimated = m_support.TableLuminance(record, m_state.colorTemperature, &luminance);
    }
    match.estimatedMaxLuminance = estimated ? luminance : 0;
    return estimated;
}

bool MatchWizard::PrepareLimit() {
    m_state.minimumLuminance = 0;
    for (int index : Candidates()) {
        CMonitorStatus& record = *m_all.At(index);
        const bool read = WithMonitor(m_list, record, [&] {
            return m_list.IsMonitorReady(&record) && ApplyMasterColor(record) &&
                   ReadPrimariesAndGains(record);
        });
        if (!read || !EstimateLuminance(record)) return false;
        const double luminance = record.m_Match.estimatedMaxLuminance;
        if (m_state.minimumLuminance == 0 || luminance < m_state.minimumLuminance)
            m_state.minimumLuminance = luminance;
    }
    const CMonitorStatus* master = Master();
    if (master == nullptr) return false;
    BrightnessLimit limit;
    if (!ComputeBrightnessLimit(m_state.minimumLuminance, master->m_Match.estimatedMaxLuminance,
                                MasterBrightnessMaximum(), &limit))
        return false;
    m_state.brightnessLimit = limit.limit;
    m_state.limitPercent = limit.percent;
    return true;
}

bool MatchWizard::SetMasterBrightness(std::uint32_t position) {
    const CMonitorStatus* master = Master();
    if (master == nullptr ||
        !m_list.WriteFeature(master, vcp::kStandardPage, vcp::kBrightnessCode, position, false))
        return false;
    m_state.masterBrightness = static_cast<std::int32_t>(position);
    return true;
}

bool MatchWizard::Transfer(std::uint32_t position) {
    const CMonitorStatus* master = Master();
    double target = 0;
    if (master == nullptr || !TargetLuminance(position, master->m_Match.estimatedMaxLuminance,
                                              MasterBrightnessMaximum(), &target))
        return false;

    struct Plan {
        CMonitorStatus* record;
        std::uint32_t brightness;
    };
    std::vector<Plan> plans;
    for (int index : Candidates()) {
        CMonitorStatus* record = m_all.At(index);
        const MonitorMatchRecord& match = record->m_Match;
        if (match.brightnessMaximum <= 0) return false;
        const auto maximum = static_cast<std::uint32_t>(match.brightnessMaximum);
        std::uint32_t brightness = 0;
        if (!TransferBrightness(target, match.estimatedMaxLuminance, maximum, &brightness))
            return false;
        // The master keeps the setting the user chose on it.
        if (record == master && target != 0)
            brightness = std::min<std::uint32_t>(
                static_cast<std::uint32_t>(std::max(m_state.masterBrightness, 0)), maximum);
        plans.push_back({record, brightness});
    }

    for (const Plan& plan : plans) {
        CMonitorStatus& record = *plan.record;
        const bool done = WithMonitor(m_list, record, [&] {
            if (!m_list.IsMonitorReady(&record) || !ApplyMasterColor(record)) return false;
            if ((record.m_ModeInfo.ModeFlags(m_state.mode) & kModeFlagBrightness) != 0) {
                Reading readBack;
                if (!m_list.WriteFeature(&record, vcp::kStandardPage, vcp::kBrightnessCode,
                                         plan.brightness, true) ||
                    !Read(m_list, record, vcp::kStandardPage, vcp::kBrightnessCode, true,
                          &readBack) ||
                    readBack.current != plan.brightness)
                    return false;
            }
            return m_list.WriteFeature(&record, vcp::kCommandPage, vcp::kEndAdjustmentCode, 0,
                                       false);
        });
        if (!done) return false;
    }
    return true;
}

bool MatchWizard::Restore() {
    // Without saved states there is nothing to go back to: writing the zeroed
    // fields would change the monitors instead of restoring them.
    if (!m_statesSaved) return true;
    bool restored = true;
    for (int index : Candidates()) {
        CMonitorStatus& record = *m_all.At(index);
        restored &= WithMonitor(m_list, record, [&] {
            if (!m_list.IsMonitorReady(&record)) return false;
            const bool settings = m_support.RestoreSavedState(m_list, record);
            const bool ended =
                m_list.WriteFeature(&record, vcp::kCommandPage, vcp::kEndAdjustmentCode, 0, false);
            return settings && ended;
        });
    }
    return restored;
}
