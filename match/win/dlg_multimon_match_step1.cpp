#include "match/win/dlg_multimon_match_steps.h"

#include "match/win/match_ids.h"
#include "modes/mode_lists.h"
#include "resources/controller/resource.h"
#include "shell/win/vistrel_app.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

CDlgMultiMonMatchStep1::CDlgMultiMonMatchStep1(match::StepFrame& frame)
    : CMatchStep(IDD_MATCH_STEP1, frame, IDB_MATCH_STEP1_BACK, IDB_MATCH_STEP1_BACK_HI,
                 IDC_STEP1_NEXT, IDC_STEP1_CANCEL) {}

bool CDlgMultiMonMatchStep1::OnInitDialog() {
    CMatchStep::OnInitDialog();
    m_cbMaster.AttachItem(Handle(), IDC_STEP1_MASTER);
    m_cbMode.AttachItem(Handle(), IDC_STEP1_MODE);

    MatchWizard& wizard = Wizard();
    if (!wizard.Start()) {
        ReportCommFailure();
        return false;
    }
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    const std::string monitorWord = ui::ResourceString(IDS_MONITOR);
    for (int index : wizard.Candidates()) {
        const CMonitorStatus* record = all.At(index);
        const int item =
            m_cbMaster.Add(monitorWord + record->m_strLabel + " (" + record->m_strModelName + ")");
        m_cbMaster.SetItemData(item, index);
        if (index == wizard.state().masterIndex) m_cbMaster.Select(item);
    }
    FillModes();
    ShowMasterMode();
    for (int id : {IDC_STEP1_MASTER, IDC_STEP1_MODE, IDC_STEP1_NEXT, IDC_STEP1_CANCEL})
        EnableItem(id, false);
    return false;
}

void CDlgMultiMonMatchStep1::FillModes() {
    m_cbMode.Clear();
    const CMonitorStatus* master = Wizard().Master();
    if (master == nullptr) return;
    for (const ModeListItem& mode : ModeListForMonitor(*master)) {
        const int item = m_cbMode.Add(ui::ResourceString(static_cast<UINT>(mode.stringId)));
        m_cbMode.SetItemData(item, mode.value);
    }
}

bool CDlgMultiMonMatchStep1::ShowMasterMode() {
    MatchWizard& wizard = Wizard();
    bool read = false;
    {
        ui::WaitCursor wait;
        read = wizard.ReadMasterMode();
    }
    if (!read) {
        ReportCommFailure();
        return false;
    }
    for (int item = 0; item < m_cbMode.Count(); ++item) {
        if (static_cast<DisplayMode>(m_cbMode.ItemData(item)) == wizard.state().mode)
            m_cbMode.Select(item);
    }
    UpdateNext();
    return true;
}

void CDlgMultiMonMatchStep1::UpdateNext() {
    if (!m_bLoaded) return;
    EnableItem(IDC_STEP1_NEXT, MatchWizard::CanLeaveStep1(Wizard().state().mode));
}

void CDlgMultiMonMatchStep1::OnLoad() {
    bool saved = false;
    {
        ui::WaitCursor wait;
        saved = Wizard().SaveStates();
    }
    if (!saved) {
        ReportCommFailure();
        return;
    }
    m_bLoaded = true;
    EnableItem(IDC_STEP1_MASTER, true);
    EnableItem(IDC_STEP1_MODE, true);
    EnableItem(IDC_STEP1_CANCEL, true);
    UpdateNext();
    ::SendMessageA(Handle(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(
                       Item(IsItemEnabled(IDC_STEP1_NEXT) ? IDC_STEP1_NEXT : IDC_STEP1_CANCEL)),
                   TRUE);
}

void CDlgMultiMonMatchStep1::OnMasterChanged() {
    const int item = m_cbMaster.Selection();
    if (item < 0 || !Wizard().SelectMaster(static_cast<int>(m_cbMaster.ItemData(item)))) {
        ReportCommFailure();
        return;
    }
    FillModes();
    ShowMasterMode();
}

void CDlgMultiMonMatchStep1::OnModeChanged() {
    const int item = m_cbMode.Selection();
    if (item < 0) {
        ReportCommFailure();
        return;
    }
    bool written = false;
    {
        ui::WaitCursor wait;
        written = Wizard().WriteMasterMode(static_cast<DisplayMode>(m_cbMode.ItemData(item)));
    }
    if (!written) {
        ReportCommFailure();
        return;
    }
    UpdateNext();
}

void CDlgMultiMonMatchStep1::OnForward() {
    m_frame.ShowStep(2);
}

bool CDlgMultiMonMatchStep1::OnCommand(int id, int code, HWND control) {
    if (id == IDC_STEP1_MASTER) {
        if (code == CBN_SELCHANGE) OnMasterChanged();
        return true;
    }
    if (id == IDC_STEP1_MODE) {
        if (code == CBN_SELCHANGE) OnModeChanged();
        return true;
    }
    return CMatchStep::OnCommand(id, code, control);
}
