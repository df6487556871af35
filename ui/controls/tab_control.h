#pragma once
#include <commctrl.h>

#include "ui/window.h"

namespace ui {

class TabControl : public Window {
public:
    using Window::Window;

    int Count() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    // Index of the new tab, or -1.
    int Insert(int index, const tstring& text) const;
    bool Delete(int index) const {
        return Send(TCM_DELETEITEM, static_cast<WPARAM>(index)) != FALSE;
    }
    void Clear() const { Send(TCM_DELETEALLITEMS); }
    int Selection() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    // Selects without sending TCN_SELCHANGE; returns the previous selection.
    int Select(int index) const {
        return static_cast<int>(Send(TCM_SETCURSEL, static_cast<WPARAM>(index)));
    }
    tstring ItemText(int index) const;
    bool ItemRect(int index, RECT& rect) const {
        return Send(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) !=
               FALSE;
    }
    // larger = false turns a window rectangle into the page area, true the reverse.
    void AdjustRect(bool larger, RECT& rect) const {
        Send(TCM_ADJUSTRECT, larger ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect));
    }
    int FocusedItem() const { return static_cast<int>(Send(TCM_GETCURFOCUS)); }
    void SetFocusedItem(int index) const { Send(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }
};

}  // namespace ui
