#pragma once
#include <commctrl.h>

#include "ui/window.h"

namespace ui {

class Progress : public Window {
public:
    using Window::Window;

    void SetRange(int minimum, int maximum) const {
        Send(PBM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    }
    int Position() const { return static_cast<int>(Send(PBM_GETPOS)); }
    // Returns the previous position.
    int SetPosition(int position) const {
        return static_cast<int>(Send(PBM_SETPOS, static_cast<WPARAM>(position)));
    }
    void SetStep(int step) const { Send(PBM_SETSTEP, static_cast<WPARAM>(step)); }
    int Step() const { return static_cast<int>(Send(PBM_STEPIT)); }
    // Needs the PBS_MARQUEE style; period 0 uses the default speed.
    void SetMarquee(bool on, UINT periodMilliseconds = 0) const {
        Send(PBM_SETMARQUEE, on ? TRUE : FALSE, static_cast<LPARAM>(periodMilliseconds));
    }
};

}  // namespace ui
