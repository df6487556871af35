#pragma once
#include <commctrl.h>

#include <utility>

#include "ui/window.h"

namespace ui {

class UpDown : public Window {
public:
    using Window::Window;

    void SetRange(int minimum, int maximum) const {
        Send(UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    }
    std::pair<int, int> Range() const {
        int minimum = 0, maximum = 0;
        Send(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum),
             reinterpret_cast<LPARAM>(&maximum));
        return {minimum, maximum};
    }
    int Position() const { return static_cast<int>(Send(UDM_GETPOS32)); }
    int SetPosition(int position) const {
        return static_cast<int>(Send(UDM_SETPOS32, 0, position));
    }
    HWND SetBuddy(HWND buddy) const {
        return reinterpret_cast<HWND>(Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
    }
};

}  // namespace ui
