#include "match/win/dlg_multimon_match_sub.h"

#include "match/win/dlg_multimon_match_steps.h"
#include "match/win/match_ids.h"
#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/foreground.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

CDlgMultiMonMatchSub::CDlgMultiMonMatchSub()
    : ui::Dialog(IDD_MATCH_SUB), m_wizard(VistrelApp().m_monitors, VistrelApp().m_statusAll) {}

CDlgMultiMonMatchSub::~CDlgMultiMonMatchSub() = default;

void CDlgMultiMonMatchSub::BringToFront() {
    ui::SetForegroundUnlocked(Handle());
}

bool CDlgMultiMonMatchSub::OnInitDialog() {
    m_brBackground.Reset(::CreateSolidBrush(match_ids::kFrameBackground));
    BringToFront();

    m_step1 = std::make_unique<CDlgMultiMonMatchStep1>(*this);
    m_step2 = std::make_unique<CDlgMultiMonMatchStep2>(*this);
    m_step3 = std::make_unique<CDlgMultiMonMatchStep3>(*this);
    const RECT client = ClientRect();
    for (int step = 1; step <= 3; ++step) {
        CMatchStep* dialog = Step(step);
        if (!dialog->Create(Handle())) continue;
        dialog->Move(client, false);
        dialog->Show(SW_HIDE);
    }
    VistrelApp().m_hMatchWnd = Handle();
    return false;
}

CMatchStep* CDlgMultiMonMatchSub::Step(int step) const {
    switch (step) {
        case 1:
            return m_step1.get();
        case 2:
            return m_step2.get();
        case 3:
            return m_step3.get();
        default:
            return nullptr;
    }
}

void CDlgMultiMonMatchSub::ShowStep(int step) {
    for (int other = 1; other <= 3; ++other) {
        if (other != step && Step(other) != nullptr && Step(other)->IsWindow())
            Step(other)->Show(SW_HIDE);
    }
    CMatchStep* shown = Step(step);
    if (shown == nullptr || !shown->IsWindow()) return;
    m_nCurrentStep = step;
    shown->Show(SW_SHOW);
    shown->SetFocus();
}

void CDlgMultiMonMatchSub::Cancel() {
    {
        ui::WaitCursor wait;
        m_wizard.Restore();
    }
    Post(WM_CLOSE);
}

void CDlgMultiMonMatchSub::ReportCommFailure() {
    // One message is enough: a step that fails leaves no work for the next.
    if (m_bFailed) return;
    m_bFailed = true;
    ::MessageBoxA(Handle(), ui::ResourceString(IDS_COMM_FAILED).c_str(), Text().c_str(),
                  MB_ICONHAND);
    Post(WM_CLOSE);
}

bool CDlgMultiMonMatchSub::PreTranslateMessage(MSG& message) {
    // Esc and Alt+F4 must not end the frame behind the steps' backs: the monitors
    // would keep what the wizard put on them.
    const bool escape = message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
    const bool altF4 = message.message == WM_SYSKEYDOWN && message.wParam == VK_F4;
    if (!escape && !altF4) return false;
    if (CMatchStep* step = Step(m_nCurrentStep)) step->CancelFromKeyboard();
    return true;
}

bool CDlgMultiMonMatchSub::OnCommand(int id, int code, HWND control) {
    // The dialog manager sends Enter on a step's button to the frame; the shown
    // step decides what its button does.
    if (id != IDOK && id != IDCANCEL) {
        if (CMatchStep* step = Step(m_nCurrentStep)) {
            step->Send(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
            return true;
        }
    }
    return false;
}

void CDlgMultiMonMatchSub::OnOK() {
    // Enter elsewhere in a step: its "&Next" or "&Finish", when offered.
    if (CMatchStep* step = Step(m_nCurrentStep)) step->PressForward();
}

HBRUSH CDlgMultiMonMatchSub::OnCtlColor(HDC dc, HWND control, UINT type) {
    return type == CTLCOLOR_DLG ? m_brBackground.Get() : nullptr;
}

void CDlgMultiMonMatchSub::OnDestroy() {
    m_step1.reset();
    m_step2.reset();
    m_step3.reset();
    CVistrelApp& app = VistrelApp();
    if (app.m_hMatchWnd == Handle()) app.m_hMatchWnd = nullptr;
    app.m_statusAll.m_bBusy = 0;
}

bool CDlgMultiMonMatchSub::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != 0 && m_nCurrentStep == 0) ShowStep(1);
            return false;
        case WM_DISPLAYCHANGE:
            // The records are about to be rebuilt; nothing is restored.
        case shell_ids::kMsgCloseNow:
            Post(WM_CLOSE);
            result = 0;
            return true;
        case WM_CLOSE:
            EndDialog(IDCANCEL);
            result = 0;
            return true;
        default:
            return false;
    }
}
