#pragma once
// The break reminder as a resident feature of the main window: its settings, its
// timers 13, 15 and 16, the balloon and the "&Calmira Setting" command.
#include <windows.h>

#include <memory>

#include "calmira/reminder_settings.h"
#include "calmira/reminder_timers.h"
#include "shell/registry.h"
#include "shell/tray_icon.h"
#include "shell/win/shell_feature.h"

class CReminderFeature : public CShellFeature, public calmira::ReminderTimerPort, public CRegistry {
public:
    // Window property with the running reminder timers (bit n for timer n), for
    // accessibility tools and test drivers that cannot wait for hours.
    static constexpr const char* kTimersProperty = "VistrelReminderTimers";

    CReminderFeature();
    ~CReminderFeature() override;

    void OnStart(CVistrelDlg& mainWindow) override;
    void OnSuspend(CVistrelDlg& mainWindow) override;
    void OnResume(CVistrelDlg& mainWindow) override;
    void OnEndSession(CVistrelDlg& mainWindow) override;
    void OnDestroy(CVistrelDlg& mainWindow) override;
    bool OnTimer(CVistrelDlg& mainWindow, UINT_PTR id) override;
    bool OnCommand(CVistrelDlg& mainWindow, int id) override;

    void StartTimer(std::uint32_t id, std::uint32_t milliseconds) override;
    void StopTimer(std::uint32_t id) override;

private:
    void RunDialog(CVistrelDlg& mainWindow);
    void ShowReminder();
    void Publish() const;
    calmira::ReminderSettings Load();

    HWND m_hMain = nullptr;
    std::unique_ptr<shell::TrayShell> m_tray;
    calmira::ReminderSettings m_settings;
    calmira::CReminderTimers m_timers;
};
