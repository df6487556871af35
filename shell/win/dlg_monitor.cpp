#include "shell/win/dlg_monitor.h"

#include "resources/controller/resource.h"
#include "shell/monitor_list_line.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/resource_string.h"

CDlgMonitor::CDlgMonitor() : ui::Dialog(IDD_MONITOR_LIST) {}

CDlgMonitor::~CDlgMonitor() = default;

bool CDlgMonitor::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    m_bkBrush.Reset(::CreateSolidBrush(RGB(228, 228, 220)));
    m_note.AttachItem(Handle(), IDC_LIST_EXPLANATION);
    m_header.AttachItem(Handle(), IDC_LIST_HEADER);
    m_list.AttachItem(Handle(), IDC_MONITOR_LIST);

    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const RECT own = WindowRect();
    const int x = desktop.right / 2 - (own.right - own.left) / 2;
    const int y = desktop.bottom / 6;
    HWND owner = ::GetWindow(Handle(), GW_OWNER);
    const bool ownerOnTop =
        owner != nullptr && (::GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetPos(ownerOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);

    const std::string monitorWord = ui::ResourceString(IDS_MONITOR);
    const CMonitorStatusAll& all = app.m_statusAll;
    for (int i = 0; i < all.Count(); ++i) {
        const CMonitorStatus* record = all.At(i);
        m_list.Add(shell::FormatMonitorListLine(i, monitorWord, record->m_strLabel,
                                                record->m_strModelName, record->m_strSerialNumber));
    }
    m_note.SetText(ui::ResourceString(IDS_MONITOR_LIST_EXPLANATION));
    app.m_hMonitorListWnd = Handle();
    return true;
}

void CDlgMonitor::Close() {
    VistrelApp().m_bMonitorListOpen = 0;
    EndDialog(0);
}

bool CDlgMonitor::OnCommand(int id, int code, HWND control) {
    if (id == IDCANCEL) {
        Close();
        return true;
    }
    return false;
}

void CDlgMonitor::OnCancel() {
    Close();
}

HBRUSH CDlgMonitor::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (control == m_list.Handle()) {
        // Left to default processing the colour would be reset; answer with the
        // list's usual background and only the text in blue.
        ::SetTextColor(dc, RGB(0, 0, 255));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    ::SetBkMode(dc, TRANSPARENT);
    return m_bkBrush.Get();
}

void CDlgMonitor::OnDestroy() {
    VistrelApp().m_hMonitorListWnd = nullptr;
}

bool CDlgMonitor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case shell_ids::kMsgCloseNow:
            EndDialog(0);
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
            // The lines may describe monitors that are gone.
            Close();
            result = 0;
            return true;
        case WM_DEVICECHANGE:
            result = TRUE;
            return true;
        default:
            return false;
    }
}
