#pragma once
// The wizard frame: holds the three steps as child windows, one shown at a time,
// and the wizard's state. It has no close box; the user leaves through a step's
// Cancel (the monitors are restored) or "&Finish".
#include <windows.h>

#include <memory>

#include "match/match_wizard.h"
#include "match/win/step_frame.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CMatchStep;
class CDlgMultiMonMatchStep1;
class CDlgMultiMonMatchStep2;
class CDlgMultiMonMatchStep3;

class CDlgMultiMonMatchSub : public ui::Dialog, public match::StepFrame {
public:
    CDlgMultiMonMatchSub();
    ~CDlgMultiMonMatchSub() override;

    MatchWizard& Wizard() override { return m_wizard; }
    void ShowStep(int step) override;
    void Cancel() override;
    // "Failed to communicate with monitor." with the stop icon, then closes without
    // restoring. The wizard's monitor work has released every monitor by then.
    void ReportCommFailure() override;
    void PostClose() override { Post(WM_CLOSE); }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CMatchStep* Step(int step) const;
    void BringToFront();

    MatchWizard m_wizard;
    std::unique_ptr<CDlgMultiMonMatchStep1> m_step1;
    std::unique_ptr<CDlgMultiMonMatchStep2> m_step2;
    std::unique_ptr<CDlgMultiMonMatchStep3> m_step3;
    int m_nCurrentStep = 0;
    bool m_bFailed = false;
    ui::Brush m_brBackground;
};
