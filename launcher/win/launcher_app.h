#pragma once
// The launcher's application object: the disk folder, the model read from the
// information file, and the flags the windows share.
#include <windows.h>

#include <memory>
#include <string>
#include <thread>

#include "launcher/item_actions.h"
#include "launcher/launcher_info.h"
#include "launcher/win/fitted_templates.h"
#include "launcher/win/launcher_ports_win32.h"
#include "platform/win32/os_version_win32.h"
#include "ui/application.h"

class CLauncherApp : public ui::Application {
public:
    CLauncherApp();
    ~CLauncherApp() override;
    static CLauncherApp* Get() { return static_cast<CLauncherApp*>(ui::Application::Current()); }

    bool InitInstance() override;
    // The main window's initialisation takes the information file's model here:
    // waits for the reading started with the program, or reads the file now when
    // no reader could be started. Only the first call reads.
    void TakeLauncherInfo();

    launcher::LauncherPorts Ports() { return {m_shell, m_installer, m_runKey, m_os}; }
    platform::OsVersion& Os() { return m_os; }

    std::u16string m_strAppDir;
    std::u16string m_strLauncherTitle;
    // Owned here and freed only after every window that points into it is gone.
    launcher::TabList m_tabs;
    int m_bSubDialogOpen = 0;
    int m_bSelectDialogOpen = 0;
    int m_bMainActive = 0;
    // The main window's and pages' templates, smaller when the window would not fit.
    FittedTemplates m_templates;

private:
    // Reads the information file into m_tabs and m_strLauncherTitle.
    void ReadLauncherInfo();

    // Reading the file (COM, the XML parser and the libraries they bring) takes
    // about as long as making the main window, so it runs beside it.
    std::thread m_infoReader;
    bool m_infoTaken = false;
    Win32LauncherShell m_shell;
    Win32WindowsInstaller m_installer;
    Win32RunKey m_runKey;
    platform::Win32OsVersion m_os;
};
