#pragma once
// "Edit Message": the reminder's balloon text, at most 255 bytes.
#include <windows.h>

#include <string>

#include "shell/win/small_controls.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgEditMsg : public ui::Dialog {
public:
    CDlgEditMsg();
    ~CDlgEditMsg() override;

    // In: the current text. Out, after OK: the edited text.
    std::string m_strMessage;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    CByteEdit m_edit;
    ui::Brush m_brush;
};
