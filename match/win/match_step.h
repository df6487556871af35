#pragma once
// What the wizard's three steps share: their frame, their background picture,
// the colours of their texts, their two buttons (forward and Cancel), and the
// order in which a step comes up: shown, then prepared (1142), then loaded from
// the monitors (1143), each posted so the window is painted before the slow work.
#include <windows.h>

#include "match/match_wizard.h"
#include "match/win/step_frame.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CMatchStep : public ui::Dialog {
public:
    CMatchStep(UINT templateId, match::StepFrame& frame, UINT lowResBitmap, UINT highResBitmap,
               int forwardId, int cancelId);
    ~CMatchStep() override;

    // Esc or Alt+F4 inside the step: the step's Cancel, while Cancel is offered.
    void CancelFromKeyboard();
    // Enter inside the step: "&Next" or "&Finish", while offered.
    void PressForward();

protected:
    bool OnInitDialog() override;
    // A step never ends itself; only the frame closes.
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // "&Next" or "&Finish".
    virtual void OnForward() = 0;
    // After the first showing; by default straight on to loading.
    virtual void OnPrepare();
    // The step's monitor work.
    virtual void OnLoad() = 0;
    // Colour of a static text of the step.
    virtual COLORREF TextColor(int id) const { return RGB(0, 0, 0); }

    // Buttons act only while enabled: Enter reaches a default button even when
    // it is disabled.
    bool IsItemEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    // Cancel: the monitors get back what they had when the wizard started.
    void RunCancel();
    // Reports a monitor that did not answer and closes the wizard.
    void ReportCommFailure();
    MatchWizard& Wizard() const;

    match::StepFrame& m_frame;

private:
    UINT m_nLowResBitmap;
    UINT m_nHighResBitmap;
    int m_nForwardId;
    int m_nCancelId;
    bool m_bShownOnce = false;
    ui::Brush m_brBackground;
};
