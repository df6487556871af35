#include "launcher/win/dlg_information.h"

#include <algorithm>

#include "launcher/win/launcher_app.h"
#include "launcher/win/page_background.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"

CDlgInformation::CDlgInformation(const launcher::TabInfo* pTab, const PageGeometry& geometry)
    : ui::Dialog(IDD_PAGE_INFORMATION), m_pTab(pTab), m_geometry(geometry) {}

CDlgInformation::~CDlgInformation() = default;

namespace {
RECT RectOnPage(HWND page, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
}  // namespace

bool CDlgInformation::OnInitDialog() {
    m_link.SubclassItem(Handle(), IDC_INFO_LINK);
    launcher::LauncherShell* shell = &CLauncherApp::Get()->Ports().shell;
    m_link.SetOpener([shell](const std::wstring& url) {
        // Nothing but the shell reports a failure here.
        shell->Execute(0, u"open", Utf16(url), u"", u"", launcher::ShellUi::ShellReports);
    });
    const RECT message = RectOnPage(Handle(), Item(IDC_DESCRIPTION));
    const RECT link = RectOnPage(Handle(), Item(IDC_INFO_LINK));
    m_messageWidth = message.right - message.left;
    m_linkWidth = link.right - link.left;
    m_margin = message.left;
    m_backgroundSize =
        MakeLauncherPageBrush(Handle(), m_brush.Put(), IDB_INFO_BACK, IDB_INFO_BACK_HI, m_geometry);
    if (m_pTab != nullptr) {
        SetItemText(IDC_DESCRIPTION, Wide(m_pTab->m_strInfoMessage));
        m_link.SetUrl(Wide(m_pTab->m_strInfoUrl));
    }
    if (m_link.Url().empty()) m_link.ModifyStyle(WS_TABSTOP, 0);
    return false;
}

bool CDlgInformation::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
    // The page is made in its template's size and then fitted to the tab's display
    // area, which a wide font can make narrower than the template: the centred
    // message and link would then run off the page's right edge. Both stay centred
    // on the page as it is, the message no wider than the page less its margins.
    if (message == WM_SIZE) {
        CentreOnPage(IDC_DESCRIPTION, m_messageWidth);
        CentreOnPage(IDC_INFO_LINK, m_linkWidth);
    }
    return false;
}

void CDlgInformation::CentreOnPage(int id, int templateWidth) {
    HWND control = Item(id);
    if (control == nullptr || templateWidth <= 0) return;
    const int pageWidth = ClientRect().right;
    const int width = std::max(1, std::min(templateWidth, pageWidth - 2 * m_margin));
    const RECT rect = RectOnPage(Handle(), control);
    ::SetWindowPos(control, nullptr, (pageWidth - width) / 2, rect.top, width,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CDlgInformation::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (!m_brush) return nullptr;
    if (control == Handle()) return m_brush.Get();
    ::SetBkMode(dc, TRANSPARENT);
    const int id = ::GetDlgCtrlID(control);
    if (id == IDC_DESCRIPTION) ::SetTextColor(dc, RGB(0, 0, 0));
    if (id == IDC_DESCRIPTION || id == IDC_INFO_LINK)
        AlignBrushToControl(dc, Handle(), control, m_backgroundSize);
    return m_brush.Get();
}
