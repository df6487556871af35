#pragma once
// The launcher's main window: the tab strip with one page per tab kind, "E&xit"
// and the About box behind the system command 0x0010.
#include <memory>

#include "launcher/win/dlg_common.h"
#include "launcher/win/dlg_information.h"
#include "launcher/win/launcher_controls.h"
#include "ui/controls/tab_control.h"
#include "ui/dialog.h"

// Private messages from the main window to its link pages.
inline constexpr UINT kMsgStartRegistered = WM_USER + 110;  // 0x046E: "E&xit" was pressed
inline constexpr UINT kMsgClearHighlight = WM_USER + 111;   // 0x046F: the window went inactive

class CLauncherDlg : public ui::Dialog {
public:
    CLauncherDlg();
    ~CLauncherDlg() override;

    // The page that shows a tab kind, or null when no tab has that kind.
    ui::Dialog* PageOfKind(int kind);
    CTabCtrlEx m_tab;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PreTranslateMessage(MSG& message) override;

private:
    void RemoveTabTheme();
    void BuildTabs();
    void BuildRemainingPages();
    // The page for a tab kind, made (hidden, in the strip's display area) on first need.
    ui::Dialog* EnsurePage(int kind);
    void ShowSelectedPage();
    void Exit();
    void MoveFocus(bool backwards);

    HICON m_hIcon = nullptr;
    HBRUSH m_brush = nullptr;
    SIZE m_backgroundSize{0, 0};
    RECT m_pageRect{0, 0, 0, 0};
    std::unique_ptr<CDlgCommon> m_pages[3];
    std::unique_ptr<CDlgInformation> m_information;
};
