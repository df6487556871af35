// The utility disk end to end: its folder mapped as CD-ROM drive D:, autorun's
// program started from there, the controller that fits the system installed
// through the launcher's installer item and Windows Installer, started from the
// Run value when the launcher is left, and offered for removal when the
// installer runs again. Runs in a 32-bit and in a 64-bit prefix.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "launcher_driver.h"

namespace {

// The two installers as the disk's information files list them: the 64-bit one
// first, each with its own product.
struct Installer {
    int position;
    const wchar_t* productCode;
    WORD machine;
};
const Installer kInstaller64 = {0, L"{6C1E7A52-3B1F-4D8A-9E27-51A0C4F3D2B8}",
                                IMAGE_FILE_MACHINE_AMD64};
const Installer kInstaller32 = {1, L"{3E8B1D47-9C2A-4F05-8B6E-72D4A1C9E3F0}",
                                IMAGE_FILE_MACHINE_I386};
const wchar_t kProgramFiles[] = L"C:\\Program Files\\Orvex\\Panelwright Pro for LCD\\";
const wchar_t kProgramFilesX86[] = L"C:\\Program Files (x86)\\Orvex\\Panelwright Pro for LCD\\";

bool SystemIs64Bit() {
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

// The machine field of a program's or library's PE header, 0 when unreadable.
WORD ImageMachine(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file) return 0;
    IMAGE_DOS_HEADER dos{};
    file.read(reinterpret_cast<char*>(&dos), sizeof dos);
    if (!file || dos.e_magic != IMAGE_DOS_SIGNATURE) return 0;
    file.seekg(dos.e_lfanew);
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    file.read(reinterpret_cast<char*>(&signature), sizeof signature);
    file.read(reinterpret_cast<char*>(&header), sizeof header);
    return file && signature == IMAGE_NT_SIGNATURE ? header.Machine : 0;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The texts the test waits for, as the disk's information file and the launcher's
// strings give them in the prefix's user-interface language.
struct DiskTexts {
    const wchar_t* installerTitle64;
    const wchar_t* installerTitle32;
    const wchar_t* installed;
    const wchar_t* removalQuestion;
};

DiskTexts Texts() {
    if (::GetUserDefaultUILanguage() == 0x0411) {
        return {L"Panelwright Pro for LCD のインストール（64 ビット版）",
                L"Panelwright Pro for LCD のインストール（32 ビット版）",
                L"Panelwright Pro for LCD のインストールが完了しました。",
                L"他のバージョンのソフトウェアをアンインストールします"};
    }
    return {L"Install Panelwright Pro for LCD (64-bit)",
            L"Install Panelwright Pro for LCD (32-bit)",
            L"Panelwright Pro for LCD has been installed.", L"uninstall other version"};
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
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName) == 0) found = entry.th32ProcessID;
    }
    ::CloseHandle(snapshot);
    return found;
}

bool RunAndWait(std::wstring commandLine, DWORD milliseconds) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    const bool ended = ::WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0;
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return ended;
}

BOOL CALLBACK CountTrayIcons(HWND window, LPARAM count) {
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (std::wstring(className) == L"__winex11_tray_icon" && ::IsWindowVisible(window)) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

BOOL CALLBACK CountTrayIconsBelow(HWND window, LPARAM count) {
    CountTrayIcons(window, count);
    ::EnumChildWindows(window, CountTrayIcons, count);
    return TRUE;
}

// The icons in the notification area, of every program: Wine shows each in a
// window of its own (the tray window exists whether or not any icon was added).
int TrayIconCount() {
    int count = 0;
    ::EnumWindows(CountTrayIconsBelow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void Uninstall(const Installer& installer) {
    RunAndWait(std::wstring(L"msiexec.exe /x ") + installer.productCode + L" /qn", 60000);
}

class DiskTest : public ::testing::Test {
protected:
    // A product left installed by an earlier run would turn the first install
    // into the removal question.
    void SetUp() override {
        Uninstall(kInstaller64);
        Uninstall(kInstaller32);
    }
    void TearDown() override {
        first.Kill();
        second.Kill();
        if (DWORD controller = FindProcess(L"vistrelddcci.exe")) {
            HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, controller);
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
        Uninstall(kInstaller64);
        Uninstall(kInstaller32);
    }
    e2e::Launcher first;
    e2e::Launcher second;
};

TEST_F(DiskTest, InstallsTheFittingControllerThroughTheLauncherAndStartsIt) {
    ASSERT_EQ(::GetDriveTypeW(L"D:\\"), static_cast<UINT>(DRIVE_CDROM));
    const std::wstring program = AutorunOpen();
    ASSERT_EQ(program, L"launcher.exe");
    EXPECT_EQ(ImageMachine(L"D:\\" + program), IMAGE_FILE_MACHINE_I386)
        << "the disk's launcher is 32-bit";
    ASSERT_TRUE(first.Start(L"D:\\" + program));
    const DiskTexts texts = Texts();
    const bool is64 = SystemIs64Bit();
    const Installer& fitting = is64 ? kInstaller64 : kInstaller32;
    const Installer& other = is64 ? kInstaller32 : kInstaller64;

    // The OS filter offers the installer that fits this system and no other.
    first.SelectTab(1);
    HWND page = nullptr;
    ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] {
        page = first.VisiblePage();
        return e2e::ItemText(page, 1012) == texts.installerTitle64 &&
               e2e::ItemText(page, 1013) == texts.installerTitle32;
    }));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, 1012 + fitting.position)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, 1012 + other.position)));

    first.ClickLink(fitting.position);
    HWND progress = first.WaitForDialog(10000);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(e2e::WaitUntilPumping(
        60000, [&] { return ::IsWindowEnabled(::GetDlgItem(progress, IDOK)) != FALSE; }));
    EXPECT_EQ(e2e::ItemText(progress, -1), texts.installed);
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(progress); }));

    // The build of the system's own word size, under its own Program Files.
    const std::wstring folder = kProgramFiles;
    EXPECT_EQ(ImageMachine(folder + L"vistrelddcci.exe"), fitting.machine);
    EXPECT_EQ(ImageMachine(folder + L"minfolib.dll"), fitting.machine);
    EXPECT_EQ(ImageMachine(folder + L"vistrelctl.exe"), fitting.machine) << "vistrelctl beside it";
    if (is64) {
        EXPECT_FALSE(Exists(kProgramFilesX86)) << "nothing under Program Files (x86)";
    }

    // Leaving with "E&xit" starts what the setup registered: the controller, with
    // its own icon in the notification area.
    const int icons = TrayIconCount();
    e2e::PressButton(first.Main(), 1003);
    ASSERT_TRUE(first.WaitForExit(10000));
    EXPECT_TRUE(e2e::WaitUntilPumping(20000, [] { return FindProcess(L"vistrelddcci.exe") != 0; }))
        << "the controller runs";
    HWND controller = nullptr;
    EXPECT_TRUE(e2e::WaitUntilPumping(20000,
                                      [&] {
                                          controller = ::FindWindowW(L"VISTREL", nullptr);
                                          return controller != nullptr &&
                                                 TrayIconCount() == icons + 1;
                                      }))
        << "icons before " << icons << ", now " << TrayIconCount();

    // The icon is the controller's: it goes when the controller ends, here on the
    // close request an installer sends to a program that holds its files.
    if (controller != nullptr) {
        // Once its start-up is over, as an installer would find it.
        DWORD id = 0;
        ::GetWindowThreadProcessId(controller, &id);
        if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id)) {
            ::WaitForInputIdle(process, 20000);
            ::CloseHandle(process);
        }
        DWORD_PTR answer = 0;
        EXPECT_NE(::SendMessageTimeoutW(controller, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP,
                                        SMTO_ABORTIFHUNG, 20000, &answer),
                  0)
            << "the controller does not answer";
        EXPECT_NE(answer, 0u) << "the controller agrees to close";
        ::SendMessageTimeoutW(controller, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP,
                              SMTO_ABORTIFHUNG, 20000, &answer);
        EXPECT_TRUE(e2e::WaitUntilPumping(10000, [] {
            return FindProcess(L"vistrelddcci.exe") == 0;
        })) << "the controller ends";
        EXPECT_TRUE(e2e::WaitUntilPumping(5000, [&] { return TrayIconCount() == icons; }))
            << "icons before " << icons << ", now " << TrayIconCount();
    }

    // The installer again: the installed version is offered for removal first.
    ASSERT_TRUE(second.Start(L"D:\\" + program));
    second.SelectTab(1);
    ASSERT_TRUE(e2e::WaitUntilPumping(
        3000, [&] { return e2e::ItemText(second.VisiblePage(), 1012) == texts.installerTitle64; }));
    second.ClickLink(fitting.position);
    HWND question = second.WaitForDialog(20000);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(e2e::MessageBoxText(question).find(texts.removalQuestion), std::wstring::npos);
    e2e::PressButton(question, IDNO);
    EXPECT_TRUE(e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(question); }));
    EXPECT_EQ(second.WaitForDialog(1500), nullptr) << "No stops the installation";
}

}  // namespace
