#include "launcher/win/dlg_app_proc_select.h"

#include <algorithm>

#include "launcher/item_actions.h"
#include "launcher/os_mask.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"

CDlgAppProcSelect::CDlgAppProcSelect(const launcher::ButtonInfo& item)
    : ui::Dialog(IDD_APP_PROC_SELECT), m_item(item) {}

void CDlgAppProcSelect::Run(HWND owner, const launcher::ButtonInfo& item,
                            launcher::ItemActions& actions) {
    CDlgAppProcSelect dialog(item);
    dialog.DoModal(owner);
    const size_t count = std::min<size_t>(kButtons, item.m_subItems.size());
    actions.StartRegisteredPrograms(item.m_subItems, count, dialog.m_flags);
}

CDlgAppProcSelect::~CDlgAppProcSelect() = default;

bool CDlgAppProcSelect::OnInitDialog() {
    m_brush.Reset(::CreateSolidBrush(RGB(239, 239, 233)));
    m_host = std::make_unique<CActionHost>(Handle(), &CDlgAppProcSelect::Run);
    SetText(Wide(m_item.m_strTitle + u" "));
    const int count = static_cast<int>(std::min<size_t>(kButtons, m_item.m_subItems.size()));
    FitToButtons(count);
    const std::uint32_t running = launcher::GetRunningOsMask(CLauncherApp::Get()->Os());
    const launcher::LauncherPorts ports = CLauncherApp::Get()->Ports();
    const bool windowsInstaller = launcher::WindowsInstallerPresent(ports.installer, ports.os);
    for (int i = 0; i < count; ++i) {
        const launcher::ButtonInfo& sub = *m_item.m_subItems[static_cast<size_t>(i)];
        SetItemText(IDC_APP_BUTTON_FIRST + i, Wide(sub.m_strTitle));
        const bool otherSystem = (sub.m_strItem == launcher::kItemInstaller ||
                                  sub.m_strItem == launcher::kItemExecute) &&
                                 (sub.m_osMask & running) == 0;
        if (otherSystem || !launcher::ItemDoesSomething(sub, true, windowsInstaller)) {
            EnableItem(IDC_APP_BUTTON_FIRST + i, false);
        }
    }
    CLauncherApp::Get()->m_bSubDialogOpen = 1;
    return true;
}

void CDlgAppProcSelect::FitToButtons(int count) {
    const RECT dialog = WindowRect();
    RECT last{};
    ::GetWindowRect(Item(IDC_APP_BUTTON_FIRST + kButtons - 1), &last);
    const int margin = dialog.bottom - last.bottom;
    if (count > 0 && count < kButtons) {
        RECT lastShown{};
        ::GetWindowRect(Item(IDC_APP_BUTTON_FIRST + count - 1), &lastShown);
        SetPos(nullptr, 0, 0, dialog.right - dialog.left, lastShown.bottom + margin - dialog.top,
               SWP_NOMOVE | SWP_NOZORDER);
    }
    for (int i = count; i < kButtons; ++i) {
        EnableItem(IDC_APP_BUTTON_FIRST + i, false);
        ::ShowWindow(Item(IDC_APP_BUTTON_FIRST + i), SW_HIDE);
    }
}

bool CDlgAppProcSelect::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || id < IDC_APP_BUTTON_FIRST || id >= IDC_APP_BUTTON_FIRST + kButtons)
        return false;
    const size_t index = static_cast<size_t>(id - IDC_APP_BUTTON_FIRST);
    m_host->Actions().RunItem(m_item.m_subItems, index, m_flags, &m_item.m_strTitle);
    return true;
}

HBRUSH CDlgAppProcSelect::OnCtlColor(HDC dc, HWND, UINT) {
    ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}

void CDlgAppProcSelect::OnDestroy() {
    CLauncherApp::Get()->m_bSubDialogOpen = 0;
}
