#include "match/win/dlg_multimon_match.h"

#include "match/match_wizard.h"
#include "match/win/dlg_multimon_match_sub.h"
#include "match/win/match_ids.h"
#include "match/win/stretch_bitmap.h"
#include "resources/controller/resource.h"
#include "shell/win/vistrel_app.h"
#include "shell/win/vistrel_dlg.h"

namespace {

// From this resolution on the page shows the larger picture.
constexpr int kHighResolutionDpi = 120;

}  // namespace

CDlgMultiMonMatch::CDlgMultiMonMatch()
    : CDlgPage(IDD_MULTIMON_MATCH, IDB_MATCH_BACK, IDB_MATCH_BACK_HI, IDC_ADJUST) {}

void CDlgMultiMonMatch::CountCandidates() {
    const int candidates = MatchWizard::MarkCandidates(VistrelApp().m_statusAll);
    EnableItem(IDC_ADJUST, candidates > 1);
}

void CDlgMultiMonMatch::RunWizard() {
    CVistrelApp& app = VistrelApp();
    const HWND main = MainWindow();
    // The settings window steps aside while the wizard runs on top of the desktop.
    ::ShowWindow(main, SW_HIDE);
    ::ShowWindow(main, SW_MINIMIZE);
    ::ShowWindow(main, SW_SHOW);
    app.m_statusAll.m_bBusy = 1;
    {
        CDlgMultiMonMatchSub wizard;
        wizard.DoModal(main);
    }
    ::ShowWindow(main, SW_HIDE);
    ::ShowWindow(main, SW_RESTORE);
    ::ShowWindow(main, SW_SHOW);
    if ((::GetWindowLongPtr(main, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
        ::SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (app.m_pMainDlg != nullptr) app.m_pMainDlg->UnlockForeground();
    app.m_statusAll.m_bBusy = 0;
    ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_ADJUST)), TRUE);
    Invalidate();
}

void CDlgMultiMonMatch::PaintPicture() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    RECT area{};
    if (PlaceholderRect(Handle(), IDC_MATCH_PICTURE, &area)) {
        StretchBitmap(dc, area,
                      ::GetDeviceCaps(dc, LOGPIXELSX) >= kHighResolutionDpi ? IDB_MATCH_PICTURE_HI
                                                                            : IDB_MATCH_PICTURE);
    }
    ::EndPaint(Handle(), &paint);
}

bool CDlgMultiMonMatch::OnCommand(int id, int code, HWND control) {
    if (id == IDC_ADJUST && code == BN_CLICKED) {
        if (IsWindowEnabled(Item(id))) RunWizard();
        return true;
    }
    return CDlgPage::OnCommand(id, code, control);
}

bool CDlgMultiMonMatch::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SHOWWINDOW && wParam != 0) CountCandidates();
    if (message == WM_PAINT) {
        PaintPicture();
        result = 0;
        return true;
    }
    return CDlgPage::OnMessage(message, wParam, lParam, result);
}
