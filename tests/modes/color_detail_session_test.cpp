// The colour detail dialog's work on a simulated monitor: the adjustment
// handshake, every slider move with what the monitor answers, "&Reset", OK,
// Cancel and the close request, each as the exact traffic the monitor saw.
#include <gtest/gtest.h>

#include <cstdio>

#include "../monitor/maker_desk_fixture.h"
#include "modes/color_detail_session.h"
#include "monitor/status_build.h"

namespace {

using rec_testing::Display;
using rec_testing::MakerMonitor;
using Lines = std::vector<std::string>;

// One line per command, a paged register with its page: "set 30:E3=6".
Lines PagedTraffic(const sim::Desk& desk, int monitor) {
    Lines lines;
    for (const sim::Transaction& t : desk.Log()) {
        if (t.monitor != monitor) continue;
        char code[16];
        if (t.code >= 0xE2 && t.page != 0)
            std::snprintf(code, sizeof code, "%02X:%02X", t.page, t.code);
        else
            std::snprintf(code, sizeof code, "%02X", t.code);
        char line[48];
        if (t.kind == sim::TransactionKind::Get)
            std::snprintf(line, sizeof line, "get %s", code);
        else if (t.kind == sim::TransactionKind::Set)
            std::snprintf(line, sizeof line, "set %s=%X", code, t.value);
        else
            continue;
        lines.push_back(line);
    }
    return lines;
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Lines kClaim = {"get E0", "set E0=1234"};
const Lines kReady = {"set E1=20", "get 20:E2", "set E1=20", "get 20:E6"};
const Lines kRelease = {"set E0=0"};
const Lines kGains = {"get 16", "get 18", "get 1A"};
// ReadColorState: mode and preset on page 0x30, the levels, gamma, contrast, the
// preset range and the four-value set.
const Lines kReadState = {"set E1=30", "get 30:E2", "get 30:E3", "get 10",    "get 16",
                          "get 18",    "get 1A",    "set E1=30", "get 30:E4", "get 12",
                          "set E1=30", "get 30:E5", "set E1=E0", "get E0:E4", "get E0:E5",
                          "get E0:E6", "get E0:E7"};
const Lines kLoad = Concat({kClaim, kReady, {"set E1=E0", "set E0:E3=1"}, kReadState, kRelease});

class DetailSessionTest : public rec_testing::MakerDeskTest {
protected:
    // Mode 3 adjusts everything; presets 0, 6 and 15 (the user preset) are
    // offered, gamma steps 2 to 4. The monitor stands on fixed preset 6, so its
    // indicator reads 0 and the user preset is held back.
    static sim::MonitorConfig Monitor(const std::string& serial) {
        sim::ModeRecordDescription description;
        description.modes = {0, 3, 17};
        description.presetMask = (1u << 0) | (1u << 6) | (1u << 15);
        description.gammaMask = 0x1C;
        description.quad = 0x01;
        description.modeFlags = {{3, 0x804F}, {17, 0x8001}};
        std::vector<std::uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(sim::EncodeModeRecord(description, &bytes, &error)) << error;
        sim::MonitorConfig monitor = MakerMonitor(serial, "TQ6600W", bytes);
        monitor.capabilities =
            "(prot(monitor)type(lcd)vcp(02 08 10 12 16 18 1A 62 E0 E1)mswhql(1)mccs_ver(2.1))";
        monitor.extendedCapabilities += "F0(E2(04) E3(00 0A))";
        monitor.registers[{0xF0, 0xE2}] = {0, 255};
        monitor.registers[{0xF0, 0xE3}] = {10, 255};
        monitor.registers[{0x30, 0xE2}] = {3, 47};
        monitor.registers[{0x30, 0xE4}] = {3, 8};
        monitor.registers[{0x30, 0xE5}] = {0, 1, true};
        return monitor;
    }
    void Open(int monitors = 1) {
        std::vector<sim::DisplayConfig> displays = {Display(1, 0, {Monitor("26114073")})};
        if (monitors > 1) displays.push_back(Display(2, 1280, {Monitor("26114074")}));
        Start(displays);
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), monitors);
        all.SelectFirstMonitor();
        session = std::make_unique<CColorDetailSession>(*list, *all.Current(), color);
        desk->ClearLog();
    }
    void OpenAndLoad() {
        Open();
        ASSERT_TRUE(session->Load());
        desk->ClearLog();
    }
    Lines Traffic(int monitor = 0) const { return PagedTraffic(*desk, monitor); }
    std::uint16_t Register(std::uint16_t page, std::uint8_t code, int monitor = 0) const {
        std::uint16_t value = 0;
        EXPECT_TRUE(desk->ReadRegister(monitor, {page, code}, &value));
        return value;
    }
    const DetailSliderView& View(DetailSlider slider) const { return session->View(slider); }

    CMonitorColor color;
    std::unique_ptr<CColorDetailSession> session;
};

TEST_F(DetailSessionTest, LoadStartsTheAdjustmentAndShowsWhatTheMonitorHolds) {
    Open();
    EXPECT_FALSE(session->Move(DetailSlider::Brightness, 80)) << "nothing moves before the load";
    ASSERT_TRUE(session->Load());
    EXPECT_EQ(Traffic(), kLoad);
    EXPECT_EQ(Register(0xE0, 0xE3), 1);
    EXPECT_TRUE(session->Loaded());

    // Presets 0 and 6 only: the indicator reads 0, so the user preset is held back.
    EXPECT_EQ(View(DetailSlider::Temperature), (DetailSliderView{true, 0, 1, 1, 1, "6500K"}));
    EXPECT_EQ(View(DetailSlider::Brightness), (DetailSliderView{true, 0, 100, 60, 40, "60"}));
    EXPECT_EQ(View(DetailSlider::Contrast), (DetailSliderView{true, 0, 100, 50, 20, "50"}));
    EXPECT_EQ(View(DetailSlider::Gamma), (DetailSliderView{true, 2, 4, 3, 1, "2.0"}));
    EXPECT_EQ(View(DetailSlider::Red), (DetailSliderView{true, 0, 255, 236, 51, "92"}));
    EXPECT_TRUE(session->ResetEnabled());
    EXPECT_TRUE(session->TakeColorBarChange());
    EXPECT_FALSE(session->TakeColorBarChange());
    EXPECT_FALSE(session->UserPresetInUse());
    EXPECT_EQ(session->Backup().m_nBrightness, 60);
}

TEST_F(DetailSessionTest, AMonitorThatDoesNotAllowAdjustmentEndsItUntouched) {
    Open();
    ASSERT_TRUE(desk->SetRegister(0, {0x20, 0xE6}, 1));
    EXPECT_FALSE(session->Load());
    EXPECT_EQ(Traffic(), Concat({kClaim, kReady, kRelease}));
    EXPECT_FALSE(session->Loaded());
    desk->ClearLog();
    EXPECT_FALSE(session->Ok());
    EXPECT_FALSE(session->Cancel());
    EXPECT_TRUE(Traffic().empty()) << "OK and Cancel do nothing before a load";

    // "&Reset" on a monitor that stopped allowing adjustment ends the dialog too.
    ASSERT_TRUE(desk->SetRegister(0, {0x20, 0xE6}, 0));
    ASSERT_TRUE(session->Load());
    ASSERT_TRUE(desk->SetRegister(0, {0x20, 0xE6}, 1));
    desk->ClearLog();
    EXPECT_FALSE(session->Reset());
    EXPECT_EQ(Traffic(), Concat({kClaim, kReady, kRelease}));
}

TEST_F(DetailSessionTest, OkSaysTheAdjustmentIsDoneThenEndsIt) {
    OpenAndLoad();
    EXPECT_TRUE(session->Ok());
    EXPECT_EQ(
        Traffic(),
        Concat(
            {kClaim, kReady, {"set E1=E0", "set E0:E3=2", "set E1=F0", "set F0:E3=0"}, kRelease}));
    EXPECT_EQ(Register(0xF0, 0xE3), 0);
    desk->ClearLog();
    session->Close();
    EXPECT_EQ(Traffic(), Concat({kClaim, {"set E1=E0", "set E0:E3=0"}, kRelease}));
}

TEST_F(DetailSessionTest, CloseRequestLeavesTheAdjustingStateAndPutsNothingBack) {
    OpenAndLoad();
    ASSERT_TRUE(session->Move(DetailSlider::Brightness, 80));
    desk->ClearLog();
    // What the dialog does when the settings window closes it (1139).
    session->Close();
    EXPECT_EQ(Traffic(), Concat({kClaim, {"set E1=E0", "set E0:E3=0"}, kRelease}));
    EXPECT_EQ(Register(0, 0x10), 80);
    EXPECT_EQ(Register(0xF0, 0xE3), 10) << "the adjustment is not ended by a close request";
}

TEST_F(DetailSessionTest, ResetBringsTheFactoryColoursAndKeepsTheOpeningValuesForCancel) {
    Open();
    ASSERT_TRUE(desk->SetRegister(0, {0, 0x16}, 100));
    ASSERT_TRUE(session->Load());
    desk->ClearLog();
    EXPECT_TRUE(session->Reset());
    EXPECT_EQ(
        Traffic(),
        Concat({kClaim, kReady, {"set 08=1", "set E1=E0", "set E0:E3=1"}, kReadState, kRelease}));
    EXPECT_EQ(View(DetailSlider::Red).position, 236) << "the factory gain";
    EXPECT_EQ(color.m_nRedGain, 236);
    EXPECT_EQ(session->Backup().m_nRedGain, 100) << "the backup is not renewed";
}

TEST_F(DetailSessionTest, TemperatureMoveWritesThePresetAndReadsTheGainsAgain) {
    OpenAndLoad();
    ASSERT_TRUE(desk->SetRegister(0, {0, 0x18}, 128));  // what the monitor makes of the preset
    EXPECT_TRUE(session->Move(DetailSlider::Temperature, 0));
    EXPECT_EQ(Traffic(), Concat({kClaim, {"set E1=30", "set 30:E3=0"}, kGains, kRelease}));
    EXPECT_EQ(View(DetailSlider::Temperature).position, 0);
    EXPECT_EQ(View(DetailSlider::Temperature).text, "Native");
    EXPECT_EQ(View(DetailSlider::Green).position, 128);
    EXPECT_EQ(View(DetailSlider::Green).text, "50");
    EXPECT_EQ(Register(0x30, 0xE3), 0);

    // The same position again is no move at all.
    desk->ClearLog();
    EXPECT_TRUE(session->Move(DetailSlider::Temperature, 0));
    EXPECT_TRUE(Traffic().empty());
    // A position past the offered presets goes back.
    EXPECT_FALSE(session->Move(DetailSlider::Temperature, 5));
    EXPECT_TRUE(Traffic().empty());
    EXPECT_EQ(View(DetailSlider::Temperature).position, 0);
}

TEST_F(DetailSessionTest, GainMoveFollowsTheMonitorToItsUserPresetOnce) {
    OpenAndLoad();
    EXPECT_TRUE(session->Move(DetailSlider::Red, 200));
    // The monitor left fixed preset 6 for its user preset 15 and says so in 0xE5.
    EXPECT_EQ(Traffic(),
              Concat({{"set 16=C8"}, kClaim, {"set E1=30", "get 30:E5", "get 30:E3"}, kRelease}));
    EXPECT_EQ(View(DetailSlider::Red), (DetailSliderView{true, 0, 255, 200, 51, "78"}));
    EXPECT_EQ(View(DetailSlider::Temperature).maximum, 2) << "the user preset is offered now";
    EXPECT_EQ(View(DetailSlider::Temperature).position, 2);
    EXPECT_TRUE(session->TakeColorBarChange()) << "the colour bar shows the user preset";
    EXPECT_TRUE(session->UserPresetInUse());

    // Once seen, the indicator is not asked again.
    desk->ClearLog();
    EXPECT_TRUE(session->Move(DetailSlider::Blue, 128));
    EXPECT_EQ(Traffic(), Concat({{"set 1A=80"}, kClaim, {"set E1=30", "get 30:E3"}, kRelease}));
    EXPECT_FALSE(session->TakeColorBarChange());
}

TEST_F(DetailSessionTest, EveryLoadAsksForTheUserPresetAgain) {
    OpenAndLoad();
    ASSERT_TRUE(session->Move(DetailSlider::Red, 200));
    // "&Reset" puts the monitor back on preset 6 with the indicator at 0.
    ASSERT_TRUE(session->Reset());
    EXPECT_EQ(View(DetailSlider::Temperature).maximum, 1);
    desk->ClearLog();
    EXPECT_TRUE(session->Move(DetailSlider::Red, 190));
    EXPECT_EQ(Traffic(),
              Concat({{"set 16=BE"}, kClaim, {"set E1=30", "get 30:E5", "get 30:E3"}, kRelease}));
    EXPECT_EQ(View(DetailSlider::Temperature).maximum, 2);
    EXPECT_EQ(View(DetailSlider::Temperature).position, 2);
}

TEST_F(DetailSessionTest, GammaIsClampedToTheOfferedStepsAndTheGainsReadAgain) {
    OpenAndLoad();
    EXPECT_TRUE(session->Move(DetailSlider::Gamma, 8));
    EXPECT_EQ(Traffic(), Concat({kClaim, {"set E1=30", "set 30:E4=4"}, kGains, kRelease}));
    EXPECT_EQ(View(DetailSlider::Gamma), (DetailSliderView{true, 2, 4, 4, 1, "2.2"}));
    EXPECT_EQ(Register(0x30, 0xE4), 4);
    // Clamped onto the step the monitor holds already: nothing to write.
    desk->ClearLog();
    EXPECT_TRUE(session->Move(DetailSlider::Gamma, 7));
    EXPECT_TRUE(Traffic().empty());
    EXPECT_EQ(View(DetailSlider::Gamma).position, 4);
}

TEST_F(DetailSessionTest, AFailedWritePutsTheSliderBack) {
    OpenAndLoad();
    // The monitor refuses a brightness above its maximum.
    EXPECT_FALSE(session->Move(DetailSlider::Brightness, 150));
    EXPECT_EQ(Traffic(), (Lines{"set 10=96"}));
    EXPECT_EQ(View(DetailSlider::Brightness).position, 60);
    EXPECT_EQ(View(DetailSlider::Brightness).text, "60");
    EXPECT_EQ(color.m_nBrightness, 60);

    desk->ClearLog();
    desk->FailNext(0, 1);
    EXPECT_FALSE(session->Move(DetailSlider::Red, 128));
    EXPECT_EQ(Traffic(), (Lines{"set 16=80"})) << "no preset follow-up after a failed gain write";
    EXPECT_EQ(View(DetailSlider::Red).position, 236);
    EXPECT_EQ(Register(0, 0x16), 236);

    // Another program holds the monitor: the paged write cannot go out.
    ASSERT_TRUE(desk->SetRegister(0, {0, 0xE0}, 0x0777));
    desk->ClearLog();
    EXPECT_FALSE(session->Move(DetailSlider::Gamma, 2));
    EXPECT_EQ(Traffic(), (Lines(5, "get E0")));
    EXPECT_EQ(View(DetailSlider::Gamma).position, 3);
    EXPECT_EQ(View(DetailSlider::Gamma).text, "2.0");
    EXPECT_EQ(Register(0x30, 0xE4), 3);
    EXPECT_EQ(color.m_nGamma, 3);
    ASSERT_TRUE(desk->SetRegister(0, {0, 0xE0}, 0));
}

TEST_F(DetailSessionTest, CancelPutsTheOpeningValuesBackButNotTheGainsOfAFixedPreset) {
    OpenAndLoad();
    ASSERT_TRUE(session->Move(DetailSlider::Brightness, 80));
    ASSERT_TRUE(session->Move(DetailSlider::Red, 200));
    desk->ClearLog();
    EXPECT_TRUE(session->Cancel());
    EXPECT_EQ(Traffic(),
              Concat({kClaim,
                      kReady,
                      {"set E1=30", "set 30:E2=3", "set 30:E3=6", "set 10=3C", "set 30:E4=3",
                       "set E1=E0", "set E0:E4=32", "set E0:E5=33", "set E0:E6=34", "set E0:E7=35",
                       "set E0:E8=1", "set 12=32", "set E1=F0", "set F0:E3=0"},
                      kRelease}));
    EXPECT_EQ(Register(0, 0x10), 60);
    EXPECT_EQ(Register(0, 0x16), 200) << "preset 6 fixes the gains; they are left";
    EXPECT_EQ(color.m_nBrightness, 60) << "the page's snapshot holds the opening values again";
}

TEST_F(DetailSessionTest, TheDialogStaysWithTheMonitorItOpenedOn) {
    Open(2);
    ASSERT_TRUE(session->Load());
    all.SelectMonitor(1);
    desk->ClearLog();
    EXPECT_TRUE(session->Move(DetailSlider::Brightness, 43));
    EXPECT_TRUE(session->Cancel());
    session->Close();
    EXPECT_TRUE(Traffic(1).empty()) << "the other monitor hears nothing";
    EXPECT_EQ(Register(0, 0x10, 0), 60);
    EXPECT_EQ(Register(0xE0, 0xE3, 0), 0);
    EXPECT_EQ(Register(0, 0x10, 1), 60);
}

}  // namespace
