#include "ui/hyperlink.h"

#include "ui/link_hover.h"
#include "ui/resource_string.h"

namespace ui {

bool IsPressKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE;
}

bool WantsPressKey(LPARAM dialogCodeMessage) {
    const MSG* message = reinterpret_cast<const MSG*>(dialogCodeMessage);
    return message != nullptr && message->message == WM_KEYDOWN && IsPressKey(message->wParam);
}

LRESULT LinkColours(HDC dc, COLORREF text) {
    ::SetTextColor(dc, text);
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

HFONT MakeLinkFont(HWND control, bool heavy) {
    ::SetWindowLongPtr(control, GWL_STYLE, ::GetWindowLongPtr(control, GWL_STYLE) | SS_NOTIFY);
    LOGFONT font{};
    HFONT current = reinterpret_cast<HFONT>(::SendMessage(control, WM_GETFONT, 0, 0));
    if (current == nullptr) current = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObject(current, sizeof font, &font);
    font.lfUnderline = TRUE;
    if (heavy) font.lfWeight = 800;
    HFONT link = ::CreateFontIndirect(&font);
    ::SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(link), FALSE);
    return link;
}

bool SetLinkCursor(UINT cursor, LPARAM hitTest) {
    if (LOWORD(hitTest) != HTCLIENT) return false;
    HCURSOR hand = ::LoadCursor(ResourceInstance(), MAKEINTRESOURCE(cursor));
    if (hand == nullptr) hand = ::LoadCursor(nullptr, IDC_HAND);
    ::SetCursor(hand);
    return true;
}

HyperLink::~HyperLink() = default;

void HyperLink::OnSubclassed() {
    font_.Reset(MakeLinkFont(Handle(), look_.heavy));
}

void HyperLink::SetUrl(const tstring& url) {
    url_ = url;
    SetText(url);
}

void HyperLink::SetLit(bool lit) {
    lit_ = lit ? 1 : 0;
    Redraw();
}

void HyperLink::Open() {
    lit_ = 0;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    Redraw();
    if (url_.empty() || !opener_) return;
    opener_(url_);
}

LRESULT HyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (SetLinkCursor(look_.cursor, lParam)) return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (::GetCapture() == Handle()) ::ReleaseCapture();
            FollowPointer(Handle(), lParam, &lit_);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The focus shows like the pointer.
            SetLit(message == WM_SETFOCUS);
            break;
        case WM_GETDLGCODE:
            if (WantsPressKey(lParam)) return DLGC_WANTMESSAGE;
            break;
        case WM_KEYDOWN:
            if (IsPressKey(wParam)) {
                Open();
                return 0;
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

bool HyperLink::OnReflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        result = LinkColours(reinterpret_cast<HDC>(wParam), lit_ == 1 ? look_.lit : look_.normal);
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Open();
        result = 0;
        return true;
    }
    return false;
}

}  // namespace ui
