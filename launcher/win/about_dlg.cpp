#include "launcher/win/about_dlg.h"

#include "resources/launcher/resource.h"
#include "ui/resource_string.h"

CAboutDlg::CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog() {
    m_brush.Reset(::CreateSolidBrush(RGB(239, 239, 233)));
    SetText(ui::ResourceString(IDS_ABOUT_CAPTION));
    m_strVersion = ui::ResourceString(IDS_VERSION);
    m_strNotice = ui::ResourceString(IDS_ABOUT_NOTICE);
    SetItemText(IDC_ABOUT_VERSION, m_strVersion);
    SetItemText(IDC_ABOUT_NOTICE, m_strNotice);
    return true;
}

bool CAboutDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_ABOUT_CLOSE && code == BN_CLICKED) {
        EndDialog(IDOK);
        return true;
    }
    return false;
}

HBRUSH CAboutDlg::OnCtlColor(HDC dc, HWND, UINT) {
    ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}
