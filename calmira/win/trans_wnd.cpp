#include "calmira/win/trans_wnd.h"

#include "calmira/filter_state.h"
#include "ui/gdi.h"

bool CTransWnd::Create(HWND owner, const RECT& rect) {
    // No cursor, no background: every pixel is painted, and the mouse passes through.
    Class overlayClass;
    overlayClass.name = kClassName;
    overlayClass.style = CS_HREDRAW | CS_VREDRAW;
    if (!CustomWindow::Create(overlayClass, kExStyle, kTitle, WS_POPUP | WS_VISIBLE, rect, owner))
        return false;
    ::ShowWindow(Handle(), SW_HIDE);
    return true;
}

void CTransWnd::SetImage(const CPicture* image) {
    m_pImage = image;
    if (Handle() != nullptr) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CTransWnd::SetAlpha(BYTE alpha) {
    if (Handle() != nullptr) ::SetLayeredWindowAttributes(Handle(), 0, alpha, LWA_ALPHA);
}

void CTransWnd::Show(bool show) {
    if (Handle() == nullptr) return;
    // Shown without taking the focus from whatever the user works in.
    ::ShowWindow(Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (show) ::UpdateWindow(Handle());
}

void CTransWnd::RaiseToTop() {
    if (Handle() != nullptr) {
        ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CTransWnd::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(Handle(), &paint);
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const calmira::TileGrid grid =
        m_pImage != nullptr && !m_pImage->IsEmpty()
            ? calmira::TilesFor(width, height, m_pImage->Width(), m_pImage->Height())
            : calmira::TileGrid();
    if (grid.columns > 0 && grid.rows > 0) {
        const ui::MemoryDc memory(dc);
        const ui::SelectGuard selected(memory.Get(), m_pImage->Bitmap());
        const int w = m_pImage->Width();
        const int h = m_pImage->Height();
        for (int row = 0; row < grid.rows; ++row) {
            for (int column = 0; column < grid.columns; ++column) {
                ::BitBlt(dc, column * w, row * h, w, h, memory.Get(), 0, 0, SRCCOPY);
            }
        }
    } else {
        // A picture that failed to load is empty; the overlay is then plain black.
        RECT client{0, 0, width, height};
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    ::EndPaint(Handle(), &paint);
}

LRESULT CTransWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return Default(message, wParam, lParam);
    }
}
