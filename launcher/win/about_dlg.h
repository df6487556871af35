#pragma once
// The launcher's About box.
#include <string>

#include "ui/dialog.h"
#include "ui/gdi.h"

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;
    std::wstring m_strVersion;
    std::wstring m_strNotice;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;

private:
    ui::Brush m_brush;
};
