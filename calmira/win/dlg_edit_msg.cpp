#include "calmira/win/dlg_edit_msg.h"

#include "calmira/reminder_settings.h"
#include "calmira/win/resource_ids.h"
#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"

CDlgEditMsg::CDlgEditMsg() : ui::Dialog(IDD_EDIT_MESSAGE) {}

CDlgEditMsg::~CDlgEditMsg() = default;

bool CDlgEditMsg::OnInitDialog() {
    VistrelApp().m_hEditMsgWnd = Handle();
    m_brush.Reset(::CreateSolidBrush(RGB(228, 228, 220)));
    m_edit.SubclassItem(Handle(), IDC_MESSAGE);
    m_edit.SetMaxBytes(static_cast<UINT>(calmira::kMaxMessageBytes));
    m_edit.SetText(m_strMessage);
    return true;
}

void CDlgEditMsg::OnOK() {
    m_strMessage = m_edit.Text();
    EndDialog(IDOK);
}

HBRUSH CDlgEditMsg::OnCtlColor(HDC dc, HWND control, UINT type) {
    // The text box keeps its own background; everything else lies on the panel colour.
    if (type == CTLCOLOR_EDIT) return nullptr;
    if (type == CTLCOLOR_STATIC || type == CTLCOLOR_BTN) ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}

bool CDlgEditMsg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == shell_ids::kMsgCloseNow || message == WM_DISPLAYCHANGE) {
        EndDialog(0);
        result = 0;
        return true;
    }
    return false;
}

void CDlgEditMsg::OnDestroy() {
    CVistrelApp& app = VistrelApp();
    if (app.m_hEditMsgWnd == Handle()) app.m_hEditMsgWnd = nullptr;
}
