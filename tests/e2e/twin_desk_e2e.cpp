// The colour and sound pages on the twin-model desk: two monitors of one model
// whose brightness ranges differ (100 and 200), a picture mode without the
// factory colour reset, and a monitor whose sound is only its reset.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings_driver.h"

namespace {

using e2e::Program;

constexpr int kFirst = 0;   // display 1, brightness 0-100, Picture mode without the colour reset
constexpr int kSecond = 1;  // display 2, brightness 0-200, sound reset only
constexpr int kBrightness = 0x10;

// Colour page and its detail dialog.
constexpr int kIdMonitors = 1008;
constexpr int kIdModes = 1010;
constexpr int kIdDetail = 1047;
constexpr int kIdDataName = 1044;
constexpr int kIdRegisterData = 1045;
constexpr int kIdRestoreData = 1048;
constexpr int kIdTemperatureSlider = 1039;
constexpr int kIdColorReset = 1080;
// Sound page.
constexpr int kIdVolume = 1133;
constexpr int kIdVolumeText = 1134;
constexpr int kIdSoundReset = 1080;

constexpr LPARAM kPicture = 1;
constexpr LPARAM kGame = 17;

class TwinDeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "twin-model-desk.json"));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
        ASSERT_NE(e2e::OpenSettings(program), nullptr);
    }
    void TearDown() override {
        program.ExitFromTray(true);
        EXPECT_EQ(e2e::SimRegister(kFirst, 0, 0xE0), 0) << "monitor 1 is left claimed";
        EXPECT_EQ(e2e::SimRegister(kSecond, 0, 0xE0), 0) << "monitor 2 is left claimed";
        e2e::DeleteSettingsTree();
    }
    HWND PageWith(int tab, int controlId) {
        if (!e2e::SelectTab(program, tab)) return nullptr;
        HWND page = e2e::FindPage(program, controlId);
        return page != nullptr &&
                       e2e::WaitUntil(3000, [&] { return ::IsWindowVisible(page) != FALSE; })
                   ? page
                   : nullptr;
    }
    // Makes the monitor of display `display` (1 or 2) current through the page's list.
    bool ChooseMonitor(HWND page, int display) {
        e2e::Choose(page, kIdMonitors, display - 1);
        return e2e::WaitUntil(5000, [&] { return program.CurrentMonitor() == display; });
    }
    // Opens the colour detail dialog, once the page's own monitor work is done (the
    // monitor released), and waits until it has loaded the monitor.
    HWND OpenDetail(HWND page) {
        if (!e2e::WaitForRegister(kFirst, 0, 0xE0, 0)) return nullptr;
        e2e::Press(page, kIdDetail);
        HWND dialog = nullptr;
        // Loading ends by putting the focus on OK, after every control was set.
        e2e::WaitUntil(8000, [&] {
            dialog = program.FindOwnDialogWith(kIdTemperatureSlider);
            return dialog != nullptr && e2e::FocusOf(program) == ::GetDlgItem(dialog, IDOK);
        });
        return dialog;
    }
    static LPARAM SelectedMode(HWND page) {
        HWND list = ::GetDlgItem(page, kIdModes);
        const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
        return index < 0 ? -1 : ::SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    }

    Program program;
};

TEST_F(TwinDeskTest, ASetRestoredOnTheSameModelIsRescaledToItsBrightnessRange) {
    HWND page = PageWith(e2e::kTabColor, kIdDetail);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(e2e::SetSimRegister(kFirst, 0, kBrightness, 50));  // half of 100
    HWND box = ::GetDlgItem(page, kIdDataName);
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Half"));
    e2e::Press(page, kIdRegisterData);
    ASSERT_TRUE(e2e::WaitUntil(8000, [&] { return e2e::FindEntry(box, L"Half") >= 0; }));

    ASSERT_TRUE(ChooseMonitor(page, 2));
    ASSERT_EQ(e2e::SimRegister(kSecond, 0, kBrightness), 120);
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Half"));
    // What the sound page leaves there, so that the restore's 0 shows.
    ASSERT_TRUE(e2e::SetSimRegister(kSecond, 0xF0, 0xE3, 10));
    e2e::Press(page, kIdRestoreData);
    EXPECT_TRUE(e2e::WaitForRegister(kSecond, 0, kBrightness, 100)) << "half of 200";
    EXPECT_TRUE(e2e::WaitForRegister(kSecond, 0xF0, 0xE3, 0)) << "the adjustment is ended";
    EXPECT_EQ(e2e::SimRegister(kFirst, 0, kBrightness), 50) << "the first monitor is left alone";
    EXPECT_EQ(e2e::WaitForMessageBox(program, 500), nullptr) << "the same model: no complaint";
}

TEST_F(TwinDeskTest, FactoryColourResetIsOfferedOnlyInModesThatHaveIt) {
    HWND page = PageWith(e2e::kTabColor, kIdDetail);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedMode(page) == kPicture; }));
    HWND dialog = OpenDetail(page);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, kIdColorReset)))
        << "Picture mode has no factory reset";
    e2e::Press(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));

    ASSERT_TRUE(e2e::WaitUntil(
        5000, [&] { return ::IsWindowEnabled(::GetDlgItem(page, kIdModes)) != FALSE; }));
    e2e::Choose(page, kIdModes, e2e::FindEntryWithData(::GetDlgItem(page, kIdModes), kGame));
    ASSERT_TRUE(e2e::WaitForRegister(kFirst, 0x30, 0xE2, static_cast<int>(kGame)));
    dialog = OpenDetail(page);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, kIdColorReset))) << "Game mode has it";
    e2e::Press(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
}

TEST_F(TwinDeskTest, AMonitorWithOnlyTheSoundResetOffersTheResetAndNoVolume) {
    HWND page = PageWith(e2e::kTabSound, kIdVolume);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, kIdVolume)))
        << "the first monitor has a volume";
    ASSERT_TRUE(ChooseMonitor(page, 2));
    EXPECT_TRUE(
        e2e::WaitUntil(3000, [&] { return !::IsWindowEnabled(::GetDlgItem(page, kIdVolume)); }));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, kIdVolumeText)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page, kIdSoundReset)));
    EXPECT_EQ(e2e::WindowText(::GetDlgItem(page, kIdVolumeText)), L"0")
        << "no volume read: the range starts at 0";

    e2e::Press(page, kIdSoundReset);
    EXPECT_TRUE(e2e::WaitForRegister(kSecond, 0xF0, 0xE2, 4)) << "the sound reset command";
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] {
        return ::IsWindowEnabled(::GetDlgItem(page, kIdSoundReset)) != FALSE;
    })) << "the reset stays offered";

    // Leaving the page tells it, as it has a sound function.
    ASSERT_TRUE(e2e::SelectTab(program, e2e::kTabTonalis));
    EXPECT_TRUE(e2e::WaitForRegister(kSecond, 0xF0, 0xE3, 10));
}

}  // namespace
