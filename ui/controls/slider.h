#pragma once
// Trackbar.
#include <commctrl.h>

#include "ui/window.h"

namespace ui {

class Slider : public Window {
public:
    using Window::Window;

    int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
    void SetPosition(int position, bool redraw = true) const {
        Send(TBM_SETPOS, redraw ? TRUE : FALSE, position);
    }
    void SetRange(int minimum, int maximum, bool redraw = true) const {
        Send(TBM_SETRANGEMIN, FALSE, minimum);
        Send(TBM_SETRANGEMAX, redraw ? TRUE : FALSE, maximum);
    }
    int Minimum() const { return static_cast<int>(Send(TBM_GETRANGEMIN)); }
    int Maximum() const { return static_cast<int>(Send(TBM_GETRANGEMAX)); }
    void SetPageSize(int size) const { Send(TBM_SETPAGESIZE, 0, size); }
    int PageSize() const { return static_cast<int>(Send(TBM_GETPAGESIZE)); }
    void SetLineSize(int size) const { Send(TBM_SETLINESIZE, 0, size); }
    void SetTicFrequency(int frequency) const {
        Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
    }
};

}  // namespace ui
