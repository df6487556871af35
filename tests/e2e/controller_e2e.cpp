#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_driver.h"

namespace {

using e2e::Program;

const std::wstring kCaption = L"Panelwright Pro for LCD (DDC/CI)";

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

bool TwoDisplays() {
    char kind[16] = {};
    ::GetEnvironmentVariableA("VISTREL_XSERVER", kind, sizeof kind);
    return std::string(kind) != "xvfb" && e2e::DisplayCount() >= 2;
}

class ControllerTest : public ::testing::Test {
protected:
    void StartWith(const char* config) {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), config));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
    }
    void SetUp() override { StartWith("default-desk.json"); }
    void TearDown() override {
        program.ExitFromTray();
        e2e::DeleteSettingsTree();
    }

    // Opens the settings window through the tray menu's first item.
    HWND OpenSettings() {
        HWND menu = program.OpenTrayMenu();
        if (menu == nullptr) return nullptr;
        program.PickMenuItem(menu, e2e::kMenuSettings);
        e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; });
        return ::IsWindowVisible(program.MainWindow()) ? program.MainWindow() : nullptr;
    }

    Program program;
};

TEST_F(ControllerTest, SecondStartEndsAtOnceAndLeavesTheFirstAlone) {
    const int icons = e2e::TrayIconCount();
    Program second;
    EXPECT_FALSE(second.Start());
    EXPECT_TRUE(second.WaitForExit(5000));
    EXPECT_TRUE(program.Running());
    EXPECT_FALSE(::IsWindowVisible(program.MainWindow()));
    EXPECT_EQ(e2e::TrayIconCount(), icons);
    EXPECT_EQ(program.CurrentMonitor(), 1);
}

TEST_F(ControllerTest, TrayMenuOpensTheSettingsWindowOnDisplayOne) {
    HWND main = OpenSettings();
    ASSERT_NE(main, nullptr);
    const std::vector<std::wstring> tabs =
        e2e::TabTexts(program.ProcessHandle(), ::GetDlgItem(main, 1000));
    const std::vector<std::wstring> expected = {L"Auto Tonalis", L"Color Adjustment",
                                                L"Multi-Monitor Match", L"Sound"};
    EXPECT_EQ(tabs, expected);
    EXPECT_EQ(program.CurrentMonitor(), 1) << "the monitor of display 1 is current";

    // While the settings window is up every tray item is grayed, "E&xit" too.
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    program.PickMenuItem(menu, e2e::kMenuExit);
    ::Sleep(500);
    EXPECT_TRUE(program.Running());

    // A double-click only brings the window forward.
    program.DoubleClickTray();
    ::Sleep(300);
    EXPECT_TRUE(::IsWindowVisible(main));

    ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(1046, BN_CLICKED), 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindowVisible(main); }));

    // Esc and the window's close box only hide the settings; the program stays.
    ASSERT_EQ(OpenSettings(), main);
    ::SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindowVisible(main); }));
    ASSERT_EQ(OpenSettings(), main);
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindowVisible(main); }));
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_TRUE(program.Running());
}

TEST_F(ControllerTest, MovingTheSettingsWindowToDisplayTwoMakesItsMonitorCurrent) {
    if (!TwoDisplays()) GTEST_SKIP() << "needs two displays (Xorg with two outputs, not Xvfb)";
    HWND main = OpenSettings();
    ASSERT_NE(main, nullptr);
    ::SetWindowPos(main, nullptr, 1400, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return program.CurrentMonitor() == 2; }))
        << "current: " << program.CurrentMonitor();
    ::SetWindowPos(main, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return program.CurrentMonitor() == 1; }));
}

TEST_F(ControllerTest, KeepOnTopIsStoredAsNoTopmost) {
    HWND main = program.MainWindow();
    DWORD value = 99;
    EXPECT_FALSE(e2e::ReadSettingsDword("NoTopmost", &value)) << "nothing stored at first";
    EXPECT_NE(::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ::SendMessageA(main, WM_SYSCOMMAND, 0x20, 0);
    ASSERT_TRUE(e2e::ReadSettingsDword("NoTopmost", &value));
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    ::SendMessageA(main, WM_SYSCOMMAND, 0x20, 0);
    ASSERT_TRUE(e2e::ReadSettingsDword("NoTopmost", &value));
    EXPECT_EQ(value, 0u);
    EXPECT_NE(::GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(ControllerTest, MonitorListShowsOneLinePerMonitor) {
    HWND list = program.OpenMonitorList();
    ASSERT_NE(list, nullptr);
    wchar_t caption[64] = {};
    ::GetWindowTextW(list, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Monitor Connection List");
    const std::vector<std::wstring> lines = e2e::ListBoxLines(::GetDlgItem(list, 1153));
    std::vector<std::wstring> expected = {L"1)    Monitor1     /  TQ6600W    /  26114073"};
    if (TwoDisplays()) expected.push_back(L"2)    Monitor2-1   /  TQ3300W    /  81200512");
    EXPECT_EQ(lines, expected);

    // While the list is open the tray holds back: "E&xit" is grayed.
    HWND trayMenu = program.OpenTrayMenu();
    ASSERT_NE(trayMenu, nullptr);
    program.PickMenuItem(trayMenu, e2e::kMenuExit);
    ::Sleep(300);
    EXPECT_TRUE(program.Running());

    ::SendMessageA(list, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindow(list); }));
}

TEST_F(ControllerTest, OutputOffAndOnRebuildsAndKeepsTheCurrentMonitor) {
    if (!TwoDisplays()) GTEST_SKIP() << "needs two displays (Xorg with two outputs, not Xvfb)";
    HWND main = OpenSettings();
    ASSERT_NE(main, nullptr);
    ::SetWindowPos(main, nullptr, 1400, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil(3000, [&] { return program.CurrentMonitor() == 2; }));

    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --off"));
    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --mode 1024x768 --pos 1280x0"));
    // The settle second passes, the window hides and the records are rebuilt.
    EXPECT_TRUE(e2e::WaitUntil(15000, [&] { return !::IsWindowVisible(main); }));
    const DWORD hiddenAfter = ::GetTickCount() - start;
    EXPECT_GE(hiddenAfter, 900u);
    ::Sleep(2000);
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.CurrentMonitor(), 2) << "the display-2 monitor stays current";
}

class NoMakerMonitorTest : public ControllerTest {
protected:
    void SetUp() override { StartWith("no-maker-desk.json"); }
};

TEST_F(NoMakerMonitorTest, OnlyExitIsOfferedAndDoubleClickDoesNothing) {
    EXPECT_EQ(program.CurrentMonitor(), 0);
    program.DoubleClickTray();
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(program.MainWindow()));

    // The one-item menu: its first item is "E&xit".
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    RECT rect{};
    ::GetWindowRect(menu, &rect);
    program.PickMenuItem(menu, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}

TEST_F(ControllerTest, ExitEndsTheProcessAndRemovesTheIcon) {
    const int icons = e2e::TrayIconCount();
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    program.PickMenuItem(menu, e2e::kMenuExit);
    EXPECT_TRUE(program.WaitForExit(10000));
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return e2e::TrayIconCount() == icons - 1; }))
        << "icons before " << icons << ", now " << e2e::TrayIconCount();
}

TEST_F(ControllerTest, UserInterfaceLanguagePicksTheStrings) {
    const LANGID ui = ::GetUserDefaultUILanguage();
    const bool japanese = PRIMARYLANGID(ui) == LANG_JAPANESE;
    const LANGID language = japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                     : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

    HWND list = program.OpenMonitorList();
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> lines = e2e::ListBoxLines(::GetDlgItem(list, 1153));
    ASSERT_FALSE(lines.empty());
    const std::wstring monitorWord = e2e::ResourceString(116, language);
    EXPECT_EQ(lines[0].rfind(L"1)    " + monitorWord + L"1", 0), 0u) << "line: " << lines[0].size();
    ::SendMessageA(list, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindow(list); }));

    HWND main = OpenSettings();
    ASSERT_NE(main, nullptr);
    const std::vector<std::wstring> tabs =
        e2e::TabTexts(program.ProcessHandle(), ::GetDlgItem(main, 1000));
    const std::vector<std::wstring> expected = {
        e2e::ResourceString(102, language), e2e::ResourceString(103, language),
        e2e::ResourceString(247, language), e2e::ResourceString(149, language)};
    EXPECT_EQ(tabs, expected);
    if (japanese) {
        EXPECT_NE(monitorWord, L"Monitor");
        ASSERT_EQ(tabs.size(), 4u);
        EXPECT_NE(tabs[1], L"Color Adjustment");
    }
}

}  // namespace
