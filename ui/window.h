#pragma once
// A non-owning handle to a window: it never creates or destroys anything by itself,
// so copies are cheap and a wrapper may outlive the window it names.
#include "ui/tstring.h"

namespace ui {

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}
    virtual ~Window() = default;

    HWND Handle() const { return handle_; }
    operator HWND() const { return handle_; }
    void Attach(HWND handle) { handle_ = handle; }
    HWND Detach();
    // Binds this wrapper to the child with the given id; false when there is none.
    bool AttachItem(HWND parent, int id);

    bool IsWindow() const { return handle_ != nullptr && ::IsWindow(handle_) != FALSE; }
    int Id() const { return ::GetDlgCtrlID(handle_); }
    HWND Parent() const { return ::GetParent(handle_); }
    HWND Item(int id) const { return ::GetDlgItem(handle_, id); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(handle_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(handle_, message, wParam, lParam) != FALSE;
    }

    tstring Text() const;
    bool SetText(const tstring& text) const {
        return ::SetWindowText(handle_, text.c_str()) != FALSE;
    }
    tstring ItemText(int id) const;
    bool SetItemText(int id, const tstring& text) const {
        return ::SetDlgItemText(handle_, id, text.c_str()) != FALSE;
    }

    void Enable(bool enable = true) const { ::EnableWindow(handle_, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(handle_) != FALSE; }
    void EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable ? TRUE : FALSE); }
    bool Show(int command = SW_SHOW) const { return ::ShowWindow(handle_, command) != FALSE; }
    bool IsVisible() const { return ::IsWindowVisible(handle_) != FALSE; }
    HWND SetFocus() const { return ::SetFocus(handle_); }
    bool Destroy() const { return ::DestroyWindow(handle_) != FALSE; }

    LONG_PTR Style() const { return ::GetWindowLongPtr(handle_, GWL_STYLE); }
    LONG_PTR ExStyle() const { return ::GetWindowLongPtr(handle_, GWL_EXSTYLE); }
    // Removes then adds style bits; SWP_FRAMECHANGED makes frame bits take effect.
    void ModifyStyle(LONG_PTR remove, LONG_PTR add, UINT swpFlags = 0) const;
    void ModifyExStyle(LONG_PTR remove, LONG_PTR add, UINT swpFlags = 0) const;

    RECT ClientRect() const;
    RECT WindowRect() const;
    bool Move(const RECT& rect, bool repaint = true) const {
        return ::MoveWindow(handle_, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, repaint ? TRUE : FALSE) != FALSE;
    }
    bool SetPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(handle_, insertAfter, x, y, cx, cy, flags) != FALSE;
    }
    bool Invalidate(bool erase = true) const {
        return ::InvalidateRect(handle_, nullptr, erase ? TRUE : FALSE) != FALSE;
    }
    bool Redraw(UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW) const {
        return ::RedrawWindow(handle_, nullptr, nullptr, flags) != FALSE;
    }

    void SetFont(HFONT font, bool redraw = true) const {
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }
    void SetIcon(HICON icon, bool big) const {
        Send(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    // While the window is minimised, answers its paint request by drawing the icon
    // in the middle of the client area and returns true; otherwise does nothing.
    bool PaintIconIfMinimised(HICON icon) const;

    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
        return ::SetTimer(handle_, id, milliseconds, nullptr);
    }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(handle_, id) != FALSE; }

    bool operator==(const Window& other) const { return handle_ == other.handle_; }

private:
    HWND handle_ = nullptr;
};

}  // namespace ui
