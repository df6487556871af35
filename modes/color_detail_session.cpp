#include "modes/color_detail_session.h"

#include "modes/color_detail.h"
#include "modes/mode_lists.h"
#include "monitor/display_mode.h"
#include "monitor/vcp.h"

namespace {

constexpr std::uint32_t kAdjusting = 1;
constexpr std::uint32_t kAdjustmentDone = 2;
constexpr std::uint32_t kAdjustmentLeft = 0;

struct LevelInfo {
    std::uint8_t code;
    int pageSize;  // 0: a fifth of the maximum
};

// Brightness, contrast and the gains, by slider.
LevelInfo LevelOf(DetailSlider slider) {
    switch (slider) {
        case DetailSlider::Brightness:
            return {vcp::kBrightnessCode, 40};
        case DetailSlider::Contrast:
            return {vcp::kContrastCode, 0};
        case DetailSlider::Red:
            return {vcp::kRedGainCode, 51};
        case DetailSlider::Green:
            return {vcp::kGreenGainCode, 51};
        case DetailSlider::Blue:
            return {vcp::kBlueGainCode, 51};
        default:
            return {0, 1};
    }
}

struct Level {
    std::int32_t* value;
    std::int32_t* maximum;
    std::int32_t* valid;
};

Level LevelFields(CMonitorColor& c, DetailSlider slider) {
    switch (slider) {
        case DetailSlider::Brightness:
            return {&c.m_nBrightness, &c.m_nBrightnessMax, &c.m_bBrightnessValid};
        case DetailSlider::Contrast:
            return {&c.m_nContrast, &c.m_nContrastMax, &c.m_bContrastValid};
        case DetailSlider::Red:
            return {&c.m_nRedGain, &c.m_nRedGainMax, &c.m_bRedGainValid};
        case DetailSlider::Green:
            return {&c.m_nGreenGain, &c.m_nGreenGainMax, &c.m_bGreenGainValid};
        default:
            return {&c.m_nBlueGain, &c.m_nBlueGainMax, &c.m_bBlueGainValid};
    }
}

bool IsGain(DetailSlider slider) {
    return slider == DetailSlider::Red || slider == DetailSlider::Green ||
           slider == DetailSlider::Blue;
}

// The bracket of every multi-step access: claimed with retry, released also when
// the claim failed, as the access layer expects.
class Claim {
public:
    Claim(MonitorList& list, const CMonitorStatus& record) : m_list(list), m_record(record) {
        m_list.AcquireMonitor(m_record.m_phPhysicalMonitor, true);
    }
    ~Claim() { m_list.ReleaseMonitor(m_record.m_phPhysicalMonitor); }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    bool Ready() const { return m_list.IsMonitorReady(&m_record); }

private:
    MonitorList& m_list;
    const CMonitorStatus& m_record;
};

}  // namespace

CColorDetailSession::CColorDetailSession(MonitorList& list, const CMonitorStatus& record,
                                         CMonitorColor& color)
    : m_list(list), m_record(record), m_color(color) {}

std::uint32_t CColorDetailSession::ModeFlags() const {
    return ModeFlagsOf(m_record, m_color.m_nMode);
}

bool CColorDetailSession::TemperatureAdjustable() const {
    return (ModeFlags() & kModeFlagColorTemperature) != 0;
}

bool CColorDetailSession::UserPresetInUse() const {
    return !m_color.m_bPresetRangeValid || m_color.m_nPresetRange != 0;
}

bool CColorDetailSession::TakeColorBarChange() {
    const bool changed = m_bColorBarChanged;
    m_bColorBarChanged = false;
    return changed;
}

// ---- Loading ---------------------------------------------------------------------

bool CColorDetailSession::Load() {
    Claim claim(m_list, m_record);
    if (!claim.Ready()) return false;
    LoadClaimed(true);
    return true;
}

bool CColorDetailSession::Reset() {
    Claim claim(m_list, m_record);
    if (!claim.Ready()) return false;
    m_list.WriteFeature(&m_record, vcp::kStandardPage, vcp::kFactoryColorCode, 1, false);
    LoadClaimed(false);
    return true;
}

void CColorDetailSession::LoadClaimed(bool takeBackup) {
    if (m_record.m_ModeInfo.HasQuadSet())
        m_list.WriteFeature(&m_record, vcp::kQuadPage, vcp::kAdjustingCode, kAdjusting, false);
    m_color.ReadColorState(m_list, m_record);
    // A load finds the monitor on whatever preset it holds now (after "&Reset" a
    // fixed one again), so the next gain move must ask for the indicator again.
    m_bUserPresetSeen = false;
    SetUpSliders();
    m_bColorBarChanged = true;
    EnableByCapability();
    for (int i = 0; i < kDetailSliderCount; ++i)
        m_nAccepted[static_cast<std::size_t>(i)] = m_views[static_cast<std::size_t>(i)].position;
    // Once per run: "&Reset" loads again, and Cancel must still go back to what
    // the monitor held when the dialog opened.
    if (takeBackup && !m_bBackupTaken) {
        m_backup.CopyFrom(m_color);
        m_bBackupTaken = true;
    }
    m_bLoaded = true;
}

void CColorDetailSession::SetUpLevel(DetailSlider slider, std::int32_t value, std::int32_t maximum,
                                     bool valid) {
    DetailSliderView& view = m_views[Index(slider)];
    view.minimum = 0;
    view.maximum = maximum > 0 ? maximum : 0;
    const int pageSize = LevelOf(slider).pageSize != 0 ? LevelOf(slider).pageSize : maximum / 5;
    view.pageSize = pageSize > 0 ? pageSize : 1;
    view.position = valid ? value : 0;
    view.text = valid ? PercentText(value, maximum) : std::string();
}

void CColorDetailSession::SetUpSliders() {
    const CMonitorColor& c = m_color;
    m_presets = AvailablePresets(m_record.m_ModeInfo.PresetMask());
    const SliderSetup temperature =
        TemperatureSlider(m_presets, c.m_nColorTemp, c.m_bPresetRangeValid != 0, c.m_nPresetRange);
    m_nTemperatureUpper = temperature.usable ? temperature.maximum : 0;
    DetailSliderView& t = m_views[Index(DetailSlider::Temperature)];
    t.minimum = 0;
    t.maximum = temperature.usable ? temperature.maximum : 0;
    t.pageSize = 1;
    const bool temperatureShown = c.m_bColorTempValid && temperature.usable;
    t.position = temperatureShown ? temperature.position : 0;
    t.text = temperatureShown
                 ? TemperatureText(c.m_nColorTemp, m_nTemperatureUpper, c.m_bPresetRangeValid != 0)
                 : std::string();

    SetUpLevel(DetailSlider::Brightness, c.m_nBrightness, c.m_nBrightnessMax,
               c.m_bBrightnessValid != 0);
    SetUpLevel(DetailSlider::Contrast, c.m_nContrast, c.m_nContrastMax, c.m_bContrastValid != 0);
    SetUpLevel(DetailSlider::Red, c.m_nRedGain, c.m_nRedGainMax, c.m_bRedGainValid != 0);
    SetUpLevel(DetailSlider::Green, c.m_nGreenGain, c.m_nGreenGainMax, c.m_bGreenGainValid != 0);
    SetUpLevel(DetailSlider::Blue, c.m_nBlueGain, c.m_nBlueGainMax, c.m_bBlueGainValid != 0);

    const SliderSetup steps = GammaSlider(m_record.m_ModeInfo.GammaMask(), c.m_nGamma);
    DetailSliderView& g = m_views[Index(DetailSlider::Gamma)];
    g.minimum = steps.minimum;
    g.maximum = steps.maximum;
    g.pageSize = 1;
    const bool gammaShown = c.m_bGammaValid && steps.usable;
    g.position = gammaShown ? steps.position : 0;
    g.text = gammaShown ? GammaText(c.m_nGamma) : std::string();
}

void CColorDetailSession::EnableByCapability() {
    const CMonitorColor& c = m_color;
    const DetailEnabling enabling = DetailControls(c, ModeFlags());
    const bool temperature =
        enabling.temperature &&
        TemperatureSlider(m_presets, c.m_nColorTemp, c.m_bPresetRangeValid != 0, c.m_nPresetRange)
            .usable;
    const bool gamma =
        enabling.gamma && GammaSlider(m_record.m_ModeInfo.GammaMask(), c.m_nGamma).usable;
    m_views[Index(DetailSlider::Temperature)].enabled = temperature;
    m_views[Index(DetailSlider::Brightness)].enabled = enabling.brightness;
    m_views[Index(DetailSlider::Contrast)].enabled = enabling.contrast;
    m_views[Index(DetailSlider::Gamma)].enabled = gamma;
    m_views[Index(DetailSlider::Red)].enabled = enabling.gains && c.m_bRedGainValid;
    m_views[Index(DetailSlider::Green)].enabled = enabling.gains && c.m_bGreenGainValid;
    m_views[Index(DetailSlider::Blue)].enabled = enabling.gains && c.m_bBlueGainValid;
    m_bResetEnabled = enabling.reset;
}

// ---- Slider moves --------------------------------------------------------------------

void CColorDetailSession::Accept(DetailSlider slider, int position) {
    m_nAccepted[Index(slider)] = position;
    m_views[Index(slider)].position = position;
}

bool CColorDetailSession::PutBack(DetailSlider slider) {
    m_views[Index(slider)].position = m_nAccepted[Index(slider)];
    return false;
}

bool CColorDetailSession::Move(DetailSlider slider, int position) {
    if (!m_bLoaded) return false;
    if (position == m_nAccepted[Index(slider)]) return true;
    switch (slider) {
        case DetailSlider::Temperature:
            return MoveTemperature(position);
        case DetailSlider::Gamma:
            return MoveGamma(position);
        default:
            return MoveLevel(slider, position);
    }
}

// The gains follow the temperature preset and gamma on the monitor.
void CColorDetailSession::ReadGains() {
    for (DetailSlider slider : {DetailSlider::Red, DetailSlider::Green, DetailSlider::Blue}) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        if (!m_list.ReadFeature(&m_record, vcp::kStandardPage, LevelOf(slider).code, &current,
                                &maximum, false, true))
            continue;
        const Level gain = LevelFields(m_color, slider);
        *gain.value = static_cast<std::int32_t>(current);
        *gain.maximum = static_cast<std::int32_t>(maximum);
        *gain.valid = 1;
        SetUpLevel(slider, *gain.value, *gain.maximum, true);
        Accept(slider, m_views[Index(slider)].position);
    }
}

bool CColorDetailSession::MoveTemperature(int position) {
    if (position < 0 || position >= static_cast<int>(m_presets.size()))
        return PutBack(DetailSlider::Temperature);
    const std::int32_t preset = m_presets[static_cast<std::size_t>(position)];
    Claim claim(m_list, m_record);
    if (!m_list.WriteFeature(&m_record, vcp::kColorPage, vcp::kColorTemperatureCode,
                             static_cast<std::uint32_t>(preset), false))
        return PutBack(DetailSlider::Temperature);
    Accept(DetailSlider::Temperature, position);
    m_color.m_nColorTemp = preset;
    m_views[Index(DetailSlider::Temperature)].text =
        TemperatureText(preset, m_color.m_nOffPreset, m_color.m_bPresetRangeValid != 0);
    ReadGains();
    return true;
}

bool CColorDetailSession::MoveLevel(DetailSlider slider, int position) {
    // Standard codes need no claim.
    if (!m_list.WriteFeature(&m_record, vcp::kStandardPage, LevelOf(slider).code,
                             static_cast<std::uint32_t>(position), false))
        return PutBack(slider);
    Accept(slider, position);
    const Level level = LevelFields(m_color, slider);
    *level.value = position;
    m_views[Index(slider)].text = PercentText(position, *level.maximum);
    if (!IsGain(slider)) return true;

    // A gain moved away from a fixed preset switches the monitor to its user preset.
    Claim claim(m_list, m_record);
    CMonitorColor& c = m_color;
    bool colorPageSelected = false;
    if (!m_bUserPresetSeen) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        colorPageSelected = m_list.ReadFeature(&m_record, vcp::kColorPage, vcp::kPresetRangeCode,
                                               &current, &maximum, false, true);
        if (colorPageSelected) {
            c.m_nPresetRange = static_cast<std::int32_t>(current);
            c.m_bPresetRangeValid = 1;
            if (current != 0) {
                m_bUserPresetSeen = true;
                m_bColorBarChanged = true;
            }
        }
    }
    std::uint32_t preset = 0;
    std::uint32_t maximum = 0;
    if (m_list.ReadFeature(&m_record, vcp::kColorPage, vcp::kColorTemperatureCode, &preset,
                           &maximum, colorPageSelected, true)) {
        c.m_nColorTemp = static_cast<std::int32_t>(preset);
        c.m_bColorTempValid = 1;
        const SliderSetup setup = TemperatureSlider(m_presets, c.m_nColorTemp,
                                                    c.m_bPresetRangeValid != 0, c.m_nPresetRange);
        DetailSliderView& t = m_views[Index(DetailSlider::Temperature)];
        if (setup.usable) {
            t.minimum = 0;
            t.maximum = setup.maximum;
            Accept(DetailSlider::Temperature, setup.position);
        }
        t.text = TemperatureText(c.m_nColorTemp, c.m_nOffPreset, c.m_bPresetRangeValid != 0);
    }
    return true;
}

bool CColorDetailSession::MoveGamma(int position) {
    const SliderSetup steps = GammaSlider(m_record.m_ModeInfo.GammaMask(), m_color.m_nGamma);
    const int clamped = position < steps.minimum
                            ? steps.minimum
                            : (position > steps.maximum ? steps.maximum : position);
    DetailSliderView& g = m_views[Index(DetailSlider::Gamma)];
    g.minimum = steps.minimum;
    g.maximum = steps.maximum;
    g.position = clamped;
    if (clamped == m_nAccepted[Index(DetailSlider::Gamma)]) return true;
    Claim claim(m_list, m_record);
    if (!m_list.WriteFeature(&m_record, vcp::kColorPage, vcp::kGammaCode,
                             static_cast<std::uint32_t>(clamped), false))
        return PutBack(DetailSlider::Gamma);
    Accept(DetailSlider::Gamma, clamped);
    m_color.m_nGamma = clamped;
    g.text = GammaText(clamped);
    ReadGains();
    return true;
}

// ---- Ending --------------------------------------------------------------------------

bool CColorDetailSession::Ok() {
    if (!m_bLoaded) return false;
    Claim claim(m_list, m_record);
    if (claim.Ready()) {
        if (m_record.m_ModeInfo.HasQuadSet())
            m_list.WriteFeature(&m_record, vcp::kQuadPage, vcp::kAdjustingCode, kAdjustmentDone,
                                false);
        m_list.WriteFeature(&m_record, vcp::kCommandPage, vcp::kEndAdjustmentCode, 0, false);
    }
    return true;
}

bool CColorDetailSession::Cancel() {
    if (!m_bLoaded) return false;
    Claim claim(m_list, m_record);
    if (claim.Ready()) {
        m_backup.WriteColorState(m_list, m_record);
        m_color.CopyFrom(m_backup);
        m_list.WriteFeature(&m_record, vcp::kCommandPage, vcp::kEndAdjustmentCode, 0, false);
    }
    return true;
}

void CColorDetailSession::Close() {
    if (!m_record.m_ModeInfo.HasQuadSet()) return;
    Claim claim(m_list, m_record);
    m_list.WriteFeature(&m_record, vcp::kQuadPage, vcp::kAdjustingCode, kAdjustmentLeft, false);
}
