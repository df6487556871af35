#include "calmira/win/reminder_feature.h"

#include "calmira/reminder_check.h"
#include "calmira/win/dlg_calmira.h"
#include "calmira/win/resource_ids.h"
#include "resources/controller/resource.h"
#include "shell/tray_menu.h"
#include "shell/win/shell_ids.h"
#include "shell/win/tray_shell_win32.h"
#include "shell/win/vistrel_app.h"
#include "shell/win/vistrel_dlg.h"
#include "ui/resource_string.h"

CReminderFeature::CReminderFeature() : m_timers(*this) {}

CReminderFeature::~CReminderFeature() = default;

calmira::ReminderSettings CReminderFeature::Load() {
    return calmira::LoadReminderSettings(*this, ui::ResourceString(IDS_REMINDER_MESSAGE));
}

void CReminderFeature::Publish() const {
    if (m_hMain == nullptr) return;
    ::SetPropA(m_hMain, kTimersProperty,
               reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(m_timers.RunningMask())));
}

void CReminderFeature::StartTimer(std::uint32_t id, std::uint32_t milliseconds) {
    ::SetTimer(m_hMain, id, milliseconds, nullptr);
}

void CReminderFeature::StopTimer(std::uint32_t id) {
    ::KillTimer(m_hMain, id);
}

void CReminderFeature::OnStart(CVistrelDlg& mainWindow) {
    m_hMain = mainWindow.Handle();
    m_tray = std::make_unique<CWin32TrayShell>(m_hMain);
    m_settings = Load();
    m_timers.Start(m_settings);
    Publish();
}

void CReminderFeature::ShowReminder() {
    CVistrelApp& app = VistrelApp();
    if (!calmira::TargetAllowsReminder(app.m_monitors, app.m_statusAll, m_settings.target,
                                       app.m_bCalmiraOpen != 0)) {
        return;
    }
    m_tray->Balloon(IDR_MAINFRAME, ui::ResourceString(IDS_VERSION),
                    ui::ResourceString(IDS_PRODUCT_NAME), m_settings.message, calmira::kBalloonMs);
    m_timers.BalloonShown();
}

bool CReminderFeature::OnTimer(CVistrelDlg& mainWindow, UINT_PTR id) {
    CVistrelApp& app = VistrelApp();
    switch (id) {
        case calmira::kTimerReminder:
            if (m_timers.OnReminderTimer(app.m_bLockHeld)) ShowReminder();
            break;
        case calmira::kTimerScreenSaverWatch: {
            BOOL running = FALSE;
            ::SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
            if (m_timers.OnWatchTimer(running != FALSE, app.m_bLockHeld)) ShowReminder();
            break;
        }
        case calmira::kTimerBalloon:
            if (m_timers.OnBalloonTimer()) {
                m_tray->Balloon(IDR_MAINFRAME, ui::ResourceString(IDS_VERSION), "", "", 0);
            }
            break;
        default:
            return false;
    }
    Publish();
    return true;
}

bool CReminderFeature::OnCommand(CVistrelDlg& mainWindow, int id) {
    if (id != static_cast<int>(ID_TRAY_CALMIRA)) return false;
    if (VistrelApp().m_statusAll.m_hCurMonitor != nullptr) RunDialog(mainWindow);
    return true;
}

void CReminderFeature::RunDialog(CVistrelDlg& mainWindow) {
    CVistrelApp& app = VistrelApp();
    app.m_bCalmiraOpen = 1;
    {
        CDlgCalmira dialog;
        dialog.DoModal(mainWindow.Handle());
    }
    app.m_bCalmiraOpen = 0;
    const calmira::ReminderSettings before = m_settings;
    m_settings = Load();
    m_timers.DialogClosed(before, m_settings);
    Publish();
}

void CReminderFeature::OnSuspend(CVistrelDlg& mainWindow) {
    m_timers.Suspend();
    Publish();
}

void CReminderFeature::OnResume(CVistrelDlg& mainWindow) {
    m_timers.Resume();
    Publish();
}

void CReminderFeature::OnEndSession(CVistrelDlg& mainWindow) {
    m_timers.StopAll();
    Publish();
}

void CReminderFeature::OnDestroy(CVistrelDlg& mainWindow) {
    m_timers.StopAll();
    if (m_hMain != nullptr) ::RemovePropA(m_hMain, kTimersProperty);
    m_hMain = nullptr;
}
