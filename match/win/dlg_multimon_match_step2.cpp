#include "match/win/dlg_multimon_match_steps.h"

#include <string>

#include "match/win/match_ids.h"
#include "match/win/stretch_bitmap.h"
#include "monitor/color_tables.h"
#include "resources/controller/resource.h"
#include "ui/gdi.h"
#include "ui/wait_cursor.h"

namespace {

// Presets the colour temperature slider can reach: bits 0-24 of the preset mask.
constexpr int kPresetBits = 25;
constexpr int kGammaBits = 9;

}  // namespace

CDlgMultiMonMatchStep2::CDlgMultiMonMatchStep2(match::StepFrame& frame)
    : CMatchStep(IDD_MATCH_STEP2, frame, IDB_MATCH_STEP2_BACK, IDB_MATCH_STEP2_BACK_HI,
                 IDC_STEP2_NEXT, IDC_STEP2_CANCEL) {}

bool CDlgMultiMonMatchStep2::OnInitDialog() {
    CMatchStep::OnInitDialog();
    m_slTemperature.AttachItem(Handle(), IDC_STEP2_TEMPERATURE);
    m_slGamma.AttachItem(Handle(), IDC_STEP2_GAMMA);
    // Nothing may be used before the master's values are loaded.
    for (int id : {IDC_STEP2_TEMPERATURE, IDC_STEP2_GAMMA, IDC_STEP2_NEXT, IDC_STEP2_CANCEL})
        EnableItem(id, false);
    return false;
}

int CDlgMultiMonMatchStep2::PlaceOfPreset(std::int32_t preset) const {
    const CMonitorStatus* master = Wizard().Master();
    if (master == nullptr || preset < 0 || preset >= kPresetBits) return 0;
    const std::uint32_t mask = master->m_ModeInfo.PresetMask();
    int place = 0;
    for (int bit = 0; bit < preset; ++bit) place += (mask >> bit) & 1u;
    return place;
}

std::int32_t CDlgMultiMonMatchStep2::PresetAtPlace(int place) const {
    const CMonitorStatus* master = Wizard().Master();
    if (master == nullptr) return -1;
    const std::uint32_t mask = master->m_ModeInfo.PresetMask();
    for (int bit = 0, seen = 0; bit < kPresetBits; ++bit) {
        if (((mask >> bit) & 1u) == 0) continue;
        if (seen++ == place) return bit;
    }
    return -1;
}

void CDlgMultiMonMatchStep2::ShowTemperature() {
    const MatchWizard& wizard = Wizard();
    const CMonitorStatus* master = wizard.Master();
    const std::int32_t preset = wizard.state().colorTemperature;
    const std::int32_t offPreset = master != nullptr ? master->m_Match.offPresetIndex : -1;
    // The monitor's own "off" preset reads as OFF whatever its number.
    const char* label = ColorTemperatureLabel(preset == offPreset ? 0 : preset);
    SetItemText(IDC_STEP2_TEMPERATURE_TEXT, label != nullptr ? label : "");
    EnableItem(IDC_STEP2_NEXT, wizard.CanLeaveStep2());
    ::InvalidateRect(Item(IDC_STEP2_TEMPERATURE_TEXT), nullptr, TRUE);
}

void CDlgMultiMonMatchStep2::ShowGamma() {
    const std::int32_t gamma = Wizard().state().gamma;
    SetItemText(IDC_STEP2_GAMMA_TEXT, gamma >= 0 && gamma < kGammaBits ? GammaText(gamma) : "");
}

void CDlgMultiMonMatchStep2::OnLoad() {
    bool read = false;
    {
        ui::WaitCursor wait;
        read = Wizard().ReadMasterColor();
    }
    if (!read) {
        ReportCommFailure();
        return;
    }
    const MatchWizard& wizard = Wizard();
    const CMonitorStatus* master = wizard.Master();
    const std::uint32_t flags = wizard.MasterModeFlags();

    int presets = 0;
    const std::uint32_t presetMask = master->m_ModeInfo.PresetMask();
    for (int bit = 0; bit < kPresetBits; ++bit) presets += (presetMask >> bit) & 1u;
    m_slTemperature.SetRange(0, presets > 0 ? presets - 1 : 0);
    m_slTemperature.SetPosition(PlaceOfPreset(wizard.state().colorTemperature));
    m_slTemperature.Enable((flags & kModeFlagColorTemperature) != 0);
    ShowTemperature();

    const std::int32_t gamma = wizard.state().gamma;
    if (gamma >= 0 && gamma < kGammaBits) {
        const MatchWizard::GammaRange range = wizard.MasterGammaRange();
        m_slGamma.SetRange(range.lowest, range.highest);
        m_slGamma.SetPosition(gamma);
    } else {
        m_slGamma.SetRange(0, kGammaBits - 1);
        m_slGamma.SetPosition(0);
    }
    m_slGamma.Enable((flags & kModeFlagGamma) != 0);
    ShowGamma();

    EnableItem(IDC_STEP2_CANCEL, true);
    Invalidate();
    ::SendMessageA(Handle(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(
                       Item(IsItemEnabled(IDC_STEP2_NEXT) ? IDC_STEP2_NEXT : IDC_STEP2_CANCEL)),
                   TRUE);
}

void CDlgMultiMonMatchStep2::OnTemperatureMoved() {
    MatchWizard& wizard = Wizard();
    const int place = m_slTemperature.Position();
    const int current = PlaceOfPreset(wizard.state().colorTemperature);
    if (place == current) return;
    const std::int32_t preset = PresetAtPlace(place);
    bool written = false;
    {
        ui::WaitCursor wait;
        written = preset >= 0 && wizard.WriteColorTemperature(preset);
    }
    if (!written) {
        m_slTemperature.SetPosition(current);
        return;
    }
    ShowTemperature();
}

void CDlgMultiMonMatchStep2::OnGammaMoved() {
    MatchWizard& wizard = Wizard();
    if (wizard.Master() == nullptr) return;
    const int position = m_slGamma.Position();
    if (position == wizard.state().gamma) return;
    const MatchWizard::GammaRange range = wizard.MasterGammaRange();
    m_slGamma.SetRange(range.lowest, range.highest);
    std::int32_t gamma = 0;
    {
        ui::WaitCursor wait;
        gamma = wizard.MoveGamma(position);
    }
    m_slGamma.SetPosition(gamma);
    ShowGamma();
}

COLORREF CDlgMultiMonMatchStep2::TextColor(int id) const {
    if (id == IDC_STEP2_TEMPERATURE_TEXT) {
        const int position = m_slTemperature.Position();
        if (position == m_slTemperature.Minimum() || position == m_slTemperature.Maximum())
            return match_ids::kOutOfRangeText;
    }
    return RGB(0, 0, 0);
}

void CDlgMultiMonMatchStep2::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    RECT frame{};
    if (PlaceholderRect(Handle(), IDC_STEP2_PICTURE, &frame)) {
        const bool adjustable = (Wizard().MasterModeFlags() & kModeFlagColorTemperature) != 0;
        const bool lowColor = ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES) < 16;
        StretchBitmap(
            dc, frame,
            adjustable ? (lowColor ? IDB_STEP2_TEMPERATURE_LOWCOLOR : IDB_STEP2_TEMPERATURE)
                       : (lowColor ? IDB_STEP2_NO_TEMPERATURE_LOWCOLOR : IDB_STEP2_NO_TEMPERATURE));
        // A sunken edge: dark on the left and top, white on the right and bottom.
        const ui::Pen dark(::CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
        const ui::Pen light(::CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        const ui::SelectGuard darkSelected(dc, dark.Get());
        ::MoveToEx(dc, frame.left - 1, frame.bottom, nullptr);
        ::LineTo(dc, frame.left - 1, frame.top - 1);
        ::LineTo(dc, frame.right, frame.top - 1);
        const ui::SelectGuard lightSelected(dc, light.Get());
        ::LineTo(dc, frame.right, frame.bottom);
        ::LineTo(dc, frame.left - 1, frame.bottom);
    }
    ::EndPaint(Handle(), &paint);
}

bool CDlgMultiMonMatchStep2::OnHScroll(int code, int position, HWND control) {
    if (control == m_slTemperature.Handle()) {
        OnTemperatureMoved();
        return true;
    }
    if (control == m_slGamma.Handle()) {
        OnGammaMoved();
        return true;
    }
    return false;
}

void CDlgMultiMonMatchStep2::OnForward() {
    m_frame.ShowStep(3);
}

bool CDlgMultiMonMatchStep2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    if (message == WM_PAINT) {
        Paint();
        result = 0;
        return true;
    }
    return CMatchStep::OnMessage(message, wParam, lParam, result);
}
