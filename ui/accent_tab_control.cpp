#include "ui/accent_tab_control.h"

#include "ui/gdi.h"

namespace ui {

namespace {
constexpr COLORREF kAccentBar = RGB(245, 199, 60);

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    const Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.Get());
}
}  // namespace

LRESULT AccentTabControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            // The control paints its whole area; erasing first only makes it flicker.
            return TRUE;
        case WM_PAINT: {
            const LRESULT result = Default(message, wParam, lParam);
            PaintSelectedTab();
            return result;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

void AccentTabControl::PaintSelectedTab() {
    const int selected = Selection();
    if (selected < 0) return;
    RECT tab{};
    if (!ItemRect(selected, tab)) return;
    const tstring text = ItemText(selected);
    const WindowDc windowDc(Handle());
    if (!windowDc) return;
    const HDC dc = windowDc.Get();

    Fill(dc, tab, selectedFill_);
    LOGFONT logFont{};
    HFONT parentFont = reinterpret_cast<HFONT>(::SendMessage(Parent(), WM_GETFONT, 0, 0));
    if (parentFont == nullptr) parentFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObject(parentFont, sizeof logFont, &logFont);
    {
        const ui::Font font(::CreateFontIndirect(&logFont));
        const SelectGuard selected(dc, font.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &tab,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        Fill(dc, RECT{tab.left - 1, tab.top - 2, tab.right, tab.top + 1}, kAccentBar);
    }
}

}  // namespace ui
