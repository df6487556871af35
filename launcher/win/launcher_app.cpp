#include "launcher/win/launcher_app.h"

#include <commctrl.h>

#include <system_error>

#include "launcher/launcher_info_reader.h"
#include "launcher/win/launcher_controls.h"
#include "launcher/win/launcher_dlg.h"
#include "launcher/win/wide_text.h"
#include "platform/win32/xml_dom_msxml.h"
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

CLauncherApp::~CLauncherApp() {
    if (m_infoReader.joinable()) m_infoReader.join();
}

void CLauncherApp::ReadLauncherInfo() {
    platform::MsxmlDom dom;
    const std::u16string infoFile = Utf16(ui::ResourceString(IDS_LAUNCHER_INFO_FILE));
    launcher::LoadLauncherInfo(dom, launcher::LauncherInfoPath(m_strAppDir, infoFile), &m_tabs,
                               &m_strLauncherTitle);
}

void CLauncherApp::TakeLauncherInfo() {
    if (m_infoTaken) return;
    m_infoTaken = true;
    if (m_infoReader.joinable()) {
        m_infoReader.join();
    } else {
        ReadLauncherInfo();
    }
}

bool CLauncherApp::InitInstance() {
    // The model is touched by nobody else until TakeLauncherInfo has joined.
    try {
        m_infoReader = std::thread([this] { ReadLauncherInfo(); });
    } catch (const std::system_error&) {
        // No thread: the main window's initialisation reads the file itself.
    }
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
    // Not taken when the main window could not be made.
    if (m_infoReader.joinable()) m_infoReader.join();
    // Every page is destroyed by now; only then may the model go.
    m_tabs.clear();
    return false;
}
