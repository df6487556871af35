#include "calmira/win/filter_feature.h"

#include <set>
#include <utility>
#include <vector>

#include "calmira/win/dlg_vsfilter.h"
#include "calmira/win/resource_ids.h"
#include "calmira/win/trans_wnd.h"
#include "monitor/gamma.h"
#include "monitor/gamma_list.h"
#include "resources/controller/resource.h"
#include "shell/tray_menu.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "shell/win/vistrel_dlg.h"

namespace {

// The display devices that are part of the desktop now, by device name.
std::set<std::string> AttachedDisplays() {
    std::set<std::string> names;
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    for (DWORD index = 0; ::EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
        if ((device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0)
            names.insert(device.DeviceName);
        device.cb = sizeof device;
    }
    return names;
}

RECT ToRect(const platform::Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

template <typename Action>
void CFilterFeature::ForEachOverlay(Action action) {
    CMonitorStatusAll& all = VistrelApp().m_statusAll;
    for (int i = 0; i < all.Count(); ++i) {
        CMonitorStatus* record = all.At(i);
        if (record->m_pTransWnd) action(*record, static_cast<CTransWnd&>(*record->m_pTransWnd));
    }
}

CGamma* CFilterFeature::GammaOf(const std::string& deviceName) const {
    for (const auto& gamma : VistrelApp().m_displays) {
        if (gamma && gamma->DeviceName() == deviceName) return gamma.get();
    }
    return nullptr;
}

void CFilterFeature::BuildDisplayList() {
    CVistrelApp& app = VistrelApp();
    const std::set<std::string> attached = AttachedDisplays();
    app.m_displays = RebuildGammaList(std::move(app.m_displays),
                                      std::vector<std::string>(attached.begin(), attached.end()),
                                      m_gammaDevice, app.m_clock);
}

void CFilterFeature::CreateOverlays() {
    CMonitorStatusAll& all = VistrelApp().m_statusAll;
    // One overlay per display: two monitors on one display must not stack two
    // translucent layers, which would darken that display twice.
    std::set<std::string> covered;
    for (int i = 0; i < all.Count(); ++i) {
        CMonitorStatus* record = all.At(i);
        record->m_pTransWnd.reset();
        if (!covered.insert(record->m_strDeviceName).second) continue;
        auto overlay = std::make_unique<CTransWnd>();
        if (overlay->Create(m_hMain, ToRect(record->m_rcMonitor)))
            record->m_pTransWnd = std::move(overlay);
    }
}

void CFilterFeature::OnStart(CVistrelDlg& mainWindow) {
    m_hMain = mainWindow.Handle();
    m_filter = calmira::LoadFilterState(*this);
    BuildDisplayList();
    CreateOverlays();
    calmira::ShowActiveFilter(*this, &m_filter);
}

void CFilterFeature::OnDisplayChange(CVistrelDlg& mainWindow) {
    ForEachOverlay([](CMonitorStatus& record, CTransWnd&) { record.m_pTransWnd.reset(); });
    BuildDisplayList();
}

void CFilterFeature::OnMonitorsRebuilt(CVistrelDlg& mainWindow) {
    CreateOverlays();
    calmira::ShowActiveFilter(*this, &m_filter);
}

void CFilterFeature::StartReapplyTimer() {
    CVistrelApp& app = VistrelApp();
    if (app.m_hFilterWnd == nullptr && !m_filter.on) return;
    if (m_bReapplyRunning) ::KillTimer(m_hMain, calmira_ids::kTimerFilterReapply);
    ::SetTimer(m_hMain, calmira_ids::kTimerFilterReapply, calmira_ids::kFilterReapplyMs, nullptr);
    m_bReapplyRunning = true;
}

void CFilterFeature::OnSessionUnlock(CVistrelDlg& mainWindow) {
    StartReapplyTimer();
}

void CFilterFeature::OnResume(CVistrelDlg& mainWindow) {
    StartReapplyTimer();
}

void CFilterFeature::OnTopmostDropped(CVistrelDlg& mainWindow) {
    ForEachOverlay([](CMonitorStatus&, CTransWnd& overlay) { overlay.RaiseToTop(); });
}

void CFilterFeature::OnDestroy(CVistrelDlg& mainWindow) {
    if (m_bReapplyRunning) ::KillTimer(m_hMain, calmira_ids::kTimerFilterReapply);
    m_bReapplyRunning = false;
    ForEachOverlay([](CMonitorStatus& record, CTransWnd&) { record.m_pTransWnd.reset(); });
    m_filterImage.Release();
    CPicture::ShutdownDecoder();
}

bool CFilterFeature::OnTimer(CVistrelDlg& mainWindow, UINT_PTR id) {
    if (id != calmira_ids::kTimerFilterReapply) return false;
    ::KillTimer(m_hMain, calmira_ids::kTimerFilterReapply);
    m_bReapplyRunning = false;
    CVistrelApp& app = VistrelApp();
    if (app.m_hFilterWnd != nullptr && ::IsWindow(app.m_hFilterWnd)) {
        ::SendMessageA(app.m_hFilterWnd, shell_ids::kMsgReapplyFilter, 0, 0);
    } else if (m_filter.on) {
        ApplyLuminance(m_filter.luminance, true);
    }
    return true;
}

bool CFilterFeature::OnCommand(CVistrelDlg& mainWindow, int id) {
    if (id != static_cast<int>(ID_TRAY_FILTER)) return false;
    CVistrelApp& app = VistrelApp();
    app.m_bFilterOpen = 1;
    CDlgVSFilter dialog(*this, m_filter);
    dialog.DoModal(mainWindow.Handle());
    app.m_bFilterOpen = 0;
    return true;
}

bool CFilterFeature::LoadImage(const std::string& path) {
    return m_filterImage.Load(path);
}

void CFilterFeature::Show(const calmira::FilterState& state, bool resetLuminance) {
    const auto alpha = static_cast<BYTE>(calmira::ClampAlpha(state.alpha));
    ForEachOverlay([&](CMonitorStatus& record, CTransWnd& overlay) {
        overlay.SetImage(&m_filterImage);
        overlay.SetAlpha(alpha);
        overlay.Show(true);
        if (CGamma* gamma = GammaOf(record.m_strDeviceName)) {
            if (resetLuminance) gamma->ApplyLuminance(0);
            gamma->ApplyLuminance(calmira::ClampLuminance(state.luminance));
        }
    });
}

void CFilterFeature::Hide() {
    ForEachOverlay([&](CMonitorStatus& record, CTransWnd& overlay) {
        overlay.SetAlpha(0);
        overlay.Show(false);
        if (CGamma* gamma = GammaOf(record.m_strDeviceName)) gamma->RestoreRamp();
    });
}

void CFilterFeature::SetAlpha(std::int32_t alpha) {
    const auto value = static_cast<BYTE>(calmira::ClampAlpha(alpha));
    ForEachOverlay([&](CMonitorStatus&, CTransWnd& overlay) { overlay.SetAlpha(value); });
}

void CFilterFeature::ApplyLuminance(std::int32_t luminance, bool resetFirst) {
    ForEachOverlay([&](CMonitorStatus& record, CTransWnd&) {
        if (CGamma* gamma = GammaOf(record.m_strDeviceName)) {
            if (resetFirst) gamma->ApplyLuminance(0);
            gamma->ApplyLuminance(calmira::ClampLuminance(luminance));
        }
    });
}
