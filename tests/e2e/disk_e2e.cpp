// The utility disk end to end: its folder mapped as CD-ROM drive D:, autorun's
// program started from there, the controller installed through the launcher's
// installer item and Windows Installer, started from the Run value when the
// launcher is left, and offered for removal when the installer runs again.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "launcher_driver.h"

namespace {

const wchar_t kProductCode[] = L"{6C1E7A52-3B1F-4D8A-9E27-51A0C4F3D2B8}";
const wchar_t kInstalledProgram[] = L"C:\\Program Files\\Orvex\\Panelwright Pro for LCD\\vistrelddcci.exe";
const wchar_t kInstalledConsoleProgram[] = L"C:\\Program Files\\Orvex\\Panelwright Pro for LCD\\vistrelctl.exe";

// The texts the test waits for, as the disk's information file and the launcher's
// strings give them in the prefix's user-interface language.
struct DiskTexts {
    const wchar_t* installerTitle;
    const wchar_t* installed;
    const wchar_t* removalQuestion;
};

DiskTexts Texts() {
    if (::GetUserDefaultUILanguage() == 0x0411) {
        return {L"Panelwright Pro for LCD のインストール", L"Panelwright Pro for LCD のインストールが完了しました。",
                L"他のバージョンのソフトウェアをアンインストールします"};
    }
    return {L"Install Panelwright Pro for LCD", L"Panelwright Pro for LCD has been installed.",
            L"uninstall other version"};
}

std::wstring AutorunOpen() {
    std::ifstream file("D:\\autorun.inf");
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("open=", 0) == 0) return std::wstring(line.begin() + 5, line.end());
    }
    return L"";
}

DWORD FindProcess(const wchar_t* exeName) {
    DWORD found = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName) == 0) found = entry.th32ProcessID;
    }
    ::CloseHandle(snapshot);
    return found;
}

bool RunAndWait(std::wstring commandLine, DWORD milliseconds) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return false;
    }
    const bool ended = ::WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0;
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return ended;
}

class DiskTest : public ::testing::Test {
protected:
    // A product left installed by an earlier run would turn the first install
    // into the removal question.
    void SetUp() override { RunAndWait(std::wstring(L"msiexec.exe /x ") + kProductCode + L" /qn", 60000); }
    void TearDown() override {
        first.Kill();
        second.Kill();
        if (DWORD controller = FindProcess(L"vistrelddcci.exe")) {
            HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, controller);
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
        RunAndWait(std::wstring(L"msiexec.exe /x ") + kProductCode + L" /qn", 60000);
    }
    e2e::Launcher first;
    e2e::Launcher second;
};

TEST_F(DiskTest, InstallsTheControllerThroughTheLauncherAndStartsIt) {
    ASSERT_EQ(::GetDriveTypeW(L"D:\\"), static_cast<UINT>(DRIVE_CDROM));
    const std::wstring program = AutorunOpen();
    ASSERT_EQ(program, L"launcher.exe");
    ASSERT_TRUE(first.Start(L"D:\\" + program));
    const DiskTexts texts = Texts();

    first.SelectTab(1);
    ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] {
        return e2e::ItemText(first.VisiblePage(), 1012) == texts.installerTitle;
    }));
    first.ClickLink(0);
    HWND progress = first.WaitForDialog(10000);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(e2e::WaitUntilPumping(60000, [&] { return ::IsWindowEnabled(::GetDlgItem(progress, IDOK)) != FALSE; }));
    EXPECT_EQ(e2e::ItemText(progress, -1), texts.installed);
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(progress); }));
    EXPECT_NE(::GetFileAttributesW(kInstalledProgram), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesW(kInstalledConsoleProgram), INVALID_FILE_ATTRIBUTES) << "vistrelctl beside it";

    // Leaving with "E&xit" starts what the setup registered: the controller.
    e2e::PressButton(first.Main(), 1003);
    ASSERT_TRUE(first.WaitForExit(10000));
    EXPECT_TRUE(e2e::WaitUntilPumping(20000, [] { return ::FindWindowW(L"VISTREL", nullptr) != nullptr; }))
        << "the controller's window exists";
    EXPECT_TRUE(e2e::WaitUntilPumping(20000, [] {
        return ::FindWindowExW(nullptr, nullptr, L"__winex11_standalone_tray", nullptr) != nullptr ||
               ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
    })) << "its icon is in the notification area";

    // The installer again: the installed version is offered for removal first.
    ASSERT_TRUE(second.Start(L"D:\\" + program));
    second.SelectTab(1);
    ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] {
        return e2e::ItemText(second.VisiblePage(), 1012) == texts.installerTitle;
    }));
    second.ClickLink(0);
    HWND question = second.WaitForDialog(20000);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(e2e::MessageBoxText(question).find(texts.removalQuestion), std::wstring::npos);
    e2e::PressButton(question, IDNO);
    EXPECT_TRUE(e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(question); }));
    EXPECT_EQ(second.WaitForDialog(1500), nullptr) << "No stops the installation";
}

}  // namespace
