#include "calmira/win/dlg_calmira.h"

#include "calmira/win/dlg_edit_msg.h"
#include "resources/controller/resource.h"
#include "shell/win/display_name.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"

CDlgCalmira::CDlgCalmira() : ui::Dialog(IDD_CALMIRA) {}

CDlgCalmira::~CDlgCalmira() = default;

HBRUSH CDlgCalmira::OnCtlColor(HDC dc, HWND control, UINT type) {
    return PageControlColor(Handle(), dc, control, type, m_brBackground.Get(), m_szPattern,
                            nullptr);
}

bool CDlgCalmira::OnInitDialog() {
    CVistrelApp& app = VistrelApp();
    app.m_hCalmiraWnd = Handle();
    m_szPattern =
        ui::MakePageBrush(Handle(), m_brBackground.Put(), IDB_CALMIRA_BACK, IDB_CALMIRA_BACK_HI);
    m_target.AttachItem(Handle(), IDC_TARGET_MONITOR);
    m_reminderOn.AttachItem(Handle(), IDC_REMINDER_ON);
    m_interval.AttachItem(Handle(), IDC_INTERVAL);
    m_spin.AttachItem(Handle(), IDC_INTERVAL_SPIN);

    const std::string monitorWord = ui::ResourceString(IDS_MONITOR);
    for (int i = 0; i < app.m_statusAll.Count(); ++i) {
        const CMonitorStatus* record = app.m_statusAll.At(i);
        m_monitors.push_back(
            {monitorWord + record->m_strLabel + " (" + record->m_strModelName + ")",
             {record->m_strDeviceName, record->m_strModelName, record->m_strSerialNumber}});
    }
    std::string display;
    DisplayNameOfWindow(Handle(), false, &display);
    m_start = calmira::OpenReminderDialog(*this, m_monitors, display,
                                          ui::ResourceString(IDS_REMINDER_MESSAGE));
    for (const auto& monitor : m_monitors) m_target.Add(monitor.label);
    SelectTarget(m_start.selection);

    m_reminderOn.SetChecked(m_start.settings.on);
    m_interval.LimitText(2);
    m_spin.SetRange(calmira::kMinHours, calmira::kMaxHours);
    m_interval.SetText(std::to_string(m_start.settings.hours));
    m_message = m_start.settings.message;
    UpdateEnabling();
    return true;
}

void CDlgCalmira::SelectTarget(int index) {
    if (index < 0 || index >= static_cast<int>(m_monitors.size())) return;
    m_target.Select(index);
    m_current = m_monitors[static_cast<std::size_t>(index)].target;
}

void CDlgCalmira::UpdateEnabling() {
    const bool on = m_reminderOn.IsChecked();
    for (int id : {IDC_INTERVAL_LABEL, IDC_INTERVAL, IDC_INTERVAL_SPIN, IDC_INTERVAL_UNIT,
                   IDC_EDIT_MESSAGE}) {
        EnableItem(id, on);
    }
}

bool CDlgCalmira::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_TARGET_MONITOR:
            if (code == CBN_SELCHANGE) SelectTarget(m_target.Selection());
            return true;
        case IDC_REMINDER_ON:
            if (code == BN_CLICKED) UpdateEnabling();
            return true;
        case IDC_INTERVAL:
            if (code == EN_UPDATE || code == EN_KILLFOCUS) {
                const std::string text = m_interval.Text();
                const std::string wanted = code == EN_UPDATE ? calmira::IntervalWhileTyping(text)
                                                             : calmira::IntervalOnLeave(text);
                // Rewriting the text raises EN_UPDATE again, which then finds nothing to change.
                if (wanted != text) {
                    m_interval.SetText(wanted);
                    m_interval.SetSelection(static_cast<int>(wanted.size()),
                                            static_cast<int>(wanted.size()));
                }
            }
            return true;
        case IDC_EDIT_MESSAGE:
            if (code == BN_CLICKED) {
                CDlgEditMsg editor;
                editor.m_strMessage = m_message;
                if (editor.DoModal(Handle()) == IDOK) m_message = editor.m_strMessage;
            }
            return true;
        default:
            return false;
    }
}

void CDlgCalmira::OnOK() {
    calmira::SaveReminderDialog(*this, m_start, m_reminderOn.IsChecked(), m_current,
                                m_interval.Text(), m_message);
    VistrelApp().m_bCalmiraOpen = 0;
    EndDialog(IDOK);
}

bool CDlgCalmira::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == shell_ids::kMsgCloseNow || message == WM_DISPLAYCHANGE) {
        EndDialog(0);
        result = 0;
        return true;
    }
    return false;
}

void CDlgCalmira::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    if (app.m_hCalmiraWnd == Handle()) app.m_hCalmiraWnd = nullptr;
}
