#include "shell/win/vistrel_app.h"

#include "resources/controller/resource.h"
#include "shell/registry.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_dlg.h"
#include "ui/resource_string.h"

CVistrelApp& VistrelApp() {
    return *static_cast<CVistrelApp*>(ui::Application::Current());
}

CVistrelApp::CVistrelApp()
    : m_monitors(m_ddc, m_desktop, m_maker, m_processes, m_clock, m_bLockHeld) {
    CRegistry::SetDefaultStore(&m_registry);
}

CVistrelApp::~CVistrelApp() {
    CRegistry::SetDefaultStore(nullptr);
}

bool CVistrelApp::IsVistaOrLater() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    if (!::GetVersionExA(&version)) return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 5;
}

bool CVistrelApp::InitInstance() {
    // A plain name is local to the session, so each logged-on user may run a copy.
    const std::string mutexName = ui::ResourceString(IDS_MUTEX_NAME);
    m_hInstanceMutex = ::CreateMutexA(nullptr, TRUE, mutexName.c_str());
    if (m_hInstanceMutex == nullptr) return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another copy runs: leave it alone and show nothing.
        ::CloseHandle(m_hInstanceMutex);
        m_hInstanceMutex = nullptr;
        return false;
    }
    if (!IsVistaOrLater()) return false;

    // Other windows of the program find the main window by its class name; the
    // class is the dialog class under our own name.
    WNDCLASSEXA dialogClass{};
    dialogClass.cbSize = sizeof dialogClass;
    if (::GetClassInfoExA(nullptr, MAKEINTRESOURCEA(32770), &dialogClass)) {
        dialogClass.cbSize = sizeof dialogClass;
        dialogClass.hInstance = Instance();
        dialogClass.lpszClassName = "VISTREL";
        ::RegisterClassExA(&dialogClass);
    }

    auto* dialog = new CVistrelDlg();
    m_pMainDlg = dialog;
    if (!dialog->Create(nullptr)) {
        // The window never came up, so PostNcDestroy will not delete it.
        if (!dialog->IsWindow()) {
            delete dialog;
            m_pMainDlg = nullptr;
            return false;
        }
    }
    SetMainWindow(dialog->Handle());
    m_processes.SetMainWindow(dialog->Handle());
    if (m_bTrayReady == 0) {
        ::DestroyWindow(dialog->Handle());
        return false;
    }
    m_bSettingsShown = 0;
    return true;
}

int CVistrelApp::ExitInstance() {
    if (m_hInstanceMutex != nullptr) {
        ::ReleaseMutex(m_hInstanceMutex);
        ::CloseHandle(m_hInstanceMutex);
        m_hInstanceMutex = nullptr;
    }
    return ui::Application::ExitInstance();
}
