// The match wizard's own limits, end to end: "&Adjust..." needs two monitors it
// can match, DICOM mode cannot be matched, and a change of the displays ends the
// wizard without putting anything back.
#include "match_fixture.h"

namespace {

using namespace match_e2e;

constexpr int kIdMode = 1009;
constexpr LRESULT kDicom = 8;

std::string ReplacedFirst(std::string text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

std::string ReplacedAll(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

int EntryWithData(HWND combo, LRESULT data) {
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) return i;
    return -1;
}

void ChooseEntry(HWND dialog, int comboId, int index) {
    HWND combo = ::GetDlgItem(dialog, comboId);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

class MatchWizardTest : public MatchTest {};

TEST_F(MatchWizardTest, WithOneMonitorItCanMatchAdjustStaysDisabled) {
    // The TQ3300W and the TQ2200W become a model the wizard does not know.
    std::string oneCandidate =
        ReplacedAll(ReplacedAll(desk, "TQ3300W", "TQ8800X"), "TQ2200W", "TQ8800X");
    StartWith(oneCandidate);
    HWND main = program.MainWindow();
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    program.PickMenuItem(menu, e2e::kMenuSettings);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(main) != FALSE; }));
    SelectTab(main, kTabMatch);
    HWND page = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return (page = FindStepWith(kIdAdjust)) != nullptr; }));
    // The page decides when it is shown; give it the time a monitor read would take.
    ::Sleep(500);
    EXPECT_FALSE(ItemEnabled(page, kIdAdjust)) << "one candidate among four monitors";
}

TEST_F(MatchWizardTest, DicomModeDisablesNextAndAnotherModeEnablesItAgain) {
    // The master offers DICOM mode as well.
    std::string withDicom =
        ReplacedFirst(desk, "E2(00 01 02 03 04 11 16 1F 22)", "E2(00 01 02 03 04 08 11 16 1F 22)");
    withDicom = ReplacedFirst(withDicom, "\"modes\": [0, 1, 2, 3, 4, 17, 22, 31, 34]",
                              "\"modes\": [0, 1, 2, 3, 4, 8, 17, 22, 31, 34]");
    ASSERT_NE(withDicom, desk);
    StartWith(withDicom);
    const int modeBefore = Register(kTq6600, "30:E2");
    OpenWizard();
    HWND modes = ::GetDlgItem(step, kIdMode);
    const int dicom = EntryWithData(modes, kDicom);
    ASSERT_GE(dicom, 0) << "the master's modes include DICOM";
    ASSERT_TRUE(ItemEnabled(step, kIdStep1Next));

    ChooseEntry(step, kIdMode, dicom);
    EXPECT_TRUE(e2e::WaitUntil(8000, [&] { return Register(kTq6600, "30:E2") == kDicom; }))
        << "the master shows the chosen mode";
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !ItemEnabled(step, kIdStep1Next); }))
        << "DICOM cannot be matched";
    EXPECT_TRUE(ItemEnabled(step, kIdStep1Cancel));

    ChooseEntry(step, kIdMode, EntryWithData(modes, 1));
    EXPECT_TRUE(e2e::WaitUntil(8000, [&] { return Register(kTq6600, "30:E2") == 1; }));
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return ItemEnabled(step, kIdStep1Next); }));

    Click(step, kIdStep1Cancel);
    ASSERT_TRUE(WizardClosed());
    EXPECT_EQ(Register(kTq6600, "30:E2"), modeBefore) << "Cancel puts the master's mode back";
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, ADisplayChangeEndsTheWizardWithoutPuttingAnythingBack) {
    if (Env("VISTREL_XSERVER") != "xorg" || e2e::DisplayCount() < 2)
        GTEST_SKIP() << "needs the Xorg test server with two outputs";
    StartWith(desk);
    OpenWizard();
    NextToStep2();
    const int presetBefore = Register(kTq6600, "30:E3");
    MoveSlider(step, kIdTemperature, presetBefore == 12 ? 11 : 12);
    int moved = -1;
    ASSERT_TRUE(e2e::WaitUntil(8000, [&] {
        moved = Register(kTq6600, "30:E3");
        return moved != presetBefore;
    }));

    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --off"));
    EXPECT_TRUE(WizardClosed()) << "the wizard ends with the display change";
    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --mode 1024x768 --pos 1280x0"));
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(Register(kTq6600, "30:E3"), moved) << "nothing is put back";
    EXPECT_EQ(MessageBox(), nullptr) << "no failure is reported";
    ExpectNothingClaimed();
}

}  // namespace
