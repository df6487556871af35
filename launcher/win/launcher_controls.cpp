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

void NotifyClick(HWND control) {
    ::SendMessage(::GetParent(control), WM_COMMAND,
                  MAKEWPARAM(::GetDlgCtrlID(control), STN_CLICKED),
                  reinterpret_cast<LPARAM>(control));
}

}  // namespace

// ---- CStaticButton ------------------------------------------------------------

CStaticButton::~CStaticButton() = default;

void CStaticButton::OnSubclassed() {
    m_font.Reset(ui::MakeLinkFont(Handle(), true));
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
            if (ui::SetLinkCursor(IDC_LINK_HAND, lParam)) return TRUE;
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
            if (ui::WantsPressKey(lParam)) return DLGC_WANTMESSAGE;
            break;
        case WM_KEYDOWN:
            if (ui::IsPressKey(wParam)) {
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
    result = ui::LinkColours(reinterpret_cast<HDC>(wParam), m_bHover == 1 ? m_crHover : m_crNormal);
    return true;
}
