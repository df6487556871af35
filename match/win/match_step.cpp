#include "match/win/match_step.h"

#include "match/win/match_ids.h"
#include "ui/page_brush.h"

CMatchStep::CMatchStep(UINT templateId, match::StepFrame& frame, UINT lowResBitmap,
                       UINT highResBitmap, int forwardId, int cancelId)
    : ui::Dialog(templateId),
      m_frame(frame),
      m_nLowResBitmap(lowResBitmap),
      m_nHighResBitmap(highResBitmap),
      m_nForwardId(forwardId),
      m_nCancelId(cancelId) {}

CMatchStep::~CMatchStep() = default;

bool CMatchStep::OnInitDialog() {
    ui::MakePageBrush(Handle(), m_brBackground.Put(), m_nLowResBitmap, m_nHighResBitmap);
    return false;
}

HBRUSH CMatchStep::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (type == CTLCOLOR_DLG) return m_brBackground.Get();
    if (type == CTLCOLOR_STATIC) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, TextColor(::GetDlgCtrlID(control)));
        return m_brBackground.Get();
    }
    return nullptr;
}

void CMatchStep::CancelFromKeyboard() {
    if (IsItemEnabled(m_nCancelId)) RunCancel();
}

void CMatchStep::PressForward() {
    if (IsItemEnabled(m_nForwardId)) OnForward();
}

void CMatchStep::RunCancel() {
    m_frame.Cancel();
}

void CMatchStep::ReportCommFailure() {
    m_frame.ReportCommFailure();
}

MatchWizard& CMatchStep::Wizard() const {
    return m_frame.Wizard();
}

void CMatchStep::OnPrepare() {
    Post(match_ids::kMsgLoadStep);
}

bool CMatchStep::OnCommand(int id, int code, HWND control) {
    if (id != m_nForwardId && id != m_nCancelId) return false;
    if (code == BN_CLICKED && IsItemEnabled(id)) {
        if (id == m_nForwardId) {
            OnForward();
        } else {
            RunCancel();
        }
    }
    return true;
}

bool CMatchStep::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != 0 && !m_bShownOnce) {
                m_bShownOnce = true;
                Post(match_ids::kMsgPrepareStep);
            }
            return false;
        case match_ids::kMsgPrepareStep:
            OnPrepare();
            result = 0;
            return true;
        case match_ids::kMsgLoadStep:
            OnLoad();
            result = 0;
            return true;
        default:
            return false;
    }
}
