#pragma once
// The monitor work of the multi-monitor match wizard, step by step, and the
// state the wizard carries from one step to the next. The wizard's windows call
// these and show the results; every operation that claims a monitor has
// released it again when it returns, so a failure message is never shown while
// a monitor's owner register still holds this program.
#include <cstdint>
#include <vector>

#include "match/luminance.h"
#include "match/match_support.h"
#include "monitor/display_mode.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"

// What the wizard knows about the master and the user's choices.
struct MatchWizardState {
    std::int32_t masterIndex = 0;
    const platform::PhysicalMonitorHandle* masterHandle = nullptr;
    double minimumLuminance = 0;
    std::uint32_t brightnessLimit = 0;
    std::uint32_t limitPercent = 0;
    DisplayMode mode = 0;
    std::int32_t colorTemperature = 0;
    std::int32_t gamma = 0;
    std::int32_t masterBrightness = 0;
};

class MatchWizard {
public:
    MatchWizard(MonitorList& list, CMonitorStatusAll& all);

    // ---- The tab page ----------------------------------------------------------
    // Marks every record of a match model as a candidate; returns how many there are.
    static int MarkCandidates(CMonitorStatusAll& all);

    // ---- Step 1: master and mode -------------------------------------------------
    // Forgets what an earlier run learned about the monitors (saved settings,
    // primaries, estimates) and picks the default master: the candidate with the
    // lowest order key. False when there is no candidate.
    bool Start();
    // Candidate record indices in record order.
    std::vector<int> Candidates() const;
    CMonitorStatus* Master() const;
    bool SelectMaster(int recordIndex);
    // Saves mode, colour temperature, gamma and brightness of every candidate so
    // that Cancel can put them back. False at the first candidate that fails.
    bool SaveStates();
    // The master's current mode into state().mode.
    bool ReadMasterMode();
    // Puts `mode` on the master and reads it back.
    bool WriteMasterMode(DisplayMode mode);
    // "&Next" is offered for every mode except DICOM, which must not be altered.
    static bool CanLeaveStep1(DisplayMode mode);

    // ---- Step 2: colour temperature and gamma -------------------------------------
    // Reads the master's mode, colour temperature and gamma into the state.
    bool ReadMasterColor();
    // The master's mode flags for the chosen mode.
    std::uint32_t MasterModeFlags() const;
    bool WriteColorTemperature(std::int32_t preset);
    bool WriteGamma(std::int32_t gamma);
    // "&Next" of step 2: not at preset 0 nor at the master's own OFF preset, whose
    // picture has no colour temperature to carry over.
    bool CanLeaveStep2() const;
    // The gamma steps the master offers: lowest to highest set bit of its gamma
    // mask (both 0 for an empty mask).
    struct GammaRange {
        int lowest = 0;
        int highest = 0;
    };
    GammaRange MasterGammaRange() const;
    // Gamma slider moved to `position`: clamped into the master's range, written
    // when it differs from the wizard's gamma. Returns where the slider must stand:
    // the new gamma, or the old one when the write failed.
    std::int32_t MoveGamma(std::int32_t position);

    // ---- Step 3: brightness -------------------------------------------------------
    // The master's brightness into state().masterBrightness.
    bool ReadMasterBrightness();
    // The master's brightness maximum as saved at the start; 0 when unknown.
    std::uint32_t MasterBrightnessMaximum() const;
    // Puts the master's mode, colour temperature and gamma on every candidate,
    // reads what the estimate needs, and works out the brightness limit. False at
    // the first candidate that fails or when no limit can be computed.
    bool PrepareLimit();
    // Slider moved: the master's brightness, written without claiming the monitor
    // (brightness is a standard code).
    bool SetMasterBrightness(std::uint32_t position);
    // Whether "&Finish" may be used at a slider position.
    bool WithinLimit(std::uint32_t position) const { return position <= m_state.brightnessLimit; }
    // "&Finish": gives every candidate the master's picture at the brightness that
    // matches the master's luminance at `position`. Every brightness is worked out
    // before the first write, so nonsense from one monitor changes none.
    bool Transfer(std::uint32_t position);

    // ---- Cancel ---------------------------------------------------------------------
    // Puts back what SaveStates saved, on every candidate it reached; a monitor
    // that fails does not keep the others from being restored. Does nothing
    // when the states were never saved.
    bool Restore();
    bool StatesSaved() const { return m_statesSaved; }

    MatchWizardState& state() { return m_state; }
    const MatchWizardState& state() const { return m_state; }

private:
    bool ApplyMasterColor(const CMonitorStatus& record);
    bool ReadPrimariesAndGains(CMonitorStatus& record);
    bool EstimateLuminance(CMonitorStatus& record);
    bool VerifyWrite(const CMonitorStatus& record, std::uint16_t page, std::uint8_t code,
                     std::int32_t value, bool pageSelected);

    MonitorList& m_list;
    CMonitorStatusAll& m_all;
    MatchSupport m_support;
    MatchWizardState m_state;
    bool m_statesSaved = false;
};
