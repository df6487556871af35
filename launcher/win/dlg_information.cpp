#include "launcher/win/dlg_information.h"

#include "launcher/win/launcher_app.h"
#include "launcher/win/page_background.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"

CDlgInformation::CDlgInformation() : ui::Dialog(IDD_PAGE_INFORMATION) {}

CDlgInformation::~CDlgInformation() {
    if (m_brush != nullptr) ::DeleteObject(m_brush);
}

bool CDlgInformation::OnInitDialog() {
    m_link.SubclassItem(Handle(), IDC_INFO_LINK);
    m_backgroundSize = MakeLauncherPageBrush(Handle(), &m_brush, IDB_INFO_BACK, IDB_INFO_BACK_HI);
    const launcher::TabList& tabs = CLauncherApp::Get()->m_tabs;
    const launcher::TabInfo* tab = nullptr;
    for (const auto& candidate : tabs) {
        if (candidate->m_nKind == launcher::kInformationTab) {
            tab = candidate.get();
            break;
        }
    }
    if (tab == nullptr && !tabs.empty()) tab = tabs.back().get();
    if (tab != nullptr) {
        SetItemText(IDC_DESCRIPTION, Wide(tab->m_strInfoMessage));
        m_link.SetUrl(tab->m_strInfoUrl);
    }
    if (m_link.Url().empty()) m_link.ModifyStyle(WS_TABSTOP, 0);
    return false;
}

HBRUSH CDlgInformation::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (m_brush == nullptr) return nullptr;
    if (control == Handle()) return m_brush;
    ::SetBkMode(dc, TRANSPARENT);
    const int id = ::GetDlgCtrlID(control);
    if (id == IDC_DESCRIPTION) ::SetTextColor(dc, RGB(0, 0, 0));
    if (id == IDC_DESCRIPTION || id == IDC_INFO_LINK) AlignBrushToControl(dc, Handle(), control, m_backgroundSize);
    return m_brush;
}
