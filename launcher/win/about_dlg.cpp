#include "launcher/win/about_dlg.h"

#include "launcher/launcher_strings.h"
#include "resources/launcher/resource.h"
#include "ui/resource_string.h"

CAboutDlg::CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() {
    if (m_brush != nullptr) ::DeleteObject(m_brush);
}

bool CAboutDlg::OnInitDialog() {
    m_brush = ::CreateSolidBrush(RGB(239, 239, 233));
    SetText(ui::ResourceString(launcher::kIdsAboutCaption));
    m_strVersion = ui::ResourceString(launcher::kIdsVersion);
    m_strNotice = ui::ResourceString(launcher::kIdsAboutNotice);
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
    return m_brush;
}
