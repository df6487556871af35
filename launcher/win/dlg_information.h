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

private:
    HBRUSH m_brush = nullptr;
    SIZE m_backgroundSize{0, 0};
};
