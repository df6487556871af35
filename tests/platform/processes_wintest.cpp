#include "platform/win32/processes_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const platform::ProcessEntry* FindProcess(const std::vector<platform::ProcessEntry>& processes,
                                          std::uint32_t id) {
    for (const auto& process : processes) {
        if (process.id == id) return &process;
    }
    return nullptr;
}

// A process that exists for the length of a test: started suspended, so it does
// nothing, and ended by the destructor.
class SuspendedProcess {
public:
    explicit SuspendedProcess(const char* commandLine) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string command(commandLine);
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                  CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                  &info_) != FALSE;
    }
    ~SuspendedProcess() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 0);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    std::uint32_t id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
    bool started_ = false;
};

TEST(Win32Processes, SnapshotNamesThisProcessAndAnotherRunningOne) {
    SuspendedProcess other("C:\\windows\\system32\\cmd.exe /c exit");
    ASSERT_TRUE(other.started()) << "could not start cmd.exe, error " << GetLastError();

    platform::Win32Processes processes;
    std::vector<platform::ProcessEntry> snapshot;
    ASSERT_TRUE(processes.Snapshot(&snapshot));

    const auto* self = FindProcess(snapshot, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(Lower(self->exeFile), "platform_wintests.exe");

    const auto* child = FindProcess(snapshot, other.id());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Lower(child->exeFile), "cmd.exe");
}

// Wine reports no handle count, but it hands out the lowest free handle value:
// a fresh handle after many snapshots lands far above the earlier one only
// when the snapshots' handles were never closed.
std::uintptr_t NextFreeHandleValue() {
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    const auto value = reinterpret_cast<std::uintptr_t>(probe);
    CloseHandle(probe);
    return value;
}

TEST(Win32Processes, SnapshotLeavesNoHandleBehind) {
    constexpr int kSnapshots = 40;
    platform::Win32Processes processes;
    std::vector<platform::ProcessEntry> snapshot;
    ASSERT_TRUE(processes.Snapshot(&snapshot));  // first-use allocations out of the way

    DWORD countBefore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &countBefore);
    const std::uintptr_t valueBefore = NextFreeHandleValue();
    for (int i = 0; i < kSnapshots; ++i) ASSERT_TRUE(processes.Snapshot(&snapshot));
    DWORD countAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &countAfter);
    const std::uintptr_t valueAfter = NextFreeHandleValue();

    if (countBefore != 0) {
        EXPECT_LT(countAfter, countBefore + kSnapshots / 2) << "snapshots leak handles";
    }
    EXPECT_LT(valueAfter, valueBefore + 4 * (kSnapshots / 2)) << "snapshots leak handles";
}

TEST(Win32Processes, OwnIdComesFromTheRegisteredWindow) {
    platform::Win32Processes processes;
    EXPECT_EQ(processes.OwnProcessId(), GetCurrentProcessId()) << "before any window exists";

    // The desktop window belongs to another process under Wine and to csrss on
    // Windows: an id that can only have come from the window.
    const HWND desktop = GetDesktopWindow();
    DWORD desktopOwner = 0;
    GetWindowThreadProcessId(desktop, &desktopOwner);
    processes.SetMainWindow(desktop);
    EXPECT_EQ(processes.OwnProcessId(), desktopOwner);

    HWND window = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    processes.SetMainWindow(window);
    EXPECT_EQ(processes.OwnProcessId(), GetCurrentProcessId());
    DestroyWindow(window);
    EXPECT_EQ(processes.OwnProcessId(), GetCurrentProcessId())
        << "a destroyed window falls back to the process";
}

}  // namespace
