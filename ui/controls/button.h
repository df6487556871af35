#pragma once
// Push button, check box or radio button.
#include "ui/window.h"

namespace ui {

class Button : public Window {
public:
    using Window::Window;

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int Check() const { return static_cast<int>(Send(BM_GETCHECK)); }
    bool IsChecked() const { return Check() == BST_CHECKED; }
    void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void SetChecked(bool checked) const { SetCheck(checked ? BST_CHECKED : BST_UNCHECKED); }
    // Presses the button as a click would, notifying the parent.
    void Click() const { Send(BM_CLICK); }
    HANDLE SetImage(UINT type, HANDLE image) const {
        return reinterpret_cast<HANDLE>(Send(BM_SETIMAGE, type, reinterpret_cast<LPARAM>(image)));
    }
};

}  // namespace ui
