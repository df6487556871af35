#include "launcher/win/launcher_controls.h"

#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"
#include "ui/link_hover.h"
#include "ui/resource_string.h"

const int* CStaticButton::s_pMainActive = nullptr;
const int* CStaticButton::s_pSelectDialogOpen = nullptr;
const int* CStaticButton::s_pSubDialogOpen = nullptr;

namespace {

bool DialogOpen() {
    const int* flags[] = {CStaticButton::s_pSelectDialogOpen, CStaticButton::s_pSubDialogOpen};
    for (const int* flag : flags) {
        if (flag != nullptr && *flag != 0) return true;
    }
    return false;
}

bool SetLinkCursor(HWND control, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    HCURSOR hand = ::LoadCursor(ui::ResourceInstance(), MAKEINTRESOURCE(IDC_LINK_HAND));
    if (hand == nullptr) hand = ::LoadCursor(nullptr, IDC_HAND);
    ::SetCursor(hand);
    return true;
}

void NotifyClick(HWND control) {
    ::SendMessage(::GetParent(control), WM_COMMAND,
                  MAKEWPARAM(::GetDlgCtrlID(control), STN_CLICKED),
                  reinterpret_cast<LPARAM>(control));
}

// Links take the keyboard like buttons: Enter and Space press them, so the
// dialog must hand those keys over instead of pressing its default button.
bool IsPressKey(WPARAM key) {
    return key == VK_RETURN || key == VK_SPACE;
}

bool WantsPressKey(LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    return message != nullptr && message->message == WM_KEYDOWN && IsPressKey(message->wParam);
}

// The hollow brush lets the page lay its own background behind the link.
LRESULT LinkColours(HDC dc, COLORREF text) {
    ::SetTextColor(dc, text);
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

}  // namespace

HFONT MakeLinkFont(HWND control) {
    ::SetWindowLongPtr(control, GWL_STYLE, ::GetWindowLongPtr(control, GWL_STYLE) | SS_NOTIFY);
    LOGFONT font{};
    HFONT current = reinterpret_cast<HFONT>(::SendMessage(control, WM_GETFONT, 0, 0));
    if (current == nullptr) current = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObject(current, sizeof font, &font);
    font.lfUnderline = TRUE;
    font.lfWeight = 800;
    HFONT link = ::CreateFontIndirect(&font);
    ::SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(link), FALSE);
    return link;
}

// ---- CStaticButton ------------------------------------------------------------

CStaticButton::~CStaticButton() = default;

void CStaticButton::OnSubclassed() {
    m_font.Reset(MakeLinkFont(Handle()));
}

void CStaticButton::SetTexts(const std::u16string* title, const std::u16string* caption,
                             const std::u16string* defaultText, HWND description) {
    m_pTitle = title;
    m_pCaption = caption;
    m_pDefault = defaultText;
    m_pCurrent = defaultText;
    m_description = description;
    SetText(title != nullptr ? Wide(*title) : std::wstring());
    Redraw();
    ShowDescription(m_pCurrent);
}

void CStaticButton::ShowDescription(const std::u16string* text) {
    m_pCurrent = text;
    if (m_description == nullptr) return;
    ::SetWindowTextW(m_description, text != nullptr ? Wide(*text).c_str() : L"");
    ::RedrawWindow(m_description, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CStaticButton::SetHover(int state) {
    m_bHover = state;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    Redraw();
    if (state == 0) ShowDescription(m_pDefault);
}

LRESULT CStaticButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (SetLinkCursor(Handle(), lParam)) return TRUE;
            break;
        case WM_MOUSEMOVE: {
            if (::GetCapture() == Handle()) ::ReleaseCapture();
            if (s_pMainActive == nullptr || *s_pMainActive == 0) break;
            const ui::HoverChange change = ui::FollowPointer(Handle(), lParam, &m_bHover);
            if (change == ui::HoverChange::Left) {
                ShowDescription(m_pDefault);
                return 0;
            }
            if (change == ui::HoverChange::Entered) ShowDescription(m_pCaption);
            break;
        }
        case WM_SETFOCUS:
            // The focus shows like the pointer: red text and the caption.
            m_bHover = 1;
            Redraw();
            ShowDescription(m_pCaption);
            break;
        case WM_KILLFOCUS:
            if (!DialogOpen()) SetHover(0);
            break;
        case WM_GETDLGCODE:
            if (WantsPressKey(lParam)) return DLGC_WANTMESSAGE;
            break;
        case WM_KEYDOWN:
            if (IsPressKey(wParam)) {
                m_bKeyboardClick = true;
                NotifyClick(Handle());
                m_bKeyboardClick = false;
                return 0;
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

bool CStaticButton::OnReflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_CTLCOLORSTATIC) return false;
    result = LinkColours(reinterpret_cast<HDC>(wParam), m_bHover == 1 ? m_crHover : m_crNormal);
    return true;
}

// ---- CHyperLink ---------------------------------------------------------------

CHyperLink::~CHyperLink() = default;

void CHyperLink::OnSubclassed() {
    m_font.Reset(MakeLinkFont(Handle()));
}

void CHyperLink::SetUrl(const std::u16string& url) {
    m_strUrl = url;
    SetText(Wide(url));
}

void CHyperLink::Open() {
    m_bHover = 0;
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    Redraw();
    // An information tab without an address shows no link to follow.
    if (m_strUrl.empty() || m_pShell == nullptr) return;
    // Nothing but the shell reports a failure here.
    m_pShell->Execute(0, u"open", m_strUrl, u"", u"", launcher::ShellUi::ShellReports);
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (SetLinkCursor(Handle(), lParam)) return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (::GetCapture() == Handle()) ::ReleaseCapture();
            ui::FollowPointer(Handle(), lParam, &m_bHover);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            m_bHover = message == WM_SETFOCUS ? 1 : 0;
            Redraw();
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

bool CHyperLink::OnReflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        result = LinkColours(reinterpret_cast<HDC>(wParam), m_bHover == 1 ? m_crHover : m_crNormal);
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Open();
        result = 0;
        return true;
    }
    return false;
}
