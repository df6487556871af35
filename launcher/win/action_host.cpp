#include "launcher/win/action_host.h"

#include "launcher/win/dlg_manual_select.h"
#include "launcher/win/dlg_progress.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/wide_text.h"
#include "ui/resource_string.h"

CActionHost::CActionHost(HWND owner, ApplicationDialog applicationDialog)
    : m_owner(owner),
      m_applicationDialog(applicationDialog),
      m_actions(CLauncherApp::Get()->Ports(), CLauncherApp::Get()->m_strAppDir, *this) {}

std::u16string CActionHost::String(unsigned id) {
    return Utf16(ui::ResourceString(id));
}

int CActionHost::Ask(const std::u16string& text, unsigned style) {
    // Errors carry no caption of their own; questions carry the launcher's title.
    const std::wstring caption = Wide(CLauncherApp::Get()->m_strLauncherTitle);
    const bool error = (style & launcher::kBoxIconError) != 0;
    return ::MessageBoxW(m_owner, Wide(text).c_str(),
                         error || caption.empty() ? nullptr : caption.c_str(), style);
}

bool CActionHost::SelectFile(const launcher::ButtonInfo& item, int templateId,
                             std::u16string* path) {
    CDlgManualSelect dialog(item, templateId);
    if (dialog.DoModal(m_owner) != 1 || !dialog.m_bChosen) return false;
    *path = dialog.m_strPath;
    return true;
}

void CActionHost::RunApplicationDialog(const launcher::ButtonInfo& item) {
    if (m_applicationDialog != nullptr) m_applicationDialog(m_owner, item, m_actions);
}

launcher::SetupState CActionHost::RunProgress(const launcher::ButtonInfo& item,
                                              const std::u16string& title,
                                              launcher::StartedProcess& process) {
    CDlgProgress dialog(item, title, process);
    dialog.DoModal(m_owner);
    return dialog.m_state;
}

void CActionHost::BeforeBrowsing() {
    ::ReleaseCapture();
    ::RedrawWindow(m_owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
