// The colour adjustment page, the colour detail dialog and the sound page, driven
// from outside against the simulated desk: what the user does, and what the
// monitors then hold.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "settings_driver.h"

namespace {

using e2e::Choose;
using e2e::FindEntry;
using e2e::Press;
using e2e::Program;
using e2e::SetSimRegister;
using e2e::SimRegister;
using e2e::TestName;
using e2e::WaitForRegister;
using e2e::WindowText;

constexpr int kMonitorOne = 0;  // TQ6600W on display 1
constexpr int kMonitorTwo = 1;  // TQ3300W on display 2
constexpr UINT kStrNotForMonitor = 181;

bool NoneEnabled(HWND page, std::initializer_list<int> ids) {
    for (int id : ids)
        if (::IsWindowEnabled(::GetDlgItem(page, id))) return false;
    return true;
}

// A control to look for, and the window found holding it.
struct PageSearch {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindDialogWith(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<PageSearch*>(context);
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && ::IsWindowVisible(window) &&
        ::GetDlgItem(window, search->controlId) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The colour of the bare desktop: a pixel near a display's corner that no window covers.
struct DesktopSample {
    COLORREF colour;
    bool found;
};

BOOL CALLBACK SampleBareDesktop(HMONITOR, HDC, LPRECT rect, LPARAM context) {
    auto* sample = reinterpret_cast<DesktopSample*>(context);
    const POINT corners[] = {{rect->right - 3, rect->bottom - 3},
                             {rect->right - 3, rect->top + 60},
                             {rect->left + 300, rect->bottom - 3}};
    for (const POINT& corner : corners) {
        if (::WindowFromPoint(corner) != ::GetDesktopWindow()) continue;
        HDC screen = ::GetDC(nullptr);
        sample->colour = ::GetPixel(screen, corner.x, corner.y);
        ::ReleaseDC(nullptr, screen);
        sample->found = sample->colour != CLR_INVALID;
        if (sample->found) return FALSE;
    }
    return TRUE;
}

bool BareDesktopColour(COLORREF* colour) {
    DesktopSample sample{0, false};
    ::EnumDisplayMonitors(nullptr, nullptr, SampleBareDesktop, reinterpret_cast<LPARAM>(&sample));
    *colour = sample.colour;
    return sample.found;
}

// A window that reports itself visible may still show nothing: placed off every
// display, covered, or never painted. Checks the screen itself.
::testing::AssertionResult DrawnOnADisplay(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info))
        return ::testing::AssertionFailure() << "the window lies on no display";
    RECT inside{};
    ::IntersectRect(&inside, &rect, &info.rcMonitor);
    if (!::EqualRect(&inside, &rect))
        return ::testing::AssertionFailure()
               << "the window reaches past its display: " << rect.left << "," << rect.top << "-"
               << rect.right << "," << rect.bottom;
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (::GetAncestor(::WindowFromPoint(centre), GA_ROOT) != window)
        return ::testing::AssertionFailure() << "another window covers it";
    COLORREF desktop = 0;
    if (!BareDesktopColour(&desktop))
        return ::testing::AssertionSuccess();  // nothing to compare with
    HDC screen = ::GetDC(nullptr);
    int samples = 0;
    int bare = 0;
    for (int y = rect.top + 4; y < rect.bottom - 4; y += (rect.bottom - rect.top) / 8)
        for (int x = rect.left + 4; x < rect.right - 4; x += (rect.right - rect.left) / 8) {
            ++samples;
            if (::GetPixel(screen, x, y) == desktop) ++bare;
        }
    ::ReleaseDC(nullptr, screen);
    if (bare * 2 > samples)
        return ::testing::AssertionFailure()
               << bare << " of " << samples
               << " screen samples inside the window show the bare desktop";
    return ::testing::AssertionSuccess();
}

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), "default-desk.json"));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
        HWND menu = program.OpenTrayMenu();
        ASSERT_NE(menu, nullptr);
        program.PickMenuItem(menu, e2e::kMenuSettings);
        ASSERT_TRUE(
            e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; }));
    }
    void TearDown() override {
        program.ExitFromTray(true);
        // No monitor may be left claimed by the program.
        EXPECT_EQ(SimRegister(kMonitorOne, 0, 0xE0), 0);
        EXPECT_EQ(SimRegister(kMonitorTwo, 0, 0xE0), 0);
        e2e::DeleteSettingsTree();
    }

    HWND Page(int controlId) const { return e2e::FindPage(program, controlId); }
    void SelectTab(int index) { ASSERT_TRUE(e2e::SelectTab(program, index)); }
    static void MoveSlider(HWND window, int id, int position) {
        HWND slider = ::GetDlgItem(window, id);
        ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
        ::SendMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                       reinterpret_cast<LPARAM>(slider));
    }
    // The message box the program shows now (its text is the static 65535), or null.
    HWND MessageBoxShown() const {
        HWND found = nullptr;
        e2e::WaitUntil(5000, [&] {
            PageSearch search{65535, nullptr};
            ::EnumWindows(FindDialogWith, reinterpret_cast<LPARAM>(&search));
            DWORD owner = 0;
            if (search.found != nullptr) ::GetWindowThreadProcessId(search.found, &owner);
            found = owner == program.ProcessId() ? search.found : nullptr;
            return found != nullptr;
        });
        return found;
    }
    HWND ColorPage() {
        SelectTab(1);
        HWND page = Page(1047);
        EXPECT_NE(page, nullptr);
        return page;
    }
    void RegisterSet(HWND page, const wchar_t* name) {
        HWND box = ::GetDlgItem(page, 1044);
        ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        Press(page, 1045);
        ASSERT_TRUE(e2e::WaitUntil(8000, [&] { return FindEntry(box, name) >= 0; }))
            << "the set appears in the list once stored";
    }
    HWND OpenColorDetail(HWND page) {
        Press(page, 1047);
        HWND dialog = nullptr;
        e2e::WaitUntil(8000, [&] {
            PageSearch search{1039, nullptr};
            ::EnumWindows(FindDialogWith, reinterpret_cast<LPARAM>(&search));
            dialog = search.found;
            return dialog != nullptr && ::IsWindowEnabled(::GetDlgItem(dialog, IDOK));
        });
        return dialog;
    }

    Program program;
};

TEST_F(PagesTest, ChoosingAModePutsItOnTheCurrentMonitorOnly) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND modes = ::GetDlgItem(page, 1010);
    const int game = FindEntry(modes, e2e::ResourceString(104, e2e::TestLanguage()));
    ASSERT_GE(game, 0) << "the mode list offers the monitor's modes";
    const int before = SimRegister(kMonitorTwo, 0x30, 0xE2);
    Choose(page, 1010, game);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0x30, 0xE2, 17));
    EXPECT_EQ(SimRegister(kMonitorTwo, 0x30, 0xE2), before);
    EXPECT_NE(WindowText(::GetDlgItem(page, 1203)), L"URL") << "the page shows its web link";
}

TEST_F(PagesTest, RestoringASetBringsTheSavedBrightnessBack) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    RegisterSet(page, L"Evening");
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0, 0x10, 20));
    HWND box = ::GetDlgItem(page, 1044);
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    // What the sound page leaves there, so that the restore's 0 shows.
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0xF0, 0xE3, 10));
    Press(page, 1048);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x10, 60));
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0xF0, 0xE3, 0)) << "the adjustment is ended";
}

TEST_F(PagesTest, ASetOfAnotherModelIsNotRestored) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    RegisterSet(page, L"Evening");
    Choose(page, 1008, 1);  // the monitor of display 2
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return program.CurrentMonitor() == 2; }));
    const int brightness = SimRegister(kMonitorTwo, 0, 0x10);
    const int mode = SimRegister(kMonitorTwo, 0x30, 0xE2);
    ::SendMessageW(::GetDlgItem(page, 1044), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    Press(page, 1048);
    HWND message = MessageBoxShown();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(message, 65535)),
              e2e::ResourceString(kStrNotForMonitor, e2e::TestLanguage()));
    ::PostMessageW(message, WM_COMMAND, IDOK, 0);
    ::Sleep(300);
    EXPECT_EQ(SimRegister(kMonitorTwo, 0, 0x10), brightness);
    EXPECT_EQ(SimRegister(kMonitorTwo, 0x30, 0xE2), mode);
}

TEST_F(PagesTest, DetailDialogWritesEachMoveAndCancelPutsTheOpeningValuesBack) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND dialog = OpenColorDetail(page);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return bool(DrawnOnADisplay(dialog)); }))
        << DrawnOnADisplay(dialog);
    EXPECT_NE(::IsIconic(program.MainWindow()), FALSE) << "the settings window steps aside";
    EXPECT_EQ(SimRegister(kMonitorOne, 0xE0, 0xE3), 1) << "the monitor knows it is being adjusted";
    MoveSlider(dialog, 1003, 80);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x10, 80));
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, 1005)), L"80");
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x10, 60));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0xE0, 0xE3, 0));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
        return ::IsWindowVisible(program.MainWindow()) != FALSE &&
               ::IsIconic(program.MainWindow()) == FALSE;
    })) << "the settings window comes back";
}

BOOL CALLBACK CountDetailDialogs(HWND window, LPARAM context) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && ::GetDlgItem(window, 1039) != nullptr)
        ++*reinterpret_cast<int*>(context);
    return TRUE;
}

int DetailDialogCount() {
    int count = 0;
    ::EnumWindows(CountDetailDialogs, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(PagesTest, DetailDialogDisablesTheSettingsWindowAndStaysWithItsMonitor) {
    ASSERT_TRUE(SetSimRegister(kMonitorTwo, 0, 0x10, 25));
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND dialog = OpenColorDetail(page);
    ASSERT_NE(dialog, nullptr);
    HWND main = program.MainWindow();
    EXPECT_FALSE(::IsWindowEnabled(main)) << "the settings window takes no input under the dialog";
    ASSERT_EQ(SimRegister(kMonitorOne, 0xE0, 0xE3), 1);

    // The settings window restored from the taskbar: choosing monitor 2, a second
    // "C&olor..." and "&Close" change nothing.
    ::ShowWindowAsync(main, SW_RESTORE);
    Choose(page, 1008, 1);
    Press(page, 1047);
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(1046, BN_CLICKED), 0);
    ::Sleep(1500);
    EXPECT_EQ(program.CurrentMonitor(), 1);
    EXPECT_EQ(DetailDialogCount(), 1);
    EXPECT_NE(::IsWindowVisible(main), FALSE) << "the settings stay open";

    MoveSlider(dialog, 1003, 43);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x10, 43));
    EXPECT_EQ(SimRegister(kMonitorTwo, 0, 0x10), 25);
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x10, 60))
        << "Cancel puts monitor 1's own value back";
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0xE0, 0xE3, 0))
        << "monitor 1 leaves the adjusting state";
    EXPECT_EQ(SimRegister(kMonitorTwo, 0, 0x10), 25) << "monitor 2 keeps its own brightness";
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return ::IsWindowEnabled(main) != FALSE; }))
        << "the settings window takes input again";
}

TEST_F(PagesTest, DisplayChangeEndsTheDetailDialog) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND dialog = OpenColorDetail(page);
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(dialog, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0xE0, 0xE3, 0));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
        return ::IsWindowEnabled(program.MainWindow()) != FALSE;
    })) << "the settings window takes input again";
}

TEST_F(PagesTest, AModeTheMonitorDoesNotTakeGoesBackInTheList) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND modes = ::GetDlgItem(page, 1010);
    const LRESULT before = ::SendMessageW(modes, CB_GETCURSEL, 0, 0);
    ASSERT_GE(before, 0);
    const int game = FindEntry(modes, e2e::ResourceString(104, e2e::TestLanguage()));
    ASSERT_GE(game, 0);
    ASSERT_NE(game, before);
    // This driver holds the monitor: the program cannot claim it, so the write fails.
    ASSERT_TRUE(
        SetSimRegister(kMonitorOne, 0, 0xE0, static_cast<std::uint16_t>(::GetCurrentProcessId())));
    Choose(page, 1010, game);
    EXPECT_TRUE(e2e::WaitUntil(8000, [&] {
        return ::SendMessageW(modes, CB_GETCURSEL, 0, 0) == before;
    })) << "the selection goes back to the mode the monitor holds";
    ::Sleep(500);
    EXPECT_EQ(::SendMessageW(modes, CB_GETCURSEL, 0, 0), before);
    EXPECT_EQ(SimRegister(kMonitorOne, 0x30, 0xE2), 1);
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0, 0xE0, 0));
}

TEST_F(PagesTest, SetNamesStopAt32CharactersAndDeleteAsksFirst) {
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND box = ::GetDlgItem(page, 1044);
    ::SendMessageW(box, WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(L"abcdefghijklmnopqrstuvwxyz0123456"));
    ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(1044, CBN_EDITCHANGE),
                   reinterpret_cast<LPARAM>(box));
    HWND message = MessageBoxShown();
    ASSERT_NE(message, nullptr) << "a 33rd character is refused";
    EXPECT_EQ(WindowText(::GetDlgItem(message, 65535)),
              e2e::ResourceString(246, e2e::TestLanguage()));
    ASSERT_TRUE(e2e::Answer(message, IDOK));
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return WindowText(box).empty(); }))
        << "no name was taken yet: the box is emptied";

    RegisterSet(page, L"Evening");
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    Press(page, 1046);
    message = MessageBoxShown();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(message, 65535)),
              e2e::ResourceString(195, e2e::TestLanguage()));
    ASSERT_TRUE(e2e::Answer(message, IDCANCEL));
    ::Sleep(300);
    EXPECT_GE(FindEntry(box, L"Evening"), 0) << "Cancel keeps the set";
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Evening"));
    Press(page, 1046);
    message = MessageBoxShown();
    ASSERT_NE(message, nullptr);
    ASSERT_TRUE(e2e::Answer(message, IDOK));
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return FindEntry(box, L"Evening") < 0; }))
        << "OK deletes it";
}

TEST_F(PagesTest, AMonitorThatDoesNotAllowAdjustmentRegistersNothingAndShowsNoSoundControls) {
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0x20, 0xE6, 1));
    HWND page = ColorPage();
    ASSERT_NE(page, nullptr);
    HWND box = ::GetDlgItem(page, 1044);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindowEnabled(::GetDlgItem(page, 1010)); }));
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Night"));
    Press(page, 1045);
    // The press ends by filling the list again, which empties the box.
    EXPECT_TRUE(e2e::WaitUntil(8000, [&] { return WindowText(box).empty(); }));
    EXPECT_LT(FindEntry(box, L"Night"), 0) << "nothing is stored";

    SelectTab(3);
    HWND sound = Page(1133);
    ASSERT_NE(sound, nullptr);
    // The page greys its controls one after another: wait for all three.
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
        return NoneEnabled(sound, {1133, 1134, 1080});
    })) << "volume, its value and Reset are greyed";
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0x20, 0xE6, 0));
}

TEST_F(PagesTest, AVolumeTheMonitorRefusesPutsTheTrackbarBack) {
    SelectTab(3);
    HWND page = Page(1133);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(
        e2e::WaitUntil(3000, [&] { return WindowText(::GetDlgItem(page, 1134)) == L"15"; }));
    HWND trackbar = ::GetDlgItem(page, 1133);
    // Past the monitor's maximum of 30, which it refuses.
    ::SendMessageW(trackbar, TBM_SETRANGEMAX, TRUE, 40);
    MoveSlider(page, 1133, 40);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] {
        return ::SendMessageW(trackbar, TBM_GETPOS, 0, 0) == 15;
    })) << "the trackbar goes back to the last good value";
    EXPECT_EQ(WindowText(::GetDlgItem(page, 1134)), L"15");
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x62), 15);
}

TEST_F(PagesTest, VolumeIsWrittenAndResetAndLeavingTellsOnlyMonitorsWithSound) {
    SelectTab(3);
    HWND page = Page(1133);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(
        e2e::WaitUntil(3000, [&] { return WindowText(::GetDlgItem(page, 1134)) == L"15"; }));
    MoveSlider(page, 1133, 22);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x62, 22));
    Press(page, 1080);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0, 0x62, 15));
    EXPECT_TRUE(
        e2e::WaitUntil(5000, [&] { return WindowText(::GetDlgItem(page, 1134)) == L"15"; }));

    SelectTab(0);
    EXPECT_TRUE(WaitForRegister(kMonitorOne, 0xF0, 0xE3, 10));

    // The second monitor has no sound: leaving the page tells it nothing.
    SelectTab(3);
    Choose(page, 1008, 1);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return program.CurrentMonitor() == 2; }));
    // The page reads the new monitor half a second after making it current.
    // The volume is greyed before Reset: wait for both, not the first alone.
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
        return NoneEnabled(page, {1133, 1080});
    })) << "volume and Reset are greyed for a monitor without sound";
    SelectTab(0);
    ::Sleep(500);
    EXPECT_EQ(SimRegister(kMonitorTwo, 0xF0, 0xE3), 0);
}

}  // namespace
