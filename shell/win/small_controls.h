#pragma once
// Small controls shared by the settings window and its pages.
#include <windows.h>

#include <string>

#include "ui/accent_tab_control.h"
#include "ui/controls/edit.h"
#include "ui/controls/static_control.h"
#include "ui/controls/tab_control.h"
#include "ui/dialog.h"
#include "resources/controller/resource.h"
#include "ui/gdi.h"
#include "ui/hyperlink.h"
#include "ui/page_brush.h"
#include "ui/subclass.h"

// The settings window's tab strip: classic painting underneath, the selected tab
// drawn light with an amber bar on top.
class CSMTabCtrlEx : public ui::AccentTabControl {
public:
    CSMTabCtrlEx() : ui::AccentTabControl(RGB(245, 245, 241)) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The maker's web link at the foot of each page.
inline constexpr ui::LinkLook kWebLinkLook{RGB(23, 70, 184), RGB(255, 0, 0), false, IDC_LINK_HAND};
// Attaches the page's web link: the maker's address, opened by the shell.
void AttachWebLink(ui::HyperLink& link, HWND page, int id);

// An edit control whose text is limited in bytes of the ANSI code page.
class CByteEdit : public ui::Subclassed<ui::Edit> {
public:
    void SetMaxBytes(UINT maxBytes);
    UINT MaxBytes() const { return m_nMaxBytes; }

protected:
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    UINT m_nMaxBytes = 1024;
};

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();

    std::string m_strVersion;
    std::string m_strNotice;

protected:
    bool OnInitDialog() override;
};

// Pages call the shared background function unqualified.
using ui::MakePageBrush;
