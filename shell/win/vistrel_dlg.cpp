#include "shell/win/vistrel_dlg.h"

#include <commctrl.h>
#include <shlobj.h>
#include <wtsapi32.h>

#include "monitor/status_build.h"
#include "resources/controller/resource.h"
#include "shell/settings_keys.h"
#include "shell/tray_menu.h"
#include "shell/win/dlg_monitor.h"
#include "shell/win/display_name.h"
#include "shell/win/shell_feature.h"
#include "shell/win/settings_page.h"
#include "shell/win/shell_ids.h"
#include "shell/win/tray_shell_win32.h"
#include "shell/win/vistrel_app.h"
#include "ui/foreground.h"
#include "ui/resource_string.h"
#include "ui/system_library.h"
#include "ui/wait_cursor.h"

namespace {

// Templates of the four pages, in tab order.
constexpr UINT kPageTemplates[shell::kPageCount] = {IDD_TONL, IDD_COLOR, IDD_MULTIMON_MATCH,
                                                    IDD_SOUND};
// The control each page's keyboard entry starts at.
constexpr int kPageFirstControl[shell::kPageCount] = {IDC_AUTO_TONALIS, IDC_MONITOR, IDC_ADJUST,
                                                      IDC_MONITOR};

// A page shown as a plain dialog from its template until its own class takes over.
class CPlainPage : public ui::Dialog {
public:
    explicit CPlainPage(UINT templateId) : ui::Dialog(templateId) {}

protected:
    bool OnInitDialog() override { return false; }
    // A page inside the settings window never ends itself on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};

shell::OpenWindows CurrentOpenWindows() {
    CVistrelApp& app = VistrelApp();
    shell::OpenWindows open;
    open.settingsShown = app.m_bSettingsShown != 0;
    open.calmiraOpen = app.m_bCalmiraOpen != 0;
    open.filterOpen = app.m_bFilterOpen != 0;
    open.monitorListOpen = app.m_bMonitorListOpen != 0;
    open.colorDetailOpen = app.m_hColorSubWnd != nullptr;
    return open;
}

}  // namespace

CVistrelDlg::CVistrelDlg() : ui::Dialog(IDD_MAIN) {}

CVistrelDlg::~CVistrelDlg() {
    CVistrelApp& app = VistrelApp();
    if (app.m_pMainDlg == this) app.m_pMainDlg = nullptr;
}

ui::Dialog* CVistrelDlg::Page(int index) const {
    if (index < 0 || index >= shell::kPageCount) return nullptr;
    return m_pages[static_cast<std::size_t>(index)].get();
}

void CVistrelDlg::PublishCurrentMonitor() const {
    // Accessibility tools and test drivers read the current monitor from outside:
    // record index + 1, or 0 when there is none.
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const INT_PTR value = all.m_hCurMonitor != nullptr ? all.m_nCurMonitor + 1 : 0;
    ::SetPropA(Handle(), kCurrentMonitorProperty, reinterpret_cast<HANDLE>(value));
}

bool CVistrelDlg::HasCurrentMonitor() const {
    return VistrelApp().m_statusAll.m_hCurMonitor != nullptr;
}

std::vector<std::string> CVistrelDlg::RecordIdentities() const {
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    std::vector<std::string> identities;
    for (int i = 0; i < all.Count(); ++i) identities.push_back(all.At(i)->m_strIdentity);
    return identities;
}

std::vector<std::string> CVistrelDlg::RecordDeviceNames() const {
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    std::vector<std::string> names;
    for (int i = 0; i < all.Count(); ++i) names.push_back(all.At(i)->m_strDeviceName);
    return names;
}

// ---- Initialisation ---------------------------------------------------------

void CVistrelDlg::RemoveTabTheme() {
    if (!CVistrelApp::IsVistaOrLater()) return;
    const ui::Module uxTheme(ui::LoadSystemLibrary(L"uxtheme.dll"));
    if (!uxTheme) return;
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    auto setWindowTheme = ui::LibraryFunction<SetWindowThemeFn>(uxTheme.Get(), "SetWindowTheme");
    // A sub-id list that names no theme class leaves the control unthemed, so the
    // classic painting lies under the selected-tab drawing.
    if (setWindowTheme != nullptr) setWindowTheme(m_tab.Handle(), nullptr, L"IDC_TAB");
}

bool CVistrelDlg::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    // Discovery claims monitors with the id of the process that owns this window.
    app.m_processes.SetMainWindow(Handle());
    m_trayShell = std::make_unique<CWin32TrayShell>(Handle());
    m_tab.SubclassItem(Handle(), IDC_TAB);
    m_btnClose.AttachItem(Handle(), IDC_CLOSE);

    RemoveTabTheme();

    m_bkBrush.Reset(::CreateSolidBrush(RGB(228, 228, 220)));
    m_nCloseAllTimer = SetTimer(shell_ids::kTimerCloseAll, 100);
    m_bCloseAllPending = 0;

    RebuildMonitors();
    if (app.m_bTrayReady == 0) return false;

    CreatePages();

    HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE);
    if (systemMenu != nullptr) {
        ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(systemMenu, MF_STRING, IDM_SYS_KEEP_ON_TOP,
                      ui::ResourceString(IDS_KEEP_ON_TOP).c_str());
        const std::string about = ui::ResourceString(IDS_ABOUTBOX);
        if (!about.empty()) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_SYS_ABOUT, about.c_str());
        }
    }

    m_hIcon = ::LoadIconA(ui::ResourceInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_hSmallIcon = static_cast<HICON>(
        ::LoadImageA(ui::ResourceInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SetIcon(m_hIcon, true);
    SetIcon(m_hSmallIcon != nullptr ? m_hSmallIcon : m_hIcon, false);

    if (shell::ReadKeepOnTop(*this)) {
        SetPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (systemMenu != nullptr) {
            ::CheckMenuItem(systemMenu, IDM_SYS_KEEP_ON_TOP, MF_BYCOMMAND | MF_CHECKED);
        }
    }

    m_uTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");

    char commonAppData[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathA(nullptr, commonAppData, CSIDL_COMMON_APPDATA, FALSE)) {
        app.m_strDataFolder =
            std::string(commonAppData) + "\\Orvex\\Panelwright Pro for LCD (DDCCI)\\";
    }

    // The reminder and the screen filter start from here.
    for (CShellFeature* feature : app.m_features) feature->OnStart(*this);

    ::WTSRegisterSessionNotification(Handle(), NOTIFY_FOR_THIS_SESSION);
    return false;
}

void CVistrelDlg::CreatePages() {
    static const UINT tabTexts[shell::kPageCount] = {IDS_TAB_TONALIS, IDS_TAB_COLOR, IDS_TAB_MATCH,
                                                     IDS_TAB_SOUND};
    for (int i = 0; i < shell::kPageCount; ++i) m_tab.Insert(i, ui::ResourceString(tabTexts[i]));

    RECT area = m_tab.ClientRect();
    m_tab.AdjustRect(false, area);
    area.left -= 2;
    for (int i = 0; i < shell::kPageCount; ++i) {
        std::unique_ptr<ui::Dialog> page;
        if (VistrelApp().m_pageFactory) page = VistrelApp().m_pageFactory(i, kPageTemplates[i]);
        if (!page) page = std::make_unique<CPlainPage>(kPageTemplates[i]);
        if (!page->Create(m_tab.Handle())) continue;
        if (i == 0) page->SetPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        page->Move(area, i != 3);
        if (i != 0) page->Show(SW_HIDE);
        m_pages[static_cast<std::size_t>(i)] = std::move(page);
    }
    m_nCurTab = 0;
}

// ---- Monitor records and tray -------------------------------------------------

bool CVistrelDlg::RebuildMonitors() {
    CVistrelApp& app = VistrelApp();
    CMonitorStatusAll& all = app.m_statusAll;
    const std::vector<std::string> remembered = shell::RememberIdentities(RecordIdentities());
    const std::size_t oldCount = static_cast<std::size_t>(all.Count());

    // The records point into the monitor list's entries: they go before discovery.
    all.Clear();
    all.m_bBusy = 0;
    if (app.m_monitors.Discover()) BuildMonitorStatus(app.m_monitors, all);

    const bool changed = shell::IdentitiesChanged(remembered, oldCount, RecordIdentities());
    all.SelectFirstMonitor();
    PublishCurrentMonitor();
    UpdateTray();
    return changed;
}

bool CVistrelDlg::UpdateTray() {
    CVistrelApp& app = VistrelApp();
    const std::string tip = ui::ResourceString(IDS_VERSION);
    if (shell::UpdateTrayIcon(*m_trayShell, app.m_clock, &m_nTrayState, HasCurrentMonitor(), tip)) {
        return true;
    }
    ::MessageBoxA(Handle(), ui::ResourceString(IDS_TRAY_REGISTER_FAILED).c_str(),
                  ui::ResourceString(IDS_VERSION).c_str(), MB_ICONHAND);
    app.m_bTrayReady = 0;
    return false;
}

void CVistrelDlg::UnlockForeground() {
    ui::SetForegroundUnlocked(Handle());
}

void CVistrelDlg::OnTrayNotify(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        switch (shell::ChooseDoubleClick(HasCurrentMonitor(), CurrentOpenWindows())) {
            case shell::DoubleClickAction::BringToFront:
                // The settings window is disabled under the colour detail dialog.
                if (VistrelApp().m_hColorSubWnd != nullptr)
                    ui::SetForegroundUnlocked(VistrelApp().m_hColorSubWnd);
                else
                    UnlockForeground();
                break;
            case shell::DoubleClickAction::ShowSettings:
                if (Page(0) != nullptr) Page(0)->Post(shell_ids::kMsgRefreshModePage);
                ShowSettings();
                break;
            case shell::DoubleClickAction::Nothing:
                break;
        }
    } else if (mouseMessage == WM_RBUTTONUP) {
        ShowTrayMenu();
    }
}

void CVistrelDlg::ShowTrayMenu() {
    SetFocus();
    // The menu closes when it loses the foreground only if its owner has it.
    UnlockForeground();
    POINT cursor{};
    ::GetCursorPos(&cursor);
    HMENU menu = ::LoadMenuA(ui::ResourceInstance(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (menu == nullptr) return;
    const shell::TrayMenuChoice choice =
        shell::ChooseTrayMenu(HasCurrentMonitor(), CurrentOpenWindows());
    HMENU popup = ::GetSubMenu(menu, choice.popup);
    if (popup != nullptr) {
        for (std::uint32_t id : choice.grayed) {
            ::EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
        }
        if (choice.defaultItem != 0) ::SetMenuDefaultItem(popup, choice.defaultItem, FALSE);
        ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, Handle(), nullptr);
        Post(WM_NULL);
    }
    ::DestroyMenu(menu);
}

// ---- Settings window ------------------------------------------------------------

void CVistrelDlg::ShowSettings() {
    CVistrelApp& app = VistrelApp();
    if (app.m_bSettingsShown) return;
    app.m_bSettingsShown = 1;
    m_tab.Select(0);
    for (int i = 0; i < shell::kPageCount; ++i) {
        if (Page(i) != nullptr) Page(i)->Show(i == 0 ? SW_SHOW : SW_HIDE);
    }
    m_nCurTab = 0;
    Show(SW_SHOWNORMAL);
    UnlockForeground();
    CheckWindowMoved();
}

void CVistrelDlg::HideSettings() {
    for (int i = 0; i < shell::kPageCount; ++i) {
        if (Page(i) != nullptr) Page(i)->Show(SW_HIDE);
    }
    Show(SW_HIDE);
    VistrelApp().m_bSettingsShown = 0;
    for (int i = 0; i < shell::kPageCount; ++i) {
        if (auto* page = dynamic_cast<CSettingsPage*>(Page(i))) page->OnSettingsHidden();
    }
}

void CVistrelDlg::SelectPage(int index) {
    m_tab.SetFocus();
    if (index != m_nCurTab && index >= 0 && index < shell::kPageCount) {
        for (int i = 0; i < shell::kPageCount; ++i) {
            if (Page(i) != nullptr) Page(i)->Show(SW_HIDE);
        }
        if (Page(index) != nullptr) Page(index)->Show(SW_SHOW);
        // Hiding and showing again forces the tab strip to repaint its bar.
        m_tab.Show(SW_HIDE);
        m_tab.Show(SW_SHOW);
        m_tab.SetFocus();
        if (index == 0 && Page(0) != nullptr) Page(0)->Post(shell_ids::kMsgRefreshModePage);
    }
    m_nCurTab = index;
}

void CVistrelDlg::CheckWindowMoved() {
    CVistrelApp& app = VistrelApp();
    if (!app.m_bSettingsShown) return;
    std::string display = m_follower.LastDisplay();
    DisplayNameOfWindow(Handle(), false, &display);
    const int index = m_follower.OnWindowDisplay(display, RecordDeviceNames());
    if (index < 0) return;
    app.m_statusAll.SelectMonitor(index);
    PublishCurrentMonitor();
    // The visible page shows the new monitor's values; the match page works on
    // its own choice of monitors.
    if (m_nCurTab == 0 && Page(0) != nullptr) {
        Page(0)->Post(shell_ids::kMsgRefreshModePage);
    } else if (m_nCurTab == 1 || m_nCurTab == 3) {
        if (auto* page = dynamic_cast<CSettingsPage*>(Page(m_nCurTab)))
            page->OnCurrentMonitorChanged();
    }
}

void CVistrelDlg::ToggleKeepOnTop() {
    HMENU systemMenu = ::GetSystemMenu(Handle(), FALSE);
    if ((ExStyle() & WS_EX_TOPMOST) != 0) {
        SetPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (systemMenu != nullptr) {
            ::CheckMenuItem(systemMenu, IDM_SYS_KEEP_ON_TOP, MF_BYCOMMAND | MF_UNCHECKED);
        }
        shell::StoreKeepOnTop(*this, false);
        for (CShellFeature* feature : VistrelApp().m_features) feature->OnTopmostDropped(*this);
    } else {
        SetPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (systemMenu != nullptr) {
            ::CheckMenuItem(systemMenu, IDM_SYS_KEEP_ON_TOP, MF_BYCOMMAND | MF_CHECKED);
        }
        shell::StoreKeepOnTop(*this, true);
    }
}

void CVistrelDlg::CloseSecondaryDialogs() {
    CVistrelApp& app = VistrelApp();
    const HWND dialogs[] = {app.m_hColorSubWnd, app.m_hMonitorListWnd, app.m_hMatchWnd,
                            app.m_hEditMsgWnd,  app.m_hCalmiraWnd,     app.m_hFileDialogWnd,
                            app.m_hFilterWnd};
    for (HWND dialog : dialogs) {
        if (dialog != nullptr && ::IsWindow(dialog)) {
            ::SendMessageA(dialog, shell_ids::kMsgCloseNow, 0, 0);
        }
    }
}

void CVistrelDlg::RunMonitorList() {
    CVistrelApp& app = VistrelApp();
    app.m_bMonitorListOpen = 1;
    CDlgMonitor dialog;
    dialog.DoModal(Handle());
    app.m_bMonitorListOpen = 0;
}

void CVistrelDlg::RunAbout() {
    CAboutDlg about;
    about.DoModal(Handle());
}

// ---- Messages -------------------------------------------------------------------

bool CVistrelDlg::OnCommand(int id, int code, HWND control) {
    CVistrelApp& app = VistrelApp();
    for (CShellFeature* feature : app.m_features) {
        if (feature->OnCommand(*this, id)) return true;
    }
    switch (id) {
        case ID_TRAY_SETTING:
            if (HasCurrentMonitor()) {
                if (Page(0) != nullptr) Page(0)->Post(shell_ids::kMsgRefreshModePage);
                ShowSettings();
            }
            return true;
        case ID_TRAY_MONITOR_LIST:
            RunMonitorList();
            return true;
        case ID_TRAY_EXIT:
            for (CShellFeature* feature : app.m_features) feature->OnExit(*this);
            Destroy();
            return true;
        case ID_APP_ABOUT_BOX:
            RunAbout();
            return true;
        case IDC_CLOSE:
            // Not under the colour detail dialog: hidden settings would let Auto
            // Tonalis switch the monitor that dialog adjusts.
            if (app.m_hColorSubWnd == nullptr) HideSettings();
            return true;
        default:
            return false;
    }
}

void CVistrelDlg::OnCancel() {
    // Esc must never destroy the resident window; it closes the settings like "&Close".
    if (VistrelApp().m_hColorSubWnd == nullptr) HideSettings();
}

bool CVistrelDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
    if (id == IDC_TAB && header->code == TCN_SELCHANGE) {
        SelectPage(m_tab.Selection());
        result = 0;
        return true;
    }
    return false;
}

bool CVistrelDlg::OnTimer(UINT_PTR id) {
    CVistrelApp& app = VistrelApp();
    if (id == shell_ids::kTimerCloseAll) {
        if (app.m_statusAll.m_bBusy == 0 && m_bCloseAllPending) {
            CloseSecondaryDialogs();
            m_bCloseAllPending = 0;
            HideSettings();
        }
        return true;
    }
    if (id == shell_ids::kTimerSettle) {
        OnSettleTimer();
        return true;
    }
    for (CShellFeature* feature : app.m_features) {
        if (feature->OnTimer(*this, id)) return true;
    }
    return false;
}

void CVistrelDlg::OnSettleTimer() {
    CVistrelApp& app = VistrelApp();
    const auto outcome = m_settler.OnSettleTimer(app.m_statusAll.m_bBusy != 0);
    if (outcome == shell::DisplayChangeSettler::TimerOutcome::KeepWaiting) return;
    KillTimer(shell_ids::kTimerSettle);
    m_nSettleTimer = 0;
    if (outcome != shell::DisplayChangeSettler::TimerOutcome::StopTimerAndRebuild) return;

    HideSettings();
    const CMonitorStatus* current = app.m_statusAll.Current();
    const std::string previous = current != nullptr && app.m_statusAll.m_hCurMonitor != nullptr
                                     ? current->m_strIdentity
                                     : std::string();
    m_follower.Forget();
    const bool changed = RebuildMonitors();
    const shell::SettleResult settle =
        shell::AfterSettleRebuild(changed, previous, RecordIdentities());
    if (settle.selectIndex >= 0) app.m_statusAll.SelectMonitor(settle.selectIndex);
    PublishCurrentMonitor();
    if (settle.closeAll) m_bCloseAllPending = 1;
    for (CShellFeature* feature : app.m_features) feature->OnMonitorsRebuilt(*this);
    if (settle.notifyModePage && Page(0) != nullptr) {
        Page(0)->Post(shell_ids::kMsgMonitorSetChanged);
    }
}

HBRUSH CVistrelDlg::OnCtlColor(HDC dc, HWND control, UINT type) {
    return m_bkBrush.Get();
}

void CVistrelDlg::RestoreDisplays() {
    CVistrelApp& app = VistrelApp();
    for (auto& display : app.m_displays) {
        if (display) display->RestoreRamp();
    }
    app.m_displays.clear();
}

void CVistrelDlg::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    KillTimer(shell_ids::kTimerCloseAll);
    m_nCloseAllTimer = 0;
    if (m_nTrayState != shell::kTrayNotAdded && m_trayShell) {
        shell::CallTrayWithRetry(*m_trayShell, app.m_clock, shell::TrayMessage::Delete,
                                 IDR_MAINFRAME, "");
        m_nTrayState = shell::kTrayNotAdded;
    }
    for (CShellFeature* feature : app.m_features) feature->OnDestroy(*this);
    for (int i = 0; i < app.m_statusAll.Count(); ++i) app.m_statusAll.At(i)->m_pTransWnd.reset();
    app.m_statusAll.Clear();
    app.m_monitors.ReleaseStillClaimed();
    app.m_statusAll.m_nCurMonitor = -1;
    app.m_statusAll.m_hCurMonitor = nullptr;
    RestoreDisplays();
    ::WTSUnRegisterSessionNotification(Handle());
    ::RemovePropA(Handle(), kCurrentMonitorProperty);
    app.m_processes.SetMainWindow(nullptr);
    if (app.MainWindow() == Handle()) app.SetMainWindow(nullptr);
    ::PostQuitMessage(0);
}

void CVistrelDlg::PostNcDestroy() {
    delete this;
}

bool CVistrelDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CVistrelApp& app = VistrelApp();
    if (m_uTaskbarCreated != 0 && message == m_uTaskbarCreated) {
        // Explorer was restarted and forgot every icon.
        m_nTrayState = shell::kTrayNotAdded;
        if (!UpdateTray()) {
            for (CShellFeature* feature : app.m_features) feature->OnExit(*this);
            Destroy();
        }
        result = 0;
        return true;
    }
    switch (message) {
        case shell_ids::kMsgTrayCallback:
            OnTrayNotify(lParam);
            result = 0;
            return true;
        case shell_ids::kMsgSelectMonitor: {
            // The colour detail dialog keeps working on the monitor it opened on; no
            // other may become current under it.
            if (app.m_hColorSubWnd != nullptr) {
                result = 0;
                return true;
            }
            ui::WaitCursor wait;
            app.m_statusAll.SelectMonitor(static_cast<int>(lParam));
            PublishCurrentMonitor();
            result = 0;
            return true;
        }
        case shell_ids::kMsgRedrawTab:
            m_tab.Show(SW_HIDE);
            m_tab.Show(SW_SHOW);
            result = 0;
            return true;
        case WM_SYSCOMMAND: {
            const UINT command = static_cast<UINT>(wParam & 0xFFF0);
            if (command == IDM_SYS_ABOUT) {
                RunAbout();
                result = 0;
                return true;
            }
            if (command == IDM_SYS_KEEP_ON_TOP) {
                ToggleKeepOnTop();
                result = 0;
                return true;
            }
            return false;
        }
        case WM_CLOSE:
            HideSettings();
            result = 0;
            return true;
        case WM_SHOWWINDOW:
            if (wParam) m_tab.SetFocus();
            return false;
        case WM_EXITSIZEMOVE:
            CheckWindowMoved();
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
            for (CShellFeature* feature : app.m_features) feature->OnDisplayChange(*this);
            for (int i = 0; i < app.m_statusAll.Count(); ++i) {
                app.m_statusAll.At(i)->m_pTransWnd.reset();
            }
            if (m_settler.OnDisplayChange()) {
                m_nSettleTimer = SetTimer(shell_ids::kTimerSettle, 1000);
            }
            result = TRUE;
            return true;
        case WM_DEVICECHANGE:
            result = TRUE;
            return true;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_UNLOCK) {
                for (CShellFeature* feature : app.m_features) feature->OnSessionUnlock(*this);
            }
            return false;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) {
                for (CShellFeature* feature : app.m_features) feature->OnSuspend(*this);
            } else if (wParam == PBT_APMRESUMESUSPEND) {
                for (CShellFeature* feature : app.m_features) feature->OnResume(*this);
            }
            return false;
        case WM_ENDSESSION:
            if (wParam && (lParam & ENDSESSION_CLOSEAPP) != 0) {
                // An installer that needs our files asks us to close (its WM_CLOSE
                // only hides the settings): end as "E&xit" does, which releases the
                // monitors, restores the ramps and removes the icon.
                for (CShellFeature* feature : app.m_features) feature->OnExit(*this);
                Destroy();
                result = 0;
                return true;
            }
            if (wParam) {
                for (CShellFeature* feature : app.m_features) feature->OnEndSession(*this);
                app.m_monitors.ReleaseStillClaimed();
                RestoreDisplays();
            }
            return false;
        case WM_PAINT:
            if (PaintIconIfMinimised(m_hIcon)) {
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

// ---- Keyboard -------------------------------------------------------------------

bool CVistrelDlg::DispatchMnemonic(UINT key) {
    if (key < 'A' || key > 'Z') return false;
    ui::Dialog* page = Page(m_nCurTab);
    if (page == nullptr) return false;
    HWND first = page->Item(kPageFirstControl[m_nCurTab]);
    if (first == nullptr) return false;
    HWND control = first;
    do {
        char text[256] = {};
        ::GetWindowTextA(control, text, static_cast<int>(sizeof text));
        if (shell::MnemonicOf(text) == static_cast<char>(key)) {
            ::SendMessageA(page->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
            // The control now holding the focus gets the key as if typed to it.
            m_resentKey.Resent(key);
            ::keybd_event(static_cast<BYTE>(key), 0x45, KEYEVENTF_EXTENDEDKEY, 0);
            ::keybd_event(static_cast<BYTE>(key), 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
            return true;
        }
        control = ::GetNextDlgTabItem(page->Handle(), control, FALSE);
    } while (control != nullptr && control != first);
    return false;
}

bool CVistrelDlg::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    const UINT key = static_cast<UINT>(message.wParam);
    if (m_resentKey.IsEcho(key)) return false;
    HWND focus = ::GetFocus();
    if (message.message == WM_SYSKEYDOWN) {
        if (key == 'C') {
            HideSettings();
            return true;
        }
        DispatchMnemonic(key);
        return false;
    }
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (key == VK_RETURN) {
        if (focus == m_btnClose.Handle()) HideSettings();
        return true;
    }
    if (key == VK_TAB) {
        if (control) {
            const int next = shell::NextPage(m_nCurTab, shift);
            m_tab.Select(next);
            SelectPage(next);
            return true;
        }
        ui::Dialog* page = Page(m_nCurTab);
        if (page != nullptr) {
            HWND first = page->Item(kPageFirstControl[m_nCurTab]);
            if (!shift && focus == m_tab.Handle() && first != nullptr) {
                ::SendMessageA(page->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first),
                               TRUE);
                return true;
            }
            if (shift && focus == m_btnClose.Handle() && first != nullptr) {
                ::SendMessageA(page->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first),
                               TRUE);
                ::SendMessageA(page->Handle(), WM_NEXTDLGCTL, 1, FALSE);
                return true;
            }
        }
        return false;
    }
    // Plain letters only jump to a mnemonic where the focused control does not
    // take typed characters itself, as the dialog manager does.
    if (focus != nullptr && (::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) != 0) {
        return false;
    }
    DispatchMnemonic(key);
    return false;
}
