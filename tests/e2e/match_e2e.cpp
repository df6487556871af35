// The multi-monitor match wizard end to end: the real controller on the match desk
// (three monitors it can match and one it cannot), driven step by step; the
// monitors' registers are read back through simdesk.
#include "match_fixture.h"

namespace {

using namespace match_e2e;

TEST_F(MatchTest, FinishGivesEveryMonitorTheMastersPictureAndLuminance) {
    StartWith(desk);
    OpenWizard();
    Shot("step1");
    // Enter on the focused "&Next", as a keyboard user leaves step 1.
    ::PostMessageA(::GetDlgItem(step, kIdStep1Next), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(e2e::WaitUntil(20000, [&] {
        step = FindStepWith(kIdStep2Next);
        return step != nullptr && ItemEnabled(step, kIdStep2Cancel);
    })) << "Enter did not lead to step 2";
    // Preset 9 (8000K): the master offers presets 0-14, so its slider place is 9.
    MoveSlider(step, kIdTemperature, 9);
    ASSERT_TRUE(
        e2e::WaitUntil(5000, [&] { return ItemText(step, kIdTemperatureText) == L"8000K"; }));
    EXPECT_TRUE(ItemEnabled(step, kIdStep2Next));
    Shot("step2");
    NextToStep3();
    ASSERT_NE(step, nullptr);

    // What the desk's monitors estimate at preset 9 and gamma 2.2.
    double master = 0, narrow = 0;
    ASSERT_TRUE(
        LuminanceFromPrimaries({236, 255, 54.8}, {241, 255, 194.2}, {255, 255, 23.2}, 4, &master));
    ASSERT_TRUE(
        LuminanceFromPrimaries({240, 255, 39.2}, {250, 255, 158.0}, {0, 0, 19.0}, 4, &narrow));
    const double table = 226.2;
    BrightnessLimit limit;
    ASSERT_TRUE(ComputeBrightnessLimit(std::min({master, narrow, table}), master, 100, &limit));
    const std::wstring guide = ItemText(step, kIdGuide);
    EXPECT_NE(guide.find(L" " + std::to_wstring(limit.percent) + L"%"), std::wstring::npos)
        << guide;

    MoveSlider(step, kIdBrightness, static_cast<int>(limit.limit) + 1);
    EXPECT_FALSE(ItemEnabled(step, kIdFinish)) << "above the limit";
    Shot("step3-over");
    const int position = 50;
    ASSERT_LE(position, static_cast<int>(limit.limit));
    MoveSlider(step, kIdBrightness, position);
    EXPECT_TRUE(ItemEnabled(step, kIdFinish));
    EXPECT_EQ(ItemText(step, kIdBrightnessText), L"50");
    Shot("step3");
    Click(step, kIdFinish);
    ASSERT_TRUE(WizardClosed());

    double target = 0;
    std::uint32_t expected = 0;
    DeskRegisters registers = Registers();
    ASSERT_TRUE(TargetLuminance(position, master, 100, &target));
    EXPECT_EQ(registers[kTq6600]["10"], position);
    ASSERT_TRUE(TransferBrightness(target, table, 100, &expected));
    EXPECT_EQ(registers[kTq3300]["10"], static_cast<int>(expected));
    ASSERT_TRUE(TransferBrightness(target, narrow, 60, &expected));
    EXPECT_EQ(registers[kTq2200]["10"], static_cast<int>(expected));
    for (int monitor : {kTq6600, kTq3300, kTq2200}) {
        EXPECT_EQ(registers[monitor]["30:E2"], 1) << monitor;
        EXPECT_EQ(registers[monitor]["30:E3"], 9) << monitor;
    }
    EXPECT_EQ(registers[kTq8800]["30:E3"], 3) << "not a candidate";
    ExpectNothingClaimed();

    // What a user sees: every matched screen as bright as the master, give or take
    // one brightness step of the monitor.
    std::map<int, double> luminance = Luminances();
    ASSERT_EQ(luminance.count(kTq6600), 1u);
    EXPECT_LE(luminance[kTq3300], luminance[kTq6600]);
    EXPECT_GT(luminance[kTq3300], luminance[kTq6600] - table / 100);
    EXPECT_LE(luminance[kTq2200], luminance[kTq6600]);
    EXPECT_GT(luminance[kTq2200], luminance[kTq6600] - narrow / 60);
}

TEST_F(MatchTest, EscapeInStepThreeAndCancelInStepTwoRestoreEveryMonitor) {
    StartWith(desk);
    const char* const keys[] = {"10", "30:E2", "30:E3", "30:E4"};
    DeskRegisters before = Registers();

    OpenWizard();
    NextToStep2();
    MoveSlider(step, kIdTemperature, 12);
    NextToStep3();
    MoveSlider(step, kIdBrightness, 20);
    ASSERT_EQ(Register(kTq3300, "30:E2"), 1) << "step 3 put the master's mode on every monitor";
    ::PostMessageA(::GetDlgItem(step, kIdBrightness), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WizardClosed());
    DeskRegisters after = Registers();
    for (int monitor : {kTq6600, kTq3300, kTq2200})
        for (const char* key : keys)
            EXPECT_EQ(after[monitor][key], before[monitor][key]) << monitor << " " << key;
    ExpectNothingClaimed();
    // Every candidate hears that the session ended; the monitor the wizard does
    // not know hears nothing.
    if (HasTrafficLog()) {
        EXPECT_EQ(SessionEnds(), (std::map<int, int>{{kTq6600, 1}, {kTq3300, 1}, {kTq2200, 1}}));
    } else {
        std::printf("note: the simulated monitors wrote no traffic log\n");
    }

    OpenWizard();
    NextToStep2();
    MoveSlider(step, kIdTemperature, 1);
    ASSERT_EQ(Register(kTq6600, "30:E3"), 1);
    Click(step, kIdStep2Cancel);
    ASSERT_TRUE(WizardClosed());
    EXPECT_EQ(Register(kTq6600, "30:E3"), before[kTq6600]["30:E3"]);
    ExpectNothingClaimed();
}

TEST_F(MatchTest, AMonitorFailingInStepThreeShowsTheMessageWithNothingClaimed) {
    // The TQ2200W stops answering its blue gain, which only step 3 reads.
    const std::string id = "\"id\": \"TQ2200W-70033121\",";
    const std::size_t at = desk.find(id);
    ASSERT_NE(at, std::string::npos);
    desk.insert(at + id.size(), " \"faults\": {\"failReads\": [\"1A\"]},");
    StartWith(desk);
    OpenWizard();
    NextToStep2();
    NextToStep3();
    HWND box = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(20000, [&] { return (box = MessageBox()) != nullptr; }));
    wchar_t text[256] = {};
    ::SendMessageW(::GetDlgItem(box, 0xFFFF), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text),
              e2e::ResourceString(kStrCommFailed, ::GetUserDefaultUILanguage()));
    // The box is up: no monitor may still be claimed behind it.
    ExpectNothingClaimed();
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WizardClosed());
    ExpectNothingClaimed();
}

}  // namespace
