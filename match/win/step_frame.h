#pragma once
// What a step of the wizard asks of the frame that holds it; the frame knows its
// steps, the steps know only this.
#include "match/match_wizard.h"

namespace match {

class StepFrame {
public:
    virtual MatchWizard& Wizard() = 0;
    // Hides the other steps and shows step 1, 2 or 3 with the focus.
    virtual void ShowStep(int step) = 0;
    // Restores every candidate under a wait cursor and closes.
    virtual void Cancel() = 0;
    // Tells that a monitor did not answer and closes without restoring.
    virtual void ReportCommFailure() = 0;
    // Closes the wizard as it stands, once the current message is handled.
    virtual void PostClose() = 0;

protected:
    ~StepFrame() = default;
};

}  // namespace match
