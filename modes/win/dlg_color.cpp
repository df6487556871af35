#include "modes/win/dlg_color.h"

#include "modes/adjustment_restore.h"
#include "modes/adjustment_store.h"
#include "modes/color_page.h"
#include "modes/mode_lists.h"
#include "modes/win/dlg_color_sub.h"
#include "modes/win/monitor_claim.h"
#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_dlg.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

namespace {

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace

CDlgColor::CDlgColor() : CDlgPage(IDD_COLOR, IDB_COLOR_BACK, IDB_COLOR_BACK_HI, IDC_MONITOR) {}

CDlgColor::~CDlgColor() {
    CVistrelApp& app = VistrelApp();
    if (app.m_pColorSub == m_pColor.get()) app.m_pColorSub = nullptr;
}

bool CDlgColor::OnInitDialog() {
    CDlgPage::OnInitDialog();
    m_cbMonitor.AttachItem(Handle(), IDC_MONITOR);
    m_cbMode.AttachItem(Handle(), IDC_MODE);
    m_cbName.AttachItem(Handle(), IDC_DATA_NAME);
    // The colour detail dialog works on the same snapshot as this page.
    m_pColor = std::make_unique<CMonitorColor>();
    VistrelApp().m_pColorSub = m_pColor.get();
    return false;
}

void CDlgColor::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    if (app.m_pColorSub == m_pColor.get()) app.m_pColorSub = nullptr;
}

void CDlgColor::ShowMessage(unsigned stringId, unsigned icon) const {
    ::MessageBoxA(Handle(), ui::ResourceString(stringId).c_str(),
                  ui::ResourceString(IDS_PRODUCT_NAME).c_str(), icon);
}

// ---- Lists ----------------------------------------------------------------------

void CDlgColor::FillModeList() {
    m_cbMode.Clear();
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const CMonitorStatus* record = all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
    if (record == nullptr) return;
    for (const ModeListItem& item : ModeListForMonitor(*record)) {
        const int index = m_cbMode.Add(ui::ResourceString(static_cast<UINT>(item.stringId)));
        m_cbMode.SetItemData(index, item.value);
    }
}

void CDlgColor::FillDataList() {
    m_cbName.Clear();
    AdjustmentStore store(VistrelApp().m_registry);
    for (const std::string& name : store.Names()) m_cbName.Add(name);
    m_cbName.Select(-1);
    m_strName.clear();
    m_cbName.SetText("");
    UpdateEnabling();
}

void CDlgColor::SelectCurrentMode(bool pageSelected) {
    CVistrelApp& app = VistrelApp();
    const CMonitorStatus* record =
        app.m_statusAll.m_hCurMonitor != nullptr ? app.m_statusAll.Current() : nullptr;
    DisplayMode mode = -1;
    const bool read =
        record != nullptr && ReadCurrentMode(app.m_monitors, *record, pageSelected, &mode);
    m_pColor->m_nMode = read ? mode : -1;
    m_pColor->m_bModeValid = read ? 1 : 0;
    int index = -1;
    for (int i = 0; read && i < m_cbMode.Count(); ++i) {
        if (static_cast<DisplayMode>(m_cbMode.ItemData(i)) == mode) index = i;
    }
    m_cbMode.Select(index);
    // What the monitor holds is what a failed write later goes back to.
    m_nModeIndex = index;
}

void CDlgColor::UpdateEnabling() {
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const CMonitorStatus* record = all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
    const int modeIndex = m_cbMode.Selection();
    const std::uint32_t flags =
        record != nullptr && modeIndex >= 0
            ? ModeFlagsOf(*record, static_cast<DisplayMode>(m_cbMode.ItemData(modeIndex)))
            : 0;
    const std::string typed = m_cbName.Text();
    const int selected = m_cbName.Selection();
    const bool entrySelected = selected >= 0 && m_cbName.ItemText(selected) == typed;
    bool listed = false;
    for (int i = 0; i < m_cbName.Count() && !listed; ++i) listed = m_cbName.ItemText(i) == typed;

    const ColorPageEnabling enabling =
        ColorPageControls(m_bAdjustable && record != nullptr, flags, typed, entrySelected, listed);
    m_cbMode.Enable(enabling.modeList);
    m_cbName.Enable(enabling.nameBox);
    EnableItem(IDC_COLOR_DETAIL, enabling.colorButton);
    EnableItem(IDC_REGISTER_DATA, enabling.registerButton);
    EnableItem(IDC_DELETE_DATA, enabling.deleteButton);
    EnableItem(IDC_RESTORE_DATA, enabling.restoreButton);
}

const std::string& CDlgColor::PullName() {
    m_strName = m_cbName.Text();
    return m_strName;
}

// ---- Refresh and selections ---------------------------------------------------------

void CDlgColor::Refresh() {
    ui::WaitCursor wait;
    FillMonitorList(m_cbMonitor);
    FillModeList();
    FillDataList();
    {
        CMonitorClaim claim;
        SelectCurrentMode(false);
        m_bAdjustable = claim.Ready();
        UpdateEnabling();
    }
    m_cbName.SetText(m_strName);
}

void CDlgColor::OnModeSelected() {
    const int index = m_cbMode.Selection();
    if (index < 0) return;
    CMonitorClaim claim;
    const CMonitorStatus* record = claim.Record();
    const DisplayMode mode = static_cast<DisplayMode>(m_cbMode.ItemData(index));
    if (record != nullptr && WriteDisplayMode(claim.List(), *record, mode, false)) {
        SelectCurrentMode(true);
        // A monitor that took the mode but reads back something unlisted still
        // shows the user's choice.
        if (m_cbMode.Selection() < 0) {
            m_cbMode.Select(index);
            m_nModeIndex = index;
        }
    } else {
        m_cbMode.Select(m_nModeIndex);
    }
    m_bAdjustable = claim.Ready();
    UpdateEnabling();
}

void CDlgColor::OnMonitorSelected() {
    const int index = m_cbMonitor.Selection();
    if (index < 0) return;
    CVistrelApp& app = VistrelApp();
    ::SendMessageA(MainWindow(), shell_ids::kMsgSelectMonitor, 0, index);
    app.m_clock.Sleep(500);
    {
        CMonitorClaim claim;
        FillModeList();
        FillDataList();
        SelectCurrentMode(false);
        m_bAdjustable = claim.Ready();
        UpdateEnabling();
    }
    app.m_clock.Sleep(100);
}

void CDlgColor::OnNameEdited() {
    const std::string typed = m_cbName.Text();
    if (const std::optional<std::string> putBack = NameToPutBack(typed, m_strName, IsLeadByte)) {
        ShowMessage(IDS_NAME_TOO_LONG, MB_ICONEXCLAMATION);
        m_cbName.SetText(*putBack);
        const int caret = static_cast<int>(putBack->size());
        m_cbName.SetEditSelection(caret, caret);
    }
    UpdateEnabling();
}

void CDlgColor::OnNameSelected() {
    const int selected = m_cbName.Selection();
    if (selected >= 0) m_strName = m_cbName.ItemText(selected);
    // The edit field takes the entry's text only after this notification.
    m_cbName.SetText(m_strName);
    UpdateEnabling();
}

// ---- Adjustment data sets ------------------------------------------------------------

void CDlgColor::OnRegister() {
    ui::WaitCursor wait;
    const std::string name = PullName();
    {
        CMonitorClaim claim;
        const CMonitorStatus* record = claim.Record();
        // A set needs a name, and a set without its mode would force Text mode on
        // every later restore: nothing is stored then.
        AdjustmentData data;
        if (record != nullptr && !name.empty() &&
            ReadAdjustmentData(claim.List(), *record, &data) && claim.Ready()) {
            AdjustmentStore(VistrelApp().m_registry).Write(name, data);
        }
    }
    FillDataList();
    FocusMainControl(IDC_CLOSE);
}

void CDlgColor::OnRestore() {
    ui::WaitCursor wait;
    const std::string name = PullName();
    AdjustmentData data;
    const bool read = AdjustmentStore(VistrelApp().m_registry).Read(name, &data);
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const CMonitorStatus* current = all.m_hCurMonitor != nullptr ? all.Current() : nullptr;
    if (current == nullptr) return;
    if (!read || !IsSetForModel(data, current->m_strModelName)) {
        ShowMessage(IDS_DATA_NOT_FOR_MONITOR, MB_ICONEXCLAMATION);
        return;
    }
    CMonitorClaim claim;
    const CMonitorStatus* record = claim.Record();
    if (record == nullptr) return;
    ApplyAdjustmentData(claim.List(), *record, data);
    FillModeList();
    SelectCurrentMode(false);
    m_bAdjustable = claim.Ready();
    UpdateEnabling();
}

void CDlgColor::OnDelete() {
    const std::string name = PullName();
    const int answer = ::MessageBoxA(
        Handle(), ui::ResourceString(IDS_DELETE_ADJUSTMENT_DATA).c_str(),
        ui::ResourceString(IDS_PRODUCT_NAME).c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDOK) return;
    if (!name.empty()) {
        AdjustmentStore store(VistrelApp().m_registry);
        store.Delete(name);
        store.ForgetInRules(name);
    }
    FillDataList();
    FocusMainControl(IDC_CLOSE);
}

// ---- Colour detail dialog ------------------------------------------------------------

namespace {

// The settings window is disabled for as long as the colour detail dialog runs,
// and enabled again however the dialog ends: restored from the taskbar it would
// otherwise let another monitor become current, start a second dialog, or hide
// the settings so that Auto Tonalis switches the monitor under the dialog.
class DisabledWhileDetailRuns {
public:
    DisabledWhileDetailRuns(HWND window, bool& open) : m_window(window), m_open(open) {
        m_open = true;
        ::EnableWindow(m_window, FALSE);
    }
    ~DisabledWhileDetailRuns() {
        ::EnableWindow(m_window, TRUE);
        m_open = false;
    }
    DisabledWhileDetailRuns(const DisabledWhileDetailRuns&) = delete;
    DisabledWhileDetailRuns& operator=(const DisabledWhileDetailRuns&) = delete;

private:
    HWND m_window;
    bool& m_open;
};

}  // namespace

void CDlgColor::OnColorDetail() {
    CVistrelApp& app = VistrelApp();
    if (m_bDetailOpen || app.m_hColorSubWnd != nullptr) return;
    HWND main = MainWindow();
    // The settings window steps aside (minimised) while the dialog is up, and the
    // monitor set is not rebuilt under the dialog.
    ::ShowWindow(main, SW_HIDE);
    ::ShowWindow(main, SW_MINIMIZE);
    ::ShowWindow(main, SW_SHOW);
    app.m_statusAll.m_bBusy = 1;

    {
        DisabledWhileDetailRuns disabled(main, m_bDetailOpen);
        CDlgColorSub dialog;
        dialog.DoModal(nullptr);
    }

    {
        CMonitorClaim claim;
        SelectCurrentMode(false);
        m_bAdjustable = claim.Ready();
        UpdateEnabling();
    }

    ::ShowWindow(main, SW_HIDE);
    ::ShowWindow(main, SW_RESTORE);
    ::ShowWindow(main, SW_SHOW);
    if ((::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
        ::SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (app.m_pMainDlg != nullptr) app.m_pMainDlg->UnlockForeground();
    app.m_statusAll.m_bBusy = 0;
    ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_COLOR_DETAIL)), TRUE);
}

// ---- Messages ------------------------------------------------------------------------

bool CDlgColor::OnCommand(int id, int code, HWND control) {
    if (m_bDetailOpen) return true;
    switch (id) {
        case IDC_MONITOR:
            if (code == CBN_SELCHANGE) OnMonitorSelected();
            return true;
        case IDC_MODE:
            if (code == CBN_SELCHANGE) OnModeSelected();
            return true;
        case IDC_DATA_NAME:
            if (code == CBN_EDITCHANGE)
                OnNameEdited();
            else if (code == CBN_SELCHANGE)
                OnNameSelected();
            else if (code == CBN_DROPDOWN)
                FillDataList();
            return true;
        case IDC_COLOR_DETAIL:
            if (code == BN_CLICKED) OnColorDetail();
            return true;
        case IDC_REGISTER_DATA:
            if (code == BN_CLICKED) OnRegister();
            return true;
        case IDC_DELETE_DATA:
            if (code == BN_CLICKED) OnDelete();
            return true;
        case IDC_RESTORE_DATA:
            if (code == BN_CLICKED) OnRestore();
            return true;
        default:
            return false;
    }
}

bool CDlgColor::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SHOWWINDOW && wParam != 0) Refresh();
    return false;
}
