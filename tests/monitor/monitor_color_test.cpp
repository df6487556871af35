// The colour snapshot: what is read with which page selection, and which values a
// mode's capability flags let through on the way back.
#include "monitor/monitor_color.h"

#include <gtest/gtest.h>

#include "maker_desk_fixture.h"
#include "monitor/status_build.h"

namespace {

using rec_testing::Count;
using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::ModeRecord;
using rec_testing::Traffic;
using Lines = std::vector<std::string>;

class ColorState : public rec_testing::MakerDeskTest {
protected:
    // Builds the records and claims the current monitor, as the colour page does.
    void Open(sim::MonitorConfig monitor) {
        all.Clear();  // records refer to the entries the next discovery replaces
        Start({Display(1, 0, {std::move(monitor)})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 1);
        all.SelectFirstMonitor();
        ASSERT_TRUE(list->AcquireMonitor(all.m_hCurMonitor, true));
        desk->ClearLog();
    }
    // Traffic without the claim, the way the tests read it.
    Lines Commands() { return Traffic(*desk, 0); }
    std::uint16_t Register(std::uint16_t page, std::uint8_t code) {
        std::uint16_t value = 0;
        EXPECT_TRUE(desk->ReadRegister(0, {page, code}, &value));
        return value;
    }
};

TEST_F(ColorState, ReadFillsEveryValueWithItsOwnPageSelections) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17}, {}, 0x01)));
    CMonitorColor color;
    color.m_nContrast = 99;
    ASSERT_TRUE(color.ReadColorState(*list, all));

    EXPECT_EQ(color.m_nMode, 17);
    EXPECT_EQ(color.m_nModeMax, 47);
    EXPECT_EQ(color.m_bModeValid, 1);
    EXPECT_EQ(color.m_nColorTemp, 6);
    EXPECT_EQ(color.m_nOffPreset, 0);
    EXPECT_EQ(color.m_bColorTempValid, 1);
    EXPECT_EQ(color.m_nBrightness, 60);
    EXPECT_EQ(color.m_nBrightnessMax, 100);
    EXPECT_EQ(color.m_nRedGain, 236);
    EXPECT_EQ(color.m_nGreenGain, 241);
    EXPECT_EQ(color.m_nBlueGain, 255);
    EXPECT_EQ(color.m_bBlueGainValid, 1);
    EXPECT_EQ(color.m_nGamma, 4);
    EXPECT_EQ(color.m_nGammaMax, 8);
    EXPECT_EQ(color.m_nContrast, 50);
    EXPECT_EQ(color.m_nPresetRange, 1);
    EXPECT_EQ(color.m_bPresetRangeValid, 1);
    EXPECT_EQ(color.m_bQuadValid, 1);
    EXPECT_EQ(color.m_nQuad[0], 50);
    EXPECT_EQ(color.m_nQuad[3], 53);

    const Lines expected = {
        "set E1=30", "get E2", "get E3",  // mode, then preset on the same page
        "get 10", "get 16", "get 18", "get 1A", "set E1=30", "get E4",  // gamma selects
                                                                        // again
        "get 12", "set E1=30", "get E5", "set E1=E0", "get E4", "get E5", "get E6",
        "get E7",  // the four-value set
    };
    EXPECT_EQ(Commands(), expected);
}

TEST_F(ColorState, FourValueSetIsReadOnlyWhenTheMonitorAnnouncesIt) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17}, {}, 0x02)));
    CMonitorColor color;
    ASSERT_TRUE(color.ReadColorState(*list, all));
    EXPECT_EQ(color.m_bQuadValid, 0);
    EXPECT_EQ(Count(Commands(), "set E1=E0"), 0);
}

TEST_F(ColorState, PresetIsNotReadFromAnotherPageWhenTheModeReadFails) {
    sim::MonitorConfig monitor = MakerMonitor("26114073", "TQ6600W", ModeRecord({0}));
    monitor.faults.failReads.push_back({false, {0x30, 0xE2}});
    Open(monitor);
    // Leave page 0x10 selected, as the status build does.
    CMonitorColor color;
    ASSERT_TRUE(color.ReadColorState(*list, all));
    EXPECT_EQ(color.m_bModeValid, 0);
    EXPECT_EQ(color.m_nMode, -1);  // unknown, not Text mode
    EXPECT_EQ(color.m_bColorTempValid, 1);
    EXPECT_EQ(color.m_nColorTemp, 6);
    const Lines traffic = Commands();
    ASSERT_GE(traffic.size(), 8u);
    EXPECT_EQ(traffic[6], "set E1=30");
    EXPECT_EQ(traffic[7], "get E3");
}

TEST_F(ColorState, UnlistedModeLeavesTheModeUnknownAndItsWriteSendsNothingGated) {
    // Writing a snapshot whose mode was never read must not take Text mode's flags:
    // no preset, brightness, gamma or four-value set may go out.
    sim::MonitorConfig monitor = MakerMonitor("26114073", "TQ6600W", ModeRecord({0}));
    const std::string listed = "E2(00 01 03 11 16) ";
    monitor.extendedCapabilities.erase(monitor.extendedCapabilities.find(listed), listed.size());
    Open(monitor);
    CMonitorColor color;
    ASSERT_TRUE(color.ReadColorState(*list, all));
    EXPECT_EQ(color.m_bModeValid, 0);
    EXPECT_EQ(color.m_nMode, -1);
    desk->ClearLog();
    ASSERT_TRUE(color.WriteColorState(*list, all));
    EXPECT_EQ(Commands(), Lines{});
}

TEST_F(ColorState, WritesFollowTheModesFlags) {
    struct Case {
        const char* what;
        int mode;
        int colorTemp;
        int gamma;
        std::uint32_t gameFlags;
        Lines expected;
    };
    const Case cases[] = {
        {"everything a full mode allows, gains at preset 0",
         17,
         0,
         3,
         0x804F,
         {"set E1=30", "set E2=11", "set E3=0", "set 10=28", "set 16=C8", "set 18=C9", "set 1A=CA",
          "set E4=3", "set E1=E0", "set E4=61", "set E5=62", "set E6=63", "set E7=64", "set E8=1",
          "set 12=45"}},
        {"gains also at preset 15",
         17,
         15,
         3,
         0x0040,
         {"set E1=30", "set E2=11", "set 16=C8", "set 18=C9", "set 1A=CA"}},
        {"no gains at preset 5",
         17,
         5,
         3,
         0x804F,
         {"set E1=30", "set E2=11", "set E3=5", "set 10=28", "set E4=3", "set E1=E0", "set E4=61",
          "set E5=62", "set E6=63", "set E7=64", "set E8=1", "set 12=45"}},
        {"gamma 255 is never written", 17, 5, 255, 0x0008, {"set E1=30", "set E2=11"}},
        {"brightness only",
         17,
         5,
         3,
         0x0001,
         {"set E1=30", "set E2=11", "set 10=28", "set E1=E0", "set E4=61", "set E5=62", "set E6=63",
          "set E7=64", "set E8=1"}},
    };
    for (const Case& c : cases) {
        Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17}, {{17, c.gameFlags}})));
        CMonitorColor color;
        color.m_nMode = c.mode;
        color.m_bModeValid = 1;
        color.m_nColorTemp = c.colorTemp;
        color.m_bColorTempValid = 1;
        color.m_nBrightness = 40;
        color.m_bBrightnessValid = 1;
        color.m_nRedGain = 200;
        color.m_nGreenGain = 201;
        color.m_nBlueGain = 202;
        color.m_bRedGainValid = color.m_bGreenGainValid = color.m_bBlueGainValid = 1;
        color.m_nGamma = c.gamma;
        color.m_bGammaValid = 1;
        color.m_nQuad[0] = 0x61;
        color.m_nQuad[1] = 0x62;
        color.m_nQuad[2] = 0x63;
        color.m_nQuad[3] = 0x64;
        color.m_bQuadValid = 1;
        color.m_nContrast = 0x45;
        color.m_bContrastValid = 1;
        ASSERT_TRUE(color.WriteColorState(*list, all)) << c.what;
        EXPECT_EQ(Commands(), c.expected) << c.what;
    }
}

TEST_F(ColorState, ValuesWithoutTheirValidFlagAreNotWritten) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17}, {{17, 0x804F}})));
    CMonitorColor color;
    color.m_nMode = 17;
    color.m_nColorTemp = 0;
    color.m_nBrightness = 40;
    color.m_nRedGain = 200;
    color.m_nGamma = 2;
    color.m_bGammaValid = 1;
    ASSERT_TRUE(color.WriteColorState(*list, all));
    // Without the mode write the page has not been selected for the gamma.
    EXPECT_EQ(Commands(), (Lines{"set E1=30", "set E4=2"}));
    EXPECT_EQ(Register(0x30, 0xE4), 2);
}

TEST_F(ColorState, EitherTheModeOrThePresetWriteSelectsThePageForTheGamma) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17}, {{17, 0x804F}})));
    CMonitorColor color;
    color.m_nMode = 17;
    color.m_nColorTemp = 5;
    color.m_bColorTempValid = 1;
    color.m_nGamma = 2;
    color.m_bGammaValid = 1;
    // No mode write: the preset's write selects page 0x30 and the gamma follows it.
    ASSERT_TRUE(color.WriteColorState(*list, all));
    EXPECT_EQ(Commands(), (Lines{"set E1=30", "set E3=5", "set E4=2"}));

    // A preset the monitor does not list is refused without traffic; the mode's
    // selection still holds.
    desk->ClearLog();
    color.m_bModeValid = 1;
    color.m_nColorTemp = 20;
    ASSERT_TRUE(color.WriteColorState(*list, all));
    EXPECT_EQ(Commands(), (Lines{"set E1=30", "set E2=11", "set E4=2"}));
}

TEST_F(ColorState, ModeOutsideTheCatalogueWritesNothingThatNeedsFlags) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 17})));
    CMonitorColor color;
    color.Reset();
    color.m_nBrightness = 40;
    color.m_bBrightnessValid = 1;
    color.m_nContrast = 40;
    color.m_bContrastValid = 1;
    ASSERT_TRUE(color.WriteColorState(*list, all));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(ColorState, NoCurrentMonitorDoesNothing) {
    Open(MakerMonitor("26114073", "TQ6600W", ModeRecord({0})));
    all.Clear();
    CMonitorColor color;
    color.m_bModeValid = 1;
    EXPECT_FALSE(color.ReadColorState(*list, all));
    EXPECT_FALSE(color.WriteColorState(*list, all));
    EXPECT_TRUE(Commands().empty());
}

TEST(MonitorColor, ResetAndCopy) {
    CMonitorColor a;
    a.m_nMode = 3;
    a.m_nQuad[2] = 7;
    a.m_bPresetRangeValid = 1;
    CMonitorColor b;
    b.CopyFrom(a);
    EXPECT_EQ(b.m_nMode, 3);
    EXPECT_EQ(b.m_nQuad[2], 7);
    EXPECT_EQ(b.m_bPresetRangeValid, 1);
    b.Reset();
    EXPECT_EQ(b.m_nMode, -1);
    EXPECT_EQ(b.m_nQuad[2], 0);
    EXPECT_EQ(b.m_bPresetRangeValid, 0);
}

TEST(MonitorColor, OffPresetIsTheFirstListedValue) {
    ExtendedFeatureMap features;
    EXPECT_EQ(OffPresetIndex(features), -1);
    ParseExtendedCapabilities("30(E3 E4)", features);
    EXPECT_EQ(OffPresetIndex(features), -1);
    features.clear();
    ParseExtendedCapabilities("30(E2(01) E3(05 00 01))", features);
    EXPECT_EQ(OffPresetIndex(features), 5);
}

}  // namespace
