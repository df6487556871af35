#include "shell/win/small_controls.h"

#include <shellapi.h>

#include "resources/controller/resource.h"
#include "shell/byte_limit.h"
#include "shell/win/shell_ids.h"
#include "ui/link_hover.h"
#include "ui/resource_string.h"

// ---- CSMTabCtrlEx -----------------------------------------------------------

LRESULT CSMTabCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL) {
        // The scroll arrows leave stale pixels of the amber bar behind.
        ::PostMessageA(Parent(), shell_ids::kMsgRedrawTab, 0, 0);
    }
    return ui::AccentTabControl::WindowProc(message, wParam, lParam);
}

// ---- CHyperLink -------------------------------------------------------------

CHyperLink::~CHyperLink() = default;

void CHyperLink::OnSubclassed() {
    ModifyStyle(0, SS_NOTIFY);
    LOGFONTA logFont{};
    HFONT current = Font();
    if (current == nullptr) current = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectA(current, sizeof logFont, &logFont);
    logFont.lfUnderline = TRUE;
    m_font.Reset(::CreateFontIndirectA(&logFont));
    SetFont(m_font.Get());
    m_strUrl = ui::ResourceString(IDS_WEB_ADDRESS);
    SetText(m_strUrl);
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == Handle()) {
        HCURSOR hand = ::LoadCursorA(ui::ResourceInstance(), MAKEINTRESOURCEA(IDC_LINK_HAND));
        if (hand == nullptr) hand = ::LoadCursor(nullptr, IDC_HAND);
        ::SetCursor(hand);
        return TRUE;
    }
    if (message == WM_MOUSEMOVE) {
        ::ReleaseCapture();
        ui::FollowPointer(Handle(), lParam, &m_bHover);
    }
    return Default(message, wParam, lParam);
}

bool CHyperLink::OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, m_bHover == 1 ? m_crHover : m_crNormal);
        ::SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        m_bHover = 0;
        ::ReleaseCapture();
        Redraw();
        ::ShellExecuteA(nullptr, "open", m_strUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        result = 0;
        return true;
    }
    return false;
}

// ---- CByteEdit --------------------------------------------------------------

namespace {
bool IsLeadByteOfAnsiCodePage(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}
}  // namespace

void CByteEdit::SetMaxBytes(UINT maxBytes) {
    m_nMaxBytes = shell::ClampMaxBytes(maxBytes);
}

bool CByteEdit::OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COMMAND || HIWORD(wParam) != EN_UPDATE) return false;
    const std::pair<int, int> selection = Selection();
    std::string text = Text();
    if (shell::CutToByteLimit(&text, m_nMaxBytes, IsLeadByteOfAnsiCodePage)) {
        SetText(text);
        SetSelection(selection.first, selection.second);
        ScrollCaret();
    }
    result = 0;
    return true;
}

// ---- CAboutDlg --------------------------------------------------------------

CAboutDlg::CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog() {
    m_strVersion = ui::ResourceString(IDS_VERSION);
    m_strNotice = ui::ResourceString(IDS_LEGAL_NOTICE);
    SetItemText(IDC_VERSION, m_strVersion);
    SetItemText(IDC_NOTICE, m_strNotice);
    return true;
}
