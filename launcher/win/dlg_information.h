#pragma once
// The information page: a message and one web link.
#include "launcher/win/launcher_controls.h"
#include "ui/dialog.h"

class CDlgInformation : public ui::Dialog {
public:
    CDlgInformation();
    ~CDlgInformation() override;
    CHyperLink m_link;

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CentreOnPage(int id, int templateWidth);

    HBRUSH m_brush = nullptr;
    SIZE m_backgroundSize{0, 0};
    // The message's and the link's widths and the message's side margin as the
    // template made them, in pixels.
    int m_messageWidth = 0;
    int m_linkWidth = 0;
    int m_margin = 0;
};
