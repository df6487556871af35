// The sound page's monitor work against a simulated monitor: what a monitor with
// and without a speaker is asked, and the two commands.
#include <gtest/gtest.h>

#include "../monitor/maker_desk_fixture.h"
#include "modes/sound.h"
#include "monitor/status_build.h"

namespace {

using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::Traffic;
using Lines = std::vector<std::string>;

class SoundOnMonitor : public rec_testing::MakerDeskTest {
protected:
    void Open(std::uint32_t soundWord) {
        sim::ModeRecordDescription description;
        description.modes = {0, 17};
        description.presetMask = 0x7FFF;
        description.gammaMask = 0x1FF;
        description.sound = soundWord;
        std::vector<std::uint8_t> record;
        std::string error;
        ASSERT_TRUE(sim::EncodeModeRecord(description, &record, &error)) << error;
        sim::MonitorConfig monitor = MakerMonitor("26114073", "TQ6600W", record);
        monitor.extendedCapabilities += "F0(E2(04) E3(00 0A))";
        monitor.registers[{0xF0, 0xE2}] = {0, 255};
        monitor.registers[{0xF0, 0xE3}] = {0, 255};
        Start({Display(1, 0, {monitor})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 1);
        all.SelectFirstMonitor();
        ASSERT_TRUE(list->AcquireMonitor(all.m_hCurMonitor, true));
        desk->ClearLog();
    }
    const CMonitorStatus& Record() { return *all.Current(); }
};

TEST(SoundRules, ControlsFollowTheCapabilityWordAndReadiness) {
    EXPECT_EQ(SoundControls(0, true), (SoundEnabling{false, false}));
    EXPECT_EQ(SoundControls(0x80000000u, true), (SoundEnabling{false, true}));
    EXPECT_EQ(SoundControls(0x80000002u, true), (SoundEnabling{true, true}));
    EXPECT_EQ(SoundControls(0x80000002u, false), (SoundEnabling{false, false}));
}

TEST_F(SoundOnMonitor, VolumeIsReadOnlyWhenTheMonitorHasOne) {
    Open(2);
    const VolumeReading reading = ReadVolume(*list, Record());
    EXPECT_EQ(reading.current, 15u);
    EXPECT_EQ(reading.maximum, 30u);
    EXPECT_EQ(Traffic(*desk, 0), Lines{"get 62"});

    all.Clear();
    Open(0x80000000u);  // reset only
    const VolumeReading none = ReadVolume(*list, Record());
    EXPECT_EQ(none.current, 0u);
    EXPECT_EQ(none.maximum, 30u);
    EXPECT_EQ(Traffic(*desk, 0), Lines{});
}

TEST_F(SoundOnMonitor, CommandsGoToTheCommandPageAndTheResetBringsTheVolumeBack) {
    Open(2);
    ASSERT_TRUE(WriteVolume(*list, Record(), 22));
    ASSERT_TRUE(SendLeaveSound(*list, Record()));
    ASSERT_TRUE(SendSoundReset(*list, Record()));
    EXPECT_EQ(Traffic(*desk, 0),
              (Lines{"set 62=16", "set E1=F0", "set E3=A", "set E1=F0", "set E2=4"}));
    EXPECT_EQ(ReadVolume(*list, Record()).current, 15u);
    EXPECT_FALSE(WriteVolume(*list, Record(), 31)) << "above the maximum";
}

}  // namespace
