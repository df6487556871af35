#include "ui/link_hover.h"

#include <windowsx.h>

namespace ui {

namespace {
void Repaint(HWND link) {
    ::RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
}  // namespace

HoverChange FollowPointer(HWND link, LPARAM lParam, int* hover) {
    ::SetCapture(link);
    RECT client{};
    ::GetClientRect(link, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (*hover == 1 && !::PtInRect(&client, point)) {
        *hover = 0;
        ::ReleaseCapture();
        Repaint(link);
        return HoverChange::Left;
    }
    if (*hover == 0) {
        *hover = 1;
        Repaint(link);
        // Held while lit, whatever the repaint did meanwhile.
        ::SetCapture(link);
        return HoverChange::Entered;
    }
    return HoverChange::None;
}

}  // namespace ui
