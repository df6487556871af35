#include "match/win/dlg_multimon_match_steps.h"

#include <string>

#include "match/luminance.h"
#include "match/win/match_ids.h"
#include "resources/controller/resource.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

CDlgMultiMonMatchStep3::CDlgMultiMonMatchStep3(match::StepFrame& frame)
    : CMatchStep(IDD_MATCH_STEP3, frame, IDB_MATCH_STEP3_BACK, IDB_MATCH_STEP3_BACK_HI,
                 IDC_STEP3_FINISH, IDC_STEP3_CANCEL) {}

bool CDlgMultiMonMatchStep3::OnInitDialog() {
    CMatchStep::OnInitDialog();
    m_slBrightness.AttachItem(Handle(), IDC_STEP3_BRIGHTNESS);
    // Nothing may be used before the limit is known.
    for (int id : {IDC_STEP3_BRIGHTNESS, IDC_STEP3_FINISH, IDC_STEP3_CANCEL}) EnableItem(id, false);
    return false;
}

void CDlgMultiMonMatchStep3::SetUpSlider() {
    const MatchWizard& wizard = Wizard();
    m_slBrightness.SetRange(0, static_cast<int>(m_nMaximum));
    const bool brightness = (wizard.MasterModeFlags() & kModeFlagBrightness) != 0;
    m_slBrightness.SetPosition(brightness ? wizard.state().masterBrightness : 0);
    if (brightness) {
        ShowPosition();
    } else {
        SetItemText(IDC_STEP3_BRIGHTNESS_TEXT, "");
    }
    const std::string guide = ui::ResourceString(IDS_MATCH_BRIGHTNESS_GUIDE);
    SetItemText(IDC_STEP3_GUIDE,
                ui::ReplaceFirst(guide, "XX", std::to_string(wizard.state().limitPercent)));
}

void CDlgMultiMonMatchStep3::ShowPosition() {
    const auto position = static_cast<std::uint32_t>(m_slBrightness.Position());
    std::uint32_t percent = 0;
    if (BrightnessPercent(position, m_nMaximum, &percent))
        SetItemText(IDC_STEP3_BRIGHTNESS_TEXT, std::to_string(percent));
    ::InvalidateRect(Item(IDC_STEP3_BRIGHTNESS_TEXT), nullptr, TRUE);
}

void CDlgMultiMonMatchStep3::OnPrepare() {
    MatchWizard& wizard = Wizard();
    if ((wizard.MasterModeFlags() & kModeFlagBrightness) != 0 && !wizard.ReadMasterBrightness()) {
        ReportCommFailure();
        return;
    }
    // Without a brightness range there is nothing to divide the slider by.
    m_nMaximum = wizard.MasterBrightnessMaximum();
    if (m_nMaximum == 0) {
        ReportCommFailure();
        return;
    }
    wizard.state().brightnessLimit = m_nMaximum;
    wizard.state().limitPercent = 100;
    SetUpSlider();
    Post(match_ids::kMsgLoadStep);
}

void CDlgMultiMonMatchStep3::OnLoad() {
    bool prepared = false;
    {
        ui::WaitCursor wait;
        prepared = Wizard().PrepareLimit();
    }
    if (!prepared) {
        ReportCommFailure();
        return;
    }
    SetUpSlider();
    m_slBrightness.Enable(true);
    EnableItem(IDC_STEP3_CANCEL, true);
    EnableItem(IDC_STEP3_FINISH,
               Wizard().WithinLimit(static_cast<std::uint32_t>(m_slBrightness.Position())));
    ::SendMessageA(Handle(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(
                       Item(IsItemEnabled(IDC_STEP3_FINISH) ? IDC_STEP3_FINISH : IDC_STEP3_CANCEL)),
                   TRUE);
}

void CDlgMultiMonMatchStep3::OnSliderMoved() {
    MatchWizard& wizard = Wizard();
    const int position = m_slBrightness.Position();
    if (position == wizard.state().masterBrightness) return;
    if (!wizard.SetMasterBrightness(static_cast<std::uint32_t>(position))) {
        m_slBrightness.SetPosition(wizard.state().masterBrightness);
        return;
    }
    ShowPosition();
    EnableItem(IDC_STEP3_FINISH, wizard.WithinLimit(static_cast<std::uint32_t>(position)));
}

void CDlgMultiMonMatchStep3::OnForward() {
    bool transferred = false;
    {
        ui::WaitCursor wait;
        transferred = Wizard().Transfer(static_cast<std::uint32_t>(m_slBrightness.Position()));
    }
    if (!transferred) ReportCommFailure();
    m_frame.PostClose();
}

COLORREF CDlgMultiMonMatchStep3::TextColor(int id) const {
    if (id == IDC_STEP3_BRIGHTNESS_TEXT &&
        !Wizard().WithinLimit(static_cast<std::uint32_t>(m_slBrightness.Position())))
        return match_ids::kOutOfRangeText;
    return RGB(0, 0, 0);
}

bool CDlgMultiMonMatchStep3::OnHScroll(int code, int position, HWND control) {
    if (control != m_slBrightness.Handle()) return false;
    OnSliderMoved();
    return true;
}
