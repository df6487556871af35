#include "calmira/win/trans_wnd.h"

#include "calmira/filter_state.h"
#include "ui/gdi.h"

namespace {

bool RegisterOverlayClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(instance, CTransWnd::kClassName, &existing)) return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // No cursor, no background: every pixel is painted, and the mouse passes through.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = CTransWnd::kClassName;
    return ::RegisterClassExA(&windowClass) != 0;
}

}  // namespace

CTransWnd::~CTransWnd() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

bool CTransWnd::Create(HWND owner, const RECT& rect) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!RegisterOverlayClass(instance)) return false;
    m_hWnd = ::CreateWindowExA(kExStyle, kClassName, kTitle, WS_POPUP | WS_VISIBLE, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, owner,
                               nullptr, instance, nullptr);
    if (m_hWnd == nullptr) return false;
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CTransWnd::WindowProc));
    ::ShowWindow(m_hWnd, SW_HIDE);
    return true;
}

void CTransWnd::SetImage(const CPicture* image) {
    m_pImage = image;
    if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CTransWnd::SetAlpha(BYTE alpha) {
    if (m_hWnd != nullptr) ::SetLayeredWindowAttributes(m_hWnd, 0, alpha, LWA_ALPHA);
}

void CTransWnd::Show(bool show) {
    if (m_hWnd == nullptr) return;
    // Shown without taking the focus from whatever the user works in.
    ::ShowWindow(m_hWnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (show) ::UpdateWindow(m_hWnd);
}

void CTransWnd::RaiseToTop() {
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CTransWnd::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
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
    ::EndPaint(m_hWnd, &paint);
}

LRESULT CALLBACK CTransWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CTransWnd*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
            case WM_PAINT:
                self->Paint();
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_NCHITTEST:
                return HTTRANSPARENT;
            case WM_NCDESTROY:
                self->m_hWnd = nullptr;
                break;
            default:
                break;
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
