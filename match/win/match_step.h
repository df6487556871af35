#pragma once
// What the wizard's three steps share: their frame, their background picture,
// the colours of their texts and their Cancel button.
#include <windows.h>

#include "match/match_wizard.h"
#include "ui/dialog.h"

class CDlgMultiMonMatchSub;

class CMatchStep : public ui::Dialog {
public:
    CMatchStep(UINT templateId, CDlgMultiMonMatchSub& frame, UINT lowResBitmap, UINT highResBitmap,
               int cancelId);
    ~CMatchStep() override;

    // Esc or Alt+F4 inside the step: the step's Cancel, while Cancel is offered.
    void CancelFromKeyboard();

protected:
    bool OnInitDialog() override;
    // A step never ends itself; only the frame closes.
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
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

    CDlgMultiMonMatchSub& m_frame;

private:
    UINT m_nLowResBitmap;
    UINT m_nHighResBitmap;
    int m_nCancelId;
    HBRUSH m_brBackground = nullptr;
};
