#include "shell/win/small_controls.h"

#include <shellapi.h>

#include "resources/controller/resource.h"
#include "shell/byte_limit.h"
#include "shell/win/shell_ids.h"
#include "ui/resource_string.h"

// ---- CSMTabCtrlEx -----------------------------------------------------------

LRESULT CSMTabCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL) {
        // The scroll arrows leave stale pixels of the amber bar behind.
        ::PostMessageA(Parent(), shell_ids::kMsgRedrawTab, 0, 0);
    }
    return ui::AccentTabControl::WindowProc(message, wParam, lParam);
}

// ---- Web link ----------------------------------------------------------------

void AttachWebLink(ui::HyperLink& link, HWND page, int id) {
    link.SubclassItem(page, id);
    link.SetUrl(ui::ResourceString(IDS_WEB_ADDRESS));
    link.SetOpener([](const std::string& url) {
        ::ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    });
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
