#include "modes/win/dlg_sound.h"

#include <commctrl.h>

#include "modes/sound.h"
#include "modes/win/monitor_claim.h"
#include "monitor/vcp.h"
#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "ui/wait_cursor.h"

namespace {

constexpr int kVolumePageSize = 3;

}  // namespace

CDlgSound::CDlgSound() : CDlgPage(IDD_SOUND, IDB_SOUND_BACK, IDB_SOUND_BACK_HI, IDC_MONITOR) {}

bool CDlgSound::OnInitDialog() {
    CDlgPage::OnInitDialog();
    m_cbMonitor.AttachItem(Handle(), IDC_MONITOR);
    m_volume.AttachItem(Handle(), IDC_VOLUME);
    m_volume.SetPageSize(kVolumePageSize);
    return true;
}

void CDlgSound::ShowVolume(std::uint32_t volume) {
    m_volume.SetPosition(static_cast<int>(volume));
    m_nLastVolume = m_volume.Position();
    SetItemText(IDC_VOLUME_VALUE, std::to_string(m_nLastVolume));
}

void CDlgSound::ReadAndEnable() {
    CVistrelApp& app = VistrelApp();
    const CMonitorStatus* record =
        app.m_statusAll.m_hCurMonitor != nullptr ? app.m_statusAll.Current() : nullptr;
    VolumeReading reading;
    if (record != nullptr) reading = ReadVolume(app.m_monitors, *record);
    m_volume.SetRange(0, static_cast<int>(reading.maximum), false);
    ShowVolume(reading.current);
    const bool ready = record != nullptr && app.m_monitors.IsMonitorReady(record);
    const SoundEnabling enabling =
        SoundControls(record != nullptr ? record->m_ModeInfo.SoundWord() : 0, ready);
    m_volume.Enable(enabling.volume);
    EnableItem(IDC_VOLUME_VALUE, enabling.volume);
    EnableItem(IDC_SOUND_RESET, enabling.reset);
    m_bControlsEnabled = ready ? 1 : 0;
}

void CDlgSound::Refresh() {
    ui::WaitCursor wait;
    FillMonitorList(m_cbMonitor);
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    if (all.m_hCurMonitor == nullptr || all.Current() == nullptr) return;
    CMonitorClaim claim;
    ReadAndEnable();
}

void CDlgSound::OnHide() {
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const CMonitorStatus* record = all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
    // A monitor without any sound function is told nothing.
    if (record == nullptr || record->m_ModeInfo.SoundWord() == 0) return;
    CMonitorClaim claim;
    if (claim.Record() != nullptr) SendLeaveSound(claim.List(), *claim.Record());
}

void CDlgSound::OnMonitorSelected() {
    const int index = m_cbMonitor.Selection();
    if (index < 0) return;
    CVistrelApp& app = VistrelApp();
    {
        CMonitorClaim claim;
        if (claim.Record() != nullptr) SendLeaveSound(claim.List(), *claim.Record());
    }
    ::SendMessageA(MainWindow(), shell_ids::kMsgSelectMonitor, 0, index);
    app.m_clock.Sleep(500);
    {
        CMonitorClaim claim;
        ReadAndEnable();
    }
    app.m_clock.Sleep(100);
}

void CDlgSound::OnReset() {
    ui::WaitCursor wait;
    CMonitorClaim claim;
    const CMonitorStatus* record = claim.Record();
    if (record != nullptr && claim.Ready() && SendSoundReset(claim.List(), *record)) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        // The range stays; only the position follows the monitor.
        if (claim.List().ReadFeature(record, vcp::kStandardPage, vcp::kVolumeCode, &current,
                                     &maximum, false, true))
            ShowVolume(current);
        return;
    }
    m_volume.Enable(false);
    EnableItem(IDC_VOLUME_VALUE, false);
    EnableItem(IDC_SOUND_RESET, false);
}

bool CDlgSound::OnHScroll(int code, int position, HWND control) {
    if (code != TB_LINEUP && code != TB_LINEDOWN && code != TB_THUMBPOSITION &&
        code != TB_THUMBTRACK && code != TB_ENDTRACK)
        return false;
    if (control != m_volume.Handle()) return false;
    ui::WaitCursor wait;
    const int now = m_volume.Position();
    if (now == m_nLastVolume) return true;
    CVistrelApp& app = VistrelApp();
    const CMonitorStatus* record =
        app.m_statusAll.m_hCurMonitor != nullptr ? app.m_statusAll.Current() : nullptr;
    // The standard volume register needs no claim of the maker's pages.
    if (record != nullptr && now >= 0 &&
        WriteVolume(app.m_monitors, *record, static_cast<std::uint32_t>(now))) {
        m_nLastVolume = now;
        SetItemText(IDC_VOLUME_VALUE, std::to_string(now));
    } else {
        m_volume.SetPosition(m_nLastVolume);
    }
    return true;
}

bool CDlgSound::OnCommand(int id, int code, HWND control) {
    if (id == IDC_MONITOR && code == CBN_SELCHANGE) {
        OnMonitorSelected();
        return true;
    }
    if (id == IDC_SOUND_RESET && code == BN_CLICKED) {
        OnReset();
        return true;
    }
    return false;
}

bool CDlgSound::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SHOWWINDOW) {
        if (wParam != 0)
            Refresh();
        else
            OnHide();
    }
    return false;
}
