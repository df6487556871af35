#pragma once
// The launcher's main window: the tab strip with one page per tab, "E&xit" and
// the About box behind the system command 0x0010.
#include <memory>
#include <vector>

#include "launcher/win/dlg_common.h"
#include "launcher/win/dlg_information.h"
#include "launcher/win/launcher_controls.h"
#include "ui/controls/tab_control.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CLauncherDlg : public ui::Dialog {
public:
    CLauncherDlg();
    ~CLauncherDlg() override;

    // The page of the tab at that index, or null while it is not made.
    ui::Dialog* PageAt(int index);
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
    // The page of the tab at that index, made (hidden, in the strip's display
    // area) on first need.
    ui::Dialog* EnsurePage(int index);
    // The kind of the tab at that index, from its item data; -1 when there is none.
    int KindAt(int index);
    void ShowSelectedPage();
    void Exit();
    void MoveFocus(bool backwards);

    HICON m_hIcon = nullptr;
    ui::Brush m_brush;
    SIZE m_backgroundSize{0, 0};
    RECT m_pageRect{0, 0, 0, 0};
    PageGeometry m_geometry;
    // One per tab, in tab order; a tab's page is its own even when another tab
    // has the same kind, with its own items and its own started installers.
    std::vector<std::unique_ptr<ui::Dialog>> m_pages;
    // A page that could not be made is not tried again at every tab change.
    std::vector<bool> m_pageFailed;
};
