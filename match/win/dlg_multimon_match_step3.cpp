#include "match/win/dlg_multimon_match_steps.h"

#include <string>

#include "match/luminance.h"
#include "match/win/dlg_multimon_match_sub.h"
#include "match/win/match_ids.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

CDlgMultiMonMatchStep3::CDlgMultiMonMatchStep3(CDlgMultiMonMatchSub& frame)
    : CMatchStep(match_ids::kDlgStep3, frame, match_ids::kBmpStep3Back,
                 match_ids::kBmpStep3BackHigh, match_ids::kIdFinish, match_ids::kIdStep3Cancel) {}

bool CDlgMultiMonMatchStep3::OnInitDialog() {
    CMatchStep::OnInitDialog();
    m_slBrightness.AttachItem(Handle(), match_ids::kIdBrightness);
    // Nothing may be used before the limit is known.
    for (int id : {match_ids::kIdBrightness, match_ids::kIdFinish, match_ids::kIdStep3Cancel})
        EnableItem(id, false);
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
        SetItemText(match_ids::kIdBrightnessText, "");
    }
    const std::string guide = ui::ResourceString(match_ids::kStrBrightnessGuide);
    SetItemText(match_ids::kIdGuide,
                ui::ReplaceFirst(guide, "XX", std::to_string(wizard.state().limitPercent)));
}

void CDlgMultiMonMatchStep3::ShowPosition() {
    const auto position = static_cast<std::uint32_t>(m_slBrightness.Position());
    std::uint32_t percent = 0;
    if (BrightnessPercent(position, m_nMaximum, &percent))
        SetItemText(match_ids::kIdBrightnessText, std::to_string(percent));
    ::InvalidateRect(Item(match_ids::kIdBrightnessText), nullptr, TRUE);
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
    EnableItem(match_ids::kIdStep3Cancel, true);
    EnableItem(match_ids::kIdFinish,
               Wizard().WithinLimit(static_cast<std::uint32_t>(m_slBrightness.Position())));
    ::SendMessageA(Handle(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(Item(IsItemEnabled(match_ids::kIdFinish)
                                                     ? match_ids::kIdFinish
                                                     : match_ids::kIdStep3Cancel)),
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
    EnableItem(match_ids::kIdFinish, wizard.WithinLimit(static_cast<std::uint32_t>(position)));
}

void CDlgMultiMonMatchStep3::OnForward() {
    bool transferred = false;
    {
        ui::WaitCursor wait;
        transferred = Wizard().Transfer(static_cast<std::uint32_t>(m_slBrightness.Position()));
    }
    if (!transferred) ReportCommFailure();
    m_frame.Post(WM_CLOSE);
}

COLORREF CDlgMultiMonMatchStep3::TextColor(int id) const {
    if (id == match_ids::kIdBrightnessText &&
        !Wizard().WithinLimit(static_cast<std::uint32_t>(m_slBrightness.Position())))
        return match_ids::kOutOfRangeText;
    return RGB(0, 0, 0);
}

bool CDlgMultiMonMatchStep3::OnHScroll(int code, int position, HWND control) {
    if (control != m_slBrightness.Handle()) return false;
    OnSliderMoved();
    return true;
}

