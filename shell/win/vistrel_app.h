#pragma once
// The controller's application object: single instance, the Windows version
// check, the hidden main window and the state every page shares.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "monitor/gamma.h"
#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/ddc_api_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/maker_library_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/registry_win32.h"
#include "shell/win/settings_page.h"
#include "ui/application.h"

class CShellFeature;

class CVistrelApp : public ui::Application {
public:
    CVistrelApp();
    ~CVistrelApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    // NT family, major version above 5.
    static bool IsVistaOrLater();

    // The platform behind the monitor layer and the settings store. Declared
    // first: everything below refers to them.
    platform::Win32Clock m_clock;
    platform::Win32DdcApi m_ddc;
    platform::Win32Desktop m_desktop;
    platform::Win32MakerLibrary m_maker;
    platform::Win32Processes m_processes;
    platform::Win32Registry m_registry;

    HANDLE m_hInstanceMutex = nullptr;
    std::int32_t m_bSettingsShown = 0;
    std::int32_t m_bAutoSwitchOn = 0;
    std::int32_t m_bMonitorListOpen = 0;
    std::int32_t m_bCalmiraOpen = 0;
    std::int32_t m_bFilterOpen = 0;

    // The process-wide monitor-acquired flag; MonitorList keeps a reference.
    bool m_bLockHeld = false;

    // Destroyed in reverse order: display list, data folder, monitor list,
    // records (records point into the monitor list's entries but never
    // dereference them on destruction).
    CMonitorStatusAll m_statusAll;
    // The colour page's snapshot of the current monitor, shared with the colour
    // detail dialog; null while the page does not exist.
    class CMonitorColor* m_pColorSub = nullptr;
    HWND m_hColorSubWnd = nullptr;
    HWND m_hMatchWnd = nullptr;
    HWND m_hMonitorListWnd = nullptr;
    HWND m_hCalmiraWnd = nullptr;
    HWND m_hEditMsgWnd = nullptr;
    HWND m_hFileDialogWnd = nullptr;
    HWND m_hFilterWnd = nullptr;
    MonitorList m_monitors;
    std::uint8_t m_bTrayReady = 1;
    std::string m_strDataFolder;
    std::vector<std::unique_ptr<CGamma>> m_displays;

    // Resident features the main window hosts; they live as long as the application.
    std::vector<CShellFeature*> m_features;
    // The page classes of the settings window's tabs.
    SettingsPageFactory m_pageFactory;

    // The main window object while it exists.
    class CVistrelDlg* m_pMainDlg = nullptr;
};

// The one application object.
CVistrelApp& VistrelApp();
