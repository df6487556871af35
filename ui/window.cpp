#include "ui/window.h"

namespace ui {

HWND Window::Detach() {
    HWND handle = handle_;
    handle_ = nullptr;
    return handle;
}

bool Window::AttachItem(HWND parent, int id) {
    handle_ = ::GetDlgItem(parent, id);
    return handle_ != nullptr;
}

tstring Window::Text() const {
    int length = ::GetWindowTextLength(handle_);
    if (length <= 0) return tstring();
    // The length may overstate for multibyte text; the copy tells the truth.
    tstring text(static_cast<size_t>(length) + 1, tchar());
    int copied = ::GetWindowText(handle_, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

tstring Window::ItemText(int id) const {
    return Window(Item(id)).Text();
}

void Window::ModifyStyle(LONG_PTR remove, LONG_PTR add, UINT swpFlags) const {
    LONG_PTR style = Style();
    ::SetWindowLongPtr(handle_, GWL_STYLE, (style & ~remove) | add);
    if (swpFlags != 0) {
        ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
}

void Window::ModifyExStyle(LONG_PTR remove, LONG_PTR add, UINT swpFlags) const {
    LONG_PTR style = ExStyle();
    ::SetWindowLongPtr(handle_, GWL_EXSTYLE, (style & ~remove) | add);
    if (swpFlags != 0) {
        ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
}

RECT Window::ClientRect() const {
    RECT rect{};
    ::GetClientRect(handle_, &rect);
    return rect;
}

bool Window::PaintIconIfMinimised(HICON icon) const {
    if (!::IsIconic(handle_)) return false;
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(handle_, &paint);
    const RECT client = ClientRect();
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(handle_, &paint);
    return true;
}

RECT Window::WindowRect() const {
    RECT rect{};
    ::GetWindowRect(handle_, &rect);
    return rect;
}

}  // namespace ui
