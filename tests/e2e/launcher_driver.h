#pragma once
// Drives the real launcher from outside: starts it from a test disk, finds its
// main window, pages, links and dialogs, clicks and reads them, and looks at
// what the programs it started recorded.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class Launcher {
public:
    Launcher() = default;
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Starts disk\launcher.exe (or the given program) and waits for its main window.
    bool Start(const std::wstring& program = std::wstring());
    bool Running() const;
    bool WaitForExit(DWORD milliseconds) const;
    void Kill();

    HWND Main() const { return m_main; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HANDLE ProcessHandle() const { return m_process.hProcess; }

    HWND Tab() const { return ::GetDlgItem(m_main, 1004); }
    // The page shown under the selected tab.
    HWND VisiblePage() const;
    // Selects a tab the way a click on it does.
    void SelectTab(int index) const;
    // Puts the pointer on the link and reports the click the link would.
    void ClickLink(int position) const;
    // A visible dialog of the launcher other than the main window, or null.
    HWND WaitForDialog(DWORD milliseconds, HWND other = nullptr) const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

// How long a test waits for the launcher to show a reaction before it counts as
// missing: generous, since a loaded machine can hold a Wine program (and a setup
// it starts) back for seconds, while a wait that is met returns at once.
inline constexpr DWORD kReactionDeadline = 20000;

// Pumps this thread's messages while waiting, so that windows of the driver
// answer the launcher's requests.
template <typename Condition>
bool WaitUntilPumping(DWORD milliseconds, Condition condition) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        if (condition()) return true;
        if (::GetTickCount() - start >= milliseconds) return false;
        ::Sleep(30);
    }
}

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);
// The message text of a message box.
std::wstring MessageBoxText(HWND box);
void PressButton(HWND dialog, int id);
std::vector<std::wstring> TabItems(HANDLE process, HWND tab);

// The disk folder and the work folder of this run, as Windows paths.
std::wstring DiskPath();
// What the stand-in programs recorded, one line per start.
std::vector<std::wstring> RecordedStarts();
void ClearRecordedStarts();

// Associates documents (.pdf, .txt, .htm), folders and web addresses with the
// recorder and registers two programs under the machine's Run key; the Run
// values are removed again by UnregisterRecorder, the associations stay.
void RegisterRecorder();
void UnregisterRecorder();

}  // namespace e2e
