#pragma once
// The information page: a message and one web link.
#include "launcher/launcher_info.h"
#include "launcher/win/launcher_controls.h"
#include "launcher/win/page_background.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgInformation : public ui::Dialog {
public:
    // The page shows pTab's message and address (nothing when it is null).
    CDlgInformation(const launcher::TabInfo* pTab, const PageGeometry& geometry);
    ~CDlgInformation() override;
    ui::HyperLink m_link{kInfoLinkLook};

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CentreOnPage(int id, int templateWidth);

    const launcher::TabInfo* m_pTab;
    PageGeometry m_geometry;
    ui::Brush m_brush;
    SIZE m_backgroundSize{0, 0};
    // The message's and the link's widths and the message's side margin as the
    // template made them, in pixels.
    int m_messageWidth = 0;
    int m_linkWidth = 0;
    int m_margin = 0;
};
