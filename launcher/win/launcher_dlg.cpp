#include "launcher/win/launcher_dlg.h"

#include <uxtheme.h>

#include <vector>

#include "launcher/launcher_info_reader.h"
#include "launcher/os_mask.h"
#include "launcher/win/about_dlg.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/launcher_ports_win32.h"
#include "launcher/win/page_messages.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"
#include "ui/page_brush.h"
#include "ui/resource_string.h"
#include "ui/system_library.h"

namespace {
constexpr UINT kSysCommandAbout = 0x0010;
// Posted to itself at the end of the initialisation: the window is shown by then.
constexpr UINT kMsgShown = WM_APP + 1;
}  // namespace

CLauncherDlg::CLauncherDlg() : ui::Dialog(IDD_LAUNCHER) {}

CLauncherDlg::~CLauncherDlg() = default;

ui::Dialog* CLauncherDlg::PageAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size()) return nullptr;
    return m_pages[static_cast<size_t>(index)].get();
}

int CLauncherDlg::KindAt(int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (index < 0 ||
        !m_tab.Send(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
        return -1;
    }
    return static_cast<int>(item.lParam);
}

bool CLauncherDlg::OnInitDialog() {
    CLauncherApp* app = CLauncherApp::Get();
    m_hIcon = ::LoadIcon(ui::ResourceInstance(), MAKEINTRESOURCE(IDR_MAINFRAME));
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    m_tab.SubclassItem(Handle(), IDC_TAB);
    if (launcher::IsXpOrLater(app->Os())) RemoveTabTheme();
    m_backgroundSize = ui::MakePageBrush(Handle(), m_brush.Put(), IDB_MAIN_BACK, IDB_MAIN_BACK_HI);

    app->TakeLauncherInfo();
    SetText(Wide(app->m_strLauncherTitle));

    m_geometry.m_nTabClientRight = m_tab.ClientRect().right;
    BuildTabs();
    Post(kMsgShown);
    return true;
}

void CLauncherDlg::RemoveTabTheme() {
    using SetWindowThemeCall = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    const ui::Module theme(ui::LoadSystemLibrary(L"uxtheme.dll"));
    if (!theme) return;
    auto call = ui::LibraryFunction<SetWindowThemeCall>(theme.Get(), "SetWindowTheme");
    // No theme class in the list: the strip is drawn without visual styles.
    if (call != nullptr) call(m_tab.Handle(), nullptr, L"");
}

void CLauncherDlg::BuildTabs() {
    CLauncherApp* app = CLauncherApp::Get();
    int index = 0;
    for (const auto& tab : app->m_tabs) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        std::wstring title = Wide(tab->m_strTitle);
        item.pszText = title.data();
        item.lParam = tab->m_nKind;
        m_tab.Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        ++index;
    }
    m_pageRect = m_tab.ClientRect();
    m_tab.AdjustRect(false, m_pageRect);
    m_pageRect.left -= 2;
    m_geometry.m_nPageHeight = m_pageRect.bottom - m_pageRect.top;
    m_pages.resize(app->m_tabs.size());
    m_pageFailed.assign(app->m_tabs.size(), false);

    // Only the first tab's page is made before the window shows; every page costs
    // a dialog with its links and background, and the rest follow once the window
    // has painted (kMsgShown), or sooner when their tab is chosen.
    if (!app->m_tabs.empty()) {
        if (ui::Dialog* page = EnsurePage(0)) {
            page->SetPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            page->Show(SW_SHOW);
        }
    }
}

void CLauncherDlg::BuildRemainingPages() {
    for (size_t i = 0; i < m_pages.size(); ++i) EnsurePage(static_cast<int>(i));
}

ui::Dialog* CLauncherDlg::EnsurePage(int index) {
    CLauncherApp* app = CLauncherApp::Get();
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size() ||
        m_pageFailed[static_cast<size_t>(index)]) {
        return nullptr;
    }
    std::unique_ptr<ui::Dialog>& page = m_pages[static_cast<size_t>(index)];
    if (page) return page.get();
    const launcher::TabInfo* tab = app->m_tabs[static_cast<size_t>(index)].get();
    if (tab->m_nKind >= 0 && tab->m_nKind < launcher::kInformationTab) {
        page = std::make_unique<CDlgCommon>(tab, m_geometry);
    } else if (tab->m_nKind == launcher::kInformationTab) {
        page = std::make_unique<CDlgInformation>(tab, m_geometry);
    } else {
        m_pageFailed[static_cast<size_t>(index)] = true;
        return nullptr;
    }
    page->SetTemplate(app->m_templates.Template(page->TemplateId()));
    if (!page->Create(m_tab.Handle())) {
        page.reset();
        m_pageFailed[static_cast<size_t>(index)] = true;
        return nullptr;
    }
    page->Move(m_pageRect, false);
    return page.get();
}

void CLauncherDlg::ShowSelectedPage() {
    for (const auto& page : m_pages) {
        if (page) page->Show(SW_HIDE);
    }
    if (ui::Dialog* page = EnsurePage(m_tab.Selection())) page->Show(SW_SHOW);
    ::InvalidateRect(Handle(), nullptr, TRUE);
    m_tab.SetFocus();
}

bool CLauncherDlg::OnNotify(int id, NMHDR* header, LRESULT& result) {
    if (id == IDC_TAB && header->code == TCN_SELCHANGE) {
        ShowSelectedPage();
        result = 0;
        return true;
    }
    return false;
}

bool CLauncherDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_EXIT && code == BN_CLICKED) {
        Exit();
        return true;
    }
    return false;
}

void CLauncherDlg::Exit() {
    // Programs registered to start at exit belong to pages; all must exist by now.
    BuildRemainingPages();
    const int count = m_tab.Count();
    for (int i = 0; i < count; ++i) {
        const int kind = KindAt(i);
        if (kind < 0 || kind >= launcher::kInformationTab) continue;
        if (ui::Dialog* page = PageAt(i)) page->Send(kMsgStartRegistered);
    }
    EndDialog(0);
}

HBRUSH CLauncherDlg::OnCtlColor(HDC dc, HWND, UINT) {
    if (!m_brush) return nullptr;
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}

bool CLauncherDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CLauncherApp* app = CLauncherApp::Get();
    switch (message) {
        case WM_NCACTIVATE:
            if (wParam != FALSE) {
                app->m_bMainActive = 1;
            } else {
                app->m_bMainActive = 0;
                if (!app->m_bSubDialogOpen && !app->m_bSelectDialogOpen && m_tab.Count() > 0) {
                    const int selected = m_tab.Selection();
                    const int kind = KindAt(selected);
                    ui::Dialog* page = PageAt(selected);
                    if (kind >= 0 && kind < launcher::kInformationTab && page != nullptr) {
                        page->Send(kMsgClearHighlight);
                    }
                }
            }
            return false;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kSysCommandAbout) {
                CAboutDlg about;
                about.DoModal(Handle());
                result = 0;
                return true;
            }
            return false;
        case WM_PAINT:
            if (PaintIconIfMinimised(m_hIcon)) {
                result = 0;
                return true;
            }
            return false;
        case kMsgShown:
            // The disk's start menu comes up in front: without a window manager
            // (or when started from a process in the background) it may not have
            // been activated, and its links follow the pointer only when it is.
            ::SetForegroundWindow(Handle());
            if (::GetForegroundWindow() == Handle()) app->m_bMainActive = 1;
            ::UpdateWindow(Handle());
            BuildRemainingPages();
            result = 0;
            return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(m_hIcon);
            return true;
        default:
            return false;
    }
}

bool CLauncherDlg::PreTranslateMessage(MSG& message) {
    // Ctrl+Tab and Ctrl+Shift+Tab move between the tabs from anywhere in the window.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
        (::GetKeyState(VK_CONTROL) & 0x8000)) {
        const int count = m_tab.Count();
        if (count > 1) {
            const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            const int next = (m_tab.Selection() + (back ? count - 1 : 1)) % count;
            m_tab.Select(next);
            ShowSelectedPage();
        }
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
        MoveFocus((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return true;
    }
    return false;
}

void CLauncherDlg::MoveFocus(bool backwards) {
    // The pages live inside the tab strip, where the dialog manager does not look
    // for tab stops: the order is the strip, the shown page's links, "E&xit".
    std::vector<HWND> order{m_tab.Handle()};
    HWND page = nullptr;
    for (const auto& candidate : m_pages) {
        if (candidate && candidate->IsVisible()) {
            page = candidate->Handle();
            break;
        }
    }
    for (HWND child = page != nullptr ? ::GetWindow(page, GW_CHILD) : nullptr; child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtr(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
            order.push_back(child);
    }
    order.push_back(Item(IDC_EXIT));
    const HWND focus = ::GetFocus();
    size_t at = 0;
    while (at < order.size() && order[at] != focus) ++at;
    const size_t count = order.size();
    const size_t next = at == count ? 0 : (backwards ? (at + count - 1) % count : (at + 1) % count);
    ::SetFocus(order[next]);
}
