#pragma once
// A window of our own class (not a dialog): the class is registered on the first
// Create, every message from WM_NCCREATE on reaches OnMessage through the pointer
// the window carries, and the window lives as long as the object.
#include "ui/tstring.h"

namespace ui {

class CustomWindow {
public:
    // What the class is made of; registered once per class name and module.
    struct Class {
        const tchar* name = nullptr;
        UINT style = 0;
        HCURSOR cursor = nullptr;
        HBRUSH background = nullptr;
    };

    CustomWindow() = default;
    virtual ~CustomWindow();
    CustomWindow(const CustomWindow&) = delete;
    CustomWindow& operator=(const CustomWindow&) = delete;

    HWND Handle() const { return handle_; }

protected:
    // Registers the class when it is not yet, then creates the window over `rect`;
    // false when either fails.
    bool Create(const Class& windowClass, DWORD exStyle, const tchar* title, DWORD style,
                const RECT& rect, HWND parent);
    // Every message of the window; by default the system's handling.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::DefWindowProc(handle_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

}  // namespace ui
