#include "ui/custom_window.h"

namespace ui {

CustomWindow::~CustomWindow() {
    if (handle_ != nullptr && ::IsWindow(handle_)) {
        // What derives from this object is gone already: the messages of the
        // destruction go to the system's handling.
        ::SetWindowLongPtr(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
}

bool CustomWindow::Create(const Class& windowClass, DWORD exStyle, const tchar* title, DWORD style,
                          const RECT& rect, HWND parent) {
    HINSTANCE instance = ::GetModuleHandle(nullptr);
    WNDCLASSEX existing{};
    existing.cbSize = sizeof existing;
    if (!::GetClassInfoEx(instance, windowClass.name, &existing)) {
        WNDCLASSEX registration{};
        registration.cbSize = sizeof registration;
        registration.style = windowClass.style;
        registration.lpfnWndProc = &CustomWindow::Route;
        registration.hInstance = instance;
        registration.hCursor = windowClass.cursor;
        registration.hbrBackground = windowClass.background;
        registration.lpszClassName = windowClass.name;
        if (::RegisterClassEx(&registration) == 0) return false;
    }
    return ::CreateWindowEx(exStyle, windowClass.name, title, style, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                            instance, this) != nullptr;
}

LRESULT CustomWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK CustomWindow::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // Only Create makes windows of these classes, and it passes the object.
        auto* created =
            static_cast<CustomWindow*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
        if (created != nullptr) {
            created->handle_ = window;
            ::SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        }
    }
    auto* self = reinterpret_cast<CustomWindow*>(::GetWindowLongPtr(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProc(window, message, wParam, lParam);
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtr(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace ui
