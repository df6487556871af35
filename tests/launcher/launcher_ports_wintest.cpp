// The launcher's Win32 adapters where their safety matters: it runs elevated from
// a disk anyone may have copied, and it closes other programs' windows by title.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher/win/launcher_ports_win32.h"

namespace {

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(::towlower(c));
    return text;
}

}  // namespace

TEST(LauncherSystemLibraryTest, LibraryBesideTheProgramIsNeverLoaded) {
    // The test's folder holds the maker library stand-in: a bare-name load finds
    // it there, the launcher's load does not.
    HMODULE beside = ::LoadLibraryW(L"minfolib.dll");
    ASSERT_NE(beside, nullptr) << "the planted library must be loadable by its bare name";
    ::FreeLibrary(beside);
    EXPECT_EQ(LoadSystemLibrary(L"minfolib.dll"), nullptr);

    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    for (const wchar_t* name : {L"msi.dll", L"uxtheme.dll"}) {
        HMODULE library = LoadSystemLibrary(name);
        ASSERT_NE(library, nullptr) << name;
        EXPECT_EQ(Lower(ModulePath(library)).rfind(Lower(std::wstring(system, length)) + L"\\", 0), 0u) << name;
        ::FreeLibrary(library);
    }
}

namespace {

struct HungWindow {
    HANDLE created = nullptr;
    HANDLE release = nullptr;
    HWND window = nullptr;
};

// Makes a window titled like a program setup would close, then stops answering.
DWORD WINAPI HangWithWindow(void* context) {
    auto* hung = static_cast<HungWindow*>(context);
    hung->window = ::CreateWindowExW(0, L"STATIC", L"Launcher Own Window Title", WS_OVERLAPPED, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
    ::SetEvent(hung->created);
    ::WaitForSingleObject(hung->release, INFINITE);
    ::DestroyWindow(hung->window);
    return 0;
}

}  // namespace

TEST(LauncherCloseWindowTest, OwnWindowsAreSkippedEvenWhenTheirThreadHangs) {
    HungWindow hung;
    hung.created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    hung.release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = ::CreateThread(nullptr, 0, HangWithWindow, &hung, 0, nullptr);
    ASSERT_EQ(::WaitForSingleObject(hung.created, 5000), WAIT_OBJECT_0);
    ASSERT_NE(hung.window, nullptr);

    Win32LauncherShell shell;
    // A plain send to this window would block until the thread answered, which it never does.
    EXPECT_FALSE(shell.CloseWindowTitled(u"Launcher Own Window Title"));
    EXPECT_TRUE(::IsWindow(hung.window));
    EXPECT_FALSE(shell.CloseWindowTitled(u"No Window Has This Title"));

    ::SetEvent(hung.release);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(hung.created);
    ::CloseHandle(hung.release);
}
