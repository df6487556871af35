#pragma once
// Static text, icon or picture.
#include "ui/window.h"

namespace ui {

class Static : public Window {
public:
    using Window::Window;

    HICON SetIcon(HICON icon) const {
        return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
    HICON Icon() const { return reinterpret_cast<HICON>(Send(STM_GETICON)); }
    // Returns the previous bitmap, which the caller then owns.
    HBITMAP SetBitmap(HBITMAP bitmap) const {
        return reinterpret_cast<HBITMAP>(
            Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP Bitmap() const { return reinterpret_cast<HBITMAP>(Send(STM_GETIMAGE, IMAGE_BITMAP)); }
};

}  // namespace ui
