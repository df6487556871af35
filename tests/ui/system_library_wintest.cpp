// Libraries loaded on demand (the theme, common dialog and installer libraries)
// come from the system folder, whatever lies beside the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/system_library.h"

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

TEST(SystemLibraryTest, LibraryBesideTheProgramIsNeverLoaded) {
    // The test's folder holds the maker library stand-in: a bare-name load finds
    // it there, the system-folder load does not.
    HMODULE beside = ::LoadLibraryW(L"minfolib.dll");
    ASSERT_NE(beside, nullptr) << "the planted library must be loadable by its bare name";
    ::FreeLibrary(beside);
    EXPECT_EQ(ui::LoadSystemLibrary(L"minfolib.dll"), nullptr);

    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    for (const wchar_t* name : {L"msi.dll", L"uxtheme.dll", L"comdlg32.dll"}) {
        HMODULE library = ui::LoadSystemLibrary(name);
        ASSERT_NE(library, nullptr) << name;
        EXPECT_EQ(Lower(ModulePath(library)).rfind(Lower(std::wstring(system, length)) + L"\\", 0),
                  0u)
            << name;
        using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
        if (std::wstring(name) == L"uxtheme.dll") {
            EXPECT_NE(ui::LibraryFunction<SetWindowThemeFn>(library, "SetWindowTheme"), nullptr);
        }
        ::FreeLibrary(library);
    }
}
