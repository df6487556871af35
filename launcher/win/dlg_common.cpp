#include "launcher/win/dlg_common.h"

#include <algorithm>

#include "launcher/item_actions.h"
#include "launcher/os_mask.h"
#include "launcher/win/dlg_app_proc_select.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/page_background.h"
#include "launcher/win/page_messages.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"

namespace {

bool LinkDisabledByOs(const launcher::ButtonInfo& item, std::uint32_t running) {
    if (item.m_strItem == launcher::kItemInstaller || item.m_strItem == launcher::kItemExecute) {
        return (item.m_osMask & running) == 0;
    }
    if (item.m_strItem == launcher::kItemApplication) {
        return item.m_appOsMask != 0 && (item.m_appOsMask & running) == 0;
    }
    return false;
}

}  // namespace

CDlgCommon::CDlgCommon(const launcher::TabInfo* pTab, const PageGeometry& geometry)
    : ui::Dialog(IDD_PAGE_COMMON), m_pTab(pTab), m_geometry(geometry) {}

CDlgCommon::~CDlgCommon() = default;

bool CDlgCommon::OnInitDialog() {
    for (int i = 0; i < kLinks; ++i) m_links[i].SubclassItem(Handle(), IDC_LINK_FIRST + i);
    m_backgroundSize =
        MakeLauncherPageBrush(Handle(), m_brush.Put(), IDB_PAGE_BACK, IDB_PAGE_BACK_HI, m_geometry);
    m_host = std::make_unique<CActionHost>(Handle(), &CDlgAppProcSelect::Run);
    LOGFONT font{};
    ::GetObject(reinterpret_cast<HFONT>(Send(WM_GETFONT)), sizeof font, &font);
    font.lfWeight = 800;
    m_measureFont.Reset(::CreateFontIndirect(&font));
    SetUpLinks();
    return false;
}

void CDlgCommon::SetUpLinks() {
    CLauncherApp* app = CLauncherApp::Get();
    const std::uint32_t running = launcher::GetRunningOsMask(app->Os());
    const launcher::LauncherPorts ports = app->Ports();
    const bool windowsInstaller = launcher::WindowsInstallerPresent(ports.installer, ports.os);
    HWND description = Item(IDC_DESCRIPTION);
    for (int i = 0; i < kLinks; ++i) {
        CStaticButton& link = m_links[i];
        if (m_pTab == nullptr || static_cast<size_t>(i) >= m_pTab->m_items.size()) {
            link.SetTexts(&m_strEmpty, &m_strEmpty, &m_strDefaultText, description);
            link.Enable(false);
            // Nothing to reach with the keyboard either.
            link.ModifyStyle(WS_TABSTOP, 0);
            continue;
        }
        const launcher::ButtonInfo& item = *m_pTab->m_items[static_cast<size_t>(i)];
        link.SetTexts(&item.m_strTitle, &item.m_strCaption, &m_strDefaultText, description);
        const bool disabled = LinkDisabledByOs(item, running) ||
                              !launcher::ItemDoesSomething(item, false, windowsInstaller);
        link.Enable(!disabled);
        if (disabled) link.ModifyStyle(WS_TABSTOP, 0);
        FitLink(i, item.m_strTitle);
    }
}

void CDlgCommon::FitLink(int index, const std::u16string& title) {
    CStaticButton& link = m_links[index];
    SIZE extent{0, 0};
    {
        ui::WindowDc dc(Handle());
        ui::SelectGuard font(dc.Get(), m_measureFont.Get());
        const std::wstring text = Wide(title);
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT rect = link.WindowRect();
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
    // A long title may run on to the tab control's edge rather than being cut
    // at the template's width.
    const int rightLimit = m_geometry.m_nTabClientRight - 8;
    int width = extent.cx;
    if (rightLimit > rect.left) width = std::min(width, rightLimit - static_cast<int>(rect.left));
    link.SetPos(nullptr, 0, 0, std::max(width, 1), rect.bottom - rect.top,
                SWP_NOMOVE | SWP_NOZORDER);
    if (extent.cx > width) link.ModifyStyle(0, SS_ENDELLIPSIS);
}

bool CDlgCommon::OnCommand(int id, int code, HWND control) {
    if (code != STN_CLICKED || id < IDC_LINK_FIRST || id >= IDC_LINK_FIRST + kLinks) return false;
    CStaticButton& link = m_links[id - IDC_LINK_FIRST];
    if (!link.m_bKeyboardClick) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const RECT rect = link.WindowRect();
        if (!::PtInRect(&rect, cursor)) return true;
    }
    ::ReleaseCapture();
    if (m_pTab != nullptr) {
        m_host->Actions().RunItem(m_pTab->m_items, static_cast<size_t>(id - IDC_LINK_FIRST),
                                  m_bInstallerStarted);
    }
    if (!link.m_bKeyboardClick && link.IsWindow()) ::SetCapture(link.Handle());
    return true;
}

HBRUSH CDlgCommon::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (!m_brush) return nullptr;
    if (control == Handle()) return m_brush.Get();
    ::SetBkMode(dc, TRANSPARENT);
    const int id = ::GetDlgCtrlID(control);
    if (id == IDC_DESCRIPTION) ::SetTextColor(dc, RGB(0, 0, 0));
    if (id >= IDC_DESCRIPTION && id < IDC_LINK_FIRST + kLinks) {
        AlignBrushToControl(dc, Handle(), control, m_backgroundSize);
    }
    return m_brush.Get();
}

bool CDlgCommon::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == kMsgStartRegistered) {
        if (m_pTab != nullptr) {
            const size_t count = std::min<size_t>(kLinks, m_pTab->m_items.size());
            m_host->Actions().StartRegisteredPrograms(m_pTab->m_items, count, m_bInstallerStarted);
        }
        result = 0;
        return true;
    }
    if (message == kMsgClearHighlight) {
        for (CStaticButton& link : m_links) link.SetHover(0);
        result = 0;
        return true;
    }
    return false;
}
