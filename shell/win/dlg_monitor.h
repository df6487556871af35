#pragma once
// The monitor connection list: one line per controlled monitor with its label,
// model name and serial number. Read-only.
#include <windows.h>

#include "ui/controls/list_box.h"
#include "ui/controls/static_control.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgMonitor : public ui::Dialog {
public:
    CDlgMonitor();
    ~CDlgMonitor() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Close();

    ui::Brush m_bkBrush;
    ui::Static m_note;
    ui::Static m_header;
    ui::ListBox m_list;
};
