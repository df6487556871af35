#pragma once
// The "Multi-Monitor Match" tab: a picture of what matching does and the
// "&Adjust..." button that runs the wizard, offered when at least two monitors
// can be matched.
#include <windows.h>

#include "shell/win/dlg_page.h"

class CDlgMultiMonMatch : public CDlgPage {
public:
    CDlgMultiMonMatch();

protected:
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CountCandidates();
    void RunWizard();
    void PaintPicture();
};
