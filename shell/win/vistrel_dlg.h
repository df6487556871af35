#pragma once
// The main window: hidden and resident with the tray icon, shown as the tabbed
// settings window. It owns the tray icon, the pages, the shell timers and the
// rebuilds of the monitor records.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "shell/monitor_set.h"
#include "shell/registry.h"
#include "shell/settings_keys.h"
#include "shell/tray_icon.h"
#include "shell/win/small_controls.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CVistrelDlg : public ui::Dialog, public CRegistry {
public:
    // Window property holding the current monitor's record index + 1 (0: none).
    static constexpr const char* kCurrentMonitorProperty = "VistrelCurrentMonitor";

    CVistrelDlg();
    ~CVistrelDlg() override;

    void ShowSettings();
    void HideSettings();
    // True when the rebuilt set holds other monitors than before at the same count.
    bool RebuildMonitors();
    // Brings this window to the front even when another program has the foreground.
    void UnlockForeground();
    // The page dialogs (0 mode, 1 colour, 2 match, 3 sound); null before creation.
    ui::Dialog* Page(int index) const;
    int CurrentTab() const { return m_nCurTab; }
    std::int32_t TrayState() const { return m_nTrayState; }

    // Sends the close request to every secondary dialog that is open.
    void CloseSecondaryDialogs();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnTimer(UINT_PTR id) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override;
    bool PreTranslateMessage(MSG& message) override;

private:
    bool UpdateTray();
    void OnTrayNotify(LPARAM mouseMessage);
    void ShowTrayMenu();
    void SelectPage(int index);
    void CheckWindowMoved();
    void ToggleKeepOnTop();
    void OnSettleTimer();
    void RunMonitorList();
    void RunAbout();
    void CreatePages();
    void RemoveTabTheme();
    bool DispatchMnemonic(UINT key);
    void RestoreDisplays();
    std::vector<std::string> RecordIdentities() const;
    std::vector<std::string> RecordDeviceNames() const;
    bool HasCurrentMonitor() const;
    void PublishCurrentMonitor() const;

    CSMTabCtrlEx m_tab;
    ui::Window m_btnClose;
    std::array<std::unique_ptr<ui::Dialog>, 4> m_pages;
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    ui::Brush m_bkBrush;
    int m_nCurTab = 0;
    std::int32_t m_nTrayState = shell::kTrayNotAdded;
    UINT m_uTaskbarCreated = 0;
    std::int32_t m_bCloseAllPending = 0;
    shell::DisplayChangeSettler m_settler;
    shell::CurrentMonitorFollower m_follower;
    UINT_PTR m_nCloseAllTimer = 0;
    UINT_PTR m_nSettleTimer = 0;
    shell::ResentKeyGuard m_resentKey;
    std::unique_ptr<shell::TrayShell> m_trayShell;
};
