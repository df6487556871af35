// A copied disk may carry libraries named like system ones beside the launcher,
// which runs elevated. With Wine told to prefer such copies (as Windows would
// take any it finds in the program's folder), none may be loaded once the
// launcher's code runs: not by the common controls drawing the pages, not by the
// theme, not by the installer flow. Each copy notes whether the process had
// restricted the library search when it was loaded.
//
// Wine's own user32 loads version.dll (an import) and uxtheme.dll (by bare name,
// from its start-up code) before the program's first instruction; Windows' does
// neither. version.dll is therefore left to Wine (the launcher's import table is
// checked by its own test), and one uxtheme.dll load with the search still open
// is Wine's. A second one, or any load after the restriction, is ours.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "launcher_driver.h"

namespace {

std::string PlantedLoads() {
    std::ifstream file((e2e::DiskPath() + L"\\planted-loads.txt").c_str(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The loads Wine's start-up code accounts for: none, or uxtheme.dll once.
bool OnlyWinesOwnStartUpLoad(const std::string& loads) {
    if (loads.empty()) return true;
    const std::string wine = "\\uxtheme.dll ";
    const std::string open = "\\launcher.exe open\n";
    return loads.find('\n') == loads.size() - 1 && loads.find(wine) != std::string::npos &&
           loads.size() > open.size() &&
           loads.compare(loads.size() - open.size(), open.size(), open) == 0;
}

}  // namespace

TEST(PlantedLibraryTest, NoLibraryBesideTheLauncherIsLoaded) {
    for (const wchar_t* name :
         {L"version.dll", L"msi.dll", L"uxtheme.dll", L"dwmapi.dll", L"cryptbase.dll"}) {
        ASSERT_NE(::GetFileAttributesW((e2e::DiskPath() + L"\\" + name).c_str()),
                  INVALID_FILE_ATTRIBUTES)
            << name << " is not planted";
    }
    // The planted copies record loads: this driver loads one on purpose.
    HMODULE probe = ::LoadLibraryW((e2e::DiskPath() + L"\\dwmapi.dll").c_str());
    ASSERT_NE(probe, nullptr);
    ::FreeLibrary(probe);
    ASSERT_NE(PlantedLoads().find("dwmapi.dll"), std::string::npos)
        << "the planted library records nothing";
    ::DeleteFileW((e2e::DiskPath() + L"\\planted-loads.txt").c_str());

    e2e::ClearRecordedStarts();
    e2e::RegisterRecorder();
    e2e::Launcher launcher;
    ASSERT_TRUE(launcher.Start()) << "the launcher window did not come up; loads: "
                                  << PlantedLoads();
    ::SetForegroundWindow(launcher.Main());
    for (int tab = 3; tab >= 0; --tab) {
        launcher.SelectTab(tab);
        e2e::WaitUntilPumping(300, [] { return false; });
    }
    // An installer: the Windows Installer check, the setup and its progress dialog.
    launcher.SelectTab(1);
    ASSERT_TRUE(e2e::WaitUntilPumping(
        3000, [&] { return e2e::ItemText(launcher.VisiblePage(), 1015) == L"Setup Works"; }));
    launcher.ClickLink(3);
    HWND progress = launcher.WaitForDialog(5000);
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(e2e::WaitUntilPumping(
        15000, [&] { return ::IsWindowEnabled(::GetDlgItem(progress, IDOK)) != FALSE; }));
    e2e::PressButton(progress, IDOK);
    EXPECT_TRUE(e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(progress); }));
    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(8000));
    e2e::UnregisterRecorder();

    const std::string loads = PlantedLoads();
    EXPECT_TRUE(OnlyWinesOwnStartUpLoad(loads)) << "libraries loaded from the disk folder:\n"
                                                << loads;
}
