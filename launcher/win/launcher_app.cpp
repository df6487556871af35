#include "launcher/win/launcher_app.h"

#include <commctrl.h>

#include "launcher/launcher_info_reader.h"
#include "launcher/win/launcher_controls.h"
#include "launcher/win/launcher_dlg.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"
#include "ui/resource_string.h"

CLauncherApp::CLauncherApp() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    m_strAppDir = launcher::LauncherAppDir(Utf16(std::wstring(path, length)));
    CStaticButton::s_pMainActive = &m_bMainActive;
    CStaticButton::s_pSelectDialogOpen = &m_bSelectDialogOpen;
    CStaticButton::s_pSubDialogOpen = &m_bSubDialogOpen;
}

bool CLauncherApp::InitInstance() {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof init;
    init.dwICC = 0xFF;
    ::InitCommonControlsEx(&init);
    RECT work{};
    if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        m_templates.Prepare(ui::ResourceInstance(), IDD_LAUNCHER, work.right - work.left);
    }
    {
        CLauncherDlg dialog;
        dialog.SetTemplate(m_templates.Template(IDD_LAUNCHER));
        dialog.DoModal();
    }
    // Every page is destroyed by now; only then may the model go.
    m_tabs.clear();
    return false;
}
