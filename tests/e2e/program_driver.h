#pragma once
// Drives the real controller from outside, as a user would: starts it against a
// fresh simulated desk and a clean settings tree, finds its windows, clicks its
// tray icon and menus, reads texts out of its controls.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

inline constexpr const char* kSettingsRoot =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x";
inline constexpr UINT kTrayCallback = WM_USER + 100;

// Full menu items in keyboard order (separators are skipped by the keys).
enum MenuItem {
    kMenuSettings = 0,
    kMenuCalmira = 1,
    kMenuFilter = 2,
    kMenuList = 3,
    kMenuExit = 4
};

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the controller and waits until it is resident; false on failure.
    bool Start();
    bool Running() const;
    // Waits for the process to end; true when it ended within the time.
    bool WaitForExit(DWORD milliseconds) const;
    // Ends the controller as a user would: the settings window closed first when
    // `closeSettings`, then "Exit" from the tray menu, once more when a menu
    // opened while the program was busy missed the keys. True once it has ended
    // (or was not running); whatever is left, the destructor kills.
    bool ExitFromTray(bool closeSettings = false, DWORD milliseconds = 10000) const;
    void Kill();

    HWND MainWindow() const { return m_main; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HANDLE ProcessHandle() const { return m_process.hProcess; }

    // Right-clicks the tray icon and returns the popup menu window, or null.
    HWND OpenTrayMenu() const;
    // Picks the item at keyboard position `index` of an open popup menu.
    void PickMenuItem(HWND menu, int index) const;
    void DoubleClickTray() const;
    // Record index + 1 of the current monitor, 0 when none, -1 when unknown.
    int CurrentMonitor() const;
    // A top-level window of this process with the given caption, or null.
    HWND FindOwnWindow(const char* className, const std::wstring& caption) const;
    // A visible dialog of this process that holds the control `controlId`, or null.
    HWND FindOwnDialogWith(int controlId) const;
    // Opens the monitor connection list from the tray menu and waits until it is
    // shown; its window (found by its list, whatever the language), or null.
    HWND OpenMonitorList() const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

// Fresh per-test state: a copy of the desk configuration (no state file) in its
// own folder, announced to the simulated monitors, and no settings tree.
bool PrepareFreshState(const std::string& testName, const std::string& configFile);
void DeleteSettingsTree();
bool ReadSettingsDword(const char* valueName, DWORD* value);

// Waits until `condition` holds, polling every 50 ms.
template <typename Condition>
bool WaitUntil(DWORD milliseconds, Condition condition) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= milliseconds) return false;
        ::Sleep(50);
    }
}

// Texts of another process's controls.
std::vector<std::wstring> TabTexts(HANDLE process, HWND tab);
std::vector<std::wstring> ListBoxLines(HWND list);
// A string of the program's string table in the given language.
std::wstring ResourceString(UINT id, LANGID language);
// Tray icons the system tray shows right now (all programs).
int TrayIconCount();
// Asks the test's X helper to run xrandr with these arguments. True once xrandr
// succeeded and Wine shows the displays X now has; the windows are then told.
bool RunXrandr(const std::string& arguments);
int DisplayCount();

std::string ProgramPath();
// An environment variable of the test script; empty when unset.
std::string Env(const char* name);
// A Linux path of the test script as a path on Wine's Z: drive.
std::string DosPath(std::string path);
// Copies the sample filter definition file and pictures into the controller's
// data folder; its path with a closing backslash, or empty when a copy failed.
std::string InstallFilterSamples();

}  // namespace e2e
