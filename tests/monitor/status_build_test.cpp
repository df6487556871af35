// Building the monitor records after discovery: what each record holds, which
// monitors get none, and the traffic that reading their blocks costs.
#include "monitor/status_build.h"

#include <gtest/gtest.h>

#include "maker_desk_fixture.h"

namespace {

using rec_testing::Count;
using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::ModeRecord;
using rec_testing::Traffic;
using Lines = std::vector<std::string>;

class StatusBuild : public rec_testing::MakerDeskTest {
protected:
    int Build() {
        EXPECT_TRUE(list->Discover());
        desk->ClearLog();
        return BuildMonitorStatus(*list, all);
    }
};

TEST_F(StatusBuild, RecordsFollowDiscoveryOrderAndDisplayOneIsCurrent) {
    Start({Display(2, 1280, {MakerMonitor("81200512", "TQ3300W", ModeRecord({0, 1, 17}))}),
           Display(1, 0, {MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 22}))})});
    ASSERT_EQ(Build(), 2);
    ASSERT_EQ(all.Count(), 2);

    const CMonitorStatus& second = *all.At(0);
    EXPECT_EQ(second.m_strDeviceName, "\\\\.\\DISPLAY2");
    EXPECT_EQ(second.m_nOrderKey, 20);
    EXPECT_EQ(second.m_strLabel, "2");
    EXPECT_EQ(second.m_strSerialNumber, "81200512");
    EXPECT_EQ(second.m_strModelName, "TQ3300W");
    EXPECT_EQ(second.m_strIdentity, "81200512TQ3300W");
    EXPECT_EQ(second.m_rcMonitor, (platform::Rect{1280, 0, 2560, 1024}));
    EXPECT_EQ(second.m_nRecordedMode, -1);
    EXPECT_EQ(second.m_bUsable, 1);
    EXPECT_EQ(second.m_phPhysicalMonitor, &list->GetEntry(0)->physicalHandle);
    EXPECT_EQ(second.m_ModeInfo.ModeMask(), (1ull << 0) | (1ull << 1) | (1ull << 17));
    EXPECT_FALSE(second.m_Features.empty());
    EXPECT_FALSE(second.m_ExtFeatures.empty());
    EXPECT_EQ(all.At(1)->m_strIdentity, "26114073TQ6600W");

    EXPECT_EQ(all.SelectFirstMonitor(), 2);
    EXPECT_EQ(all.m_nCurMonitor, 1);
    EXPECT_EQ(all.m_hCurMonitor, &list->GetEntry(1)->physicalHandle);

    // Claimed, page 0x10 selected once for all three blocks, released.
    const Lines traffic = Traffic(*desk, 0);
    ASSERT_GE(traffic.size(), 4u);
    EXPECT_EQ(traffic[0], "get E0");
    EXPECT_EQ(traffic[1], "set E0=1234");
    EXPECT_EQ(traffic[2], "set E1=10");
    EXPECT_EQ(traffic[3], "get E8");
    EXPECT_EQ(Count(traffic, "set E1=10"), 1);
    EXPECT_EQ(Count(traffic, "get EB"), 1);
    EXPECT_EQ(Count(traffic, "get E5"), 1);
    EXPECT_EQ(traffic.back(), "set E0=0");
    EXPECT_FALSE(lockHeld);
}

TEST_F(StatusBuild, EmptySerialNumberSkipsTheModelNameAndTheMonitor) {
    Start({Display(1, 0, {MakerMonitor("", "TQ6600W", ModeRecord({0}))}),
           Display(2, 1280, {MakerMonitor("81200512", "TQ3300W", ModeRecord({0}))})});
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(all.At(0)->m_strIdentity, "81200512TQ3300W");
    const Lines traffic = Traffic(*desk, 0);
    EXPECT_EQ(Count(traffic, "get E8"), 1);
    EXPECT_EQ(Count(traffic, "get EB"), 0);
    EXPECT_EQ(Count(traffic, "get E5"), 0);
    EXPECT_EQ(traffic.back(), "set E0=0");
}

TEST_F(StatusBuild, IdentityTexts) {
    struct Case {
        const char* serial;
        const char* model;
        bool built;
        const char* wantSerial;
        const char* wantModel;
    };
    const Case cases[] = {
        {"  26114073 ", "TQ6600W\t", true, "26114073", "TQ6600W"},
        {"26114073", "      ", true, "26114073", ""},  // spaces are text until trimmed
        {"26114073", "", false, "", ""},
        // Eighteen characters fill the whole buffer, with no terminator in it.
        {"ABCDEFGHIJKLMNOPQR", "TQ6600W", true, "ABCDEFGHIJKLMNOPQR", "TQ6600W"},
        {"ABCDEFGHIJKLMNOPQRSTU", "TQ6600W-EXTRA-LONGNAME", true, "ABCDEFGHIJKLMNOPQR",
         "TQ6600W-EXTRA-LONG"},
    };
    for (const Case& c : cases) {
        CMonitorStatusAll records;
        Start({Display(1, 0, {MakerMonitor(c.serial, c.model, ModeRecord({0}))})});
        ASSERT_TRUE(list->Discover());
        EXPECT_EQ(BuildMonitorStatus(*list, records), c.built ? 1 : 0) << c.serial;
        if (!c.built) continue;
        EXPECT_EQ(records.At(0)->m_strSerialNumber, c.wantSerial);
        EXPECT_EQ(records.At(0)->m_strModelName, c.wantModel);
        EXPECT_EQ(records.At(0)->m_strIdentity, std::string(c.wantSerial) + c.wantModel);
    }
}

TEST_F(StatusBuild, UnusableModeInformationGetsNoRecord) {
    sim::ModeRecordDescription incompatible;
    incompatible.modes = {0};
    incompatible.compatibility = 0x20;
    std::vector<std::uint8_t> incompatibleBytes;
    ASSERT_TRUE(sim::EncodeModeRecord(incompatible, &incompatibleBytes, nullptr));

    const std::vector<std::uint8_t> blocks[] = {incompatibleBytes,
                                                std::vector<std::uint8_t>(12, 0)};
    for (const auto& block : blocks) {
        CMonitorStatusAll records;
        Start({Display(1, 0, {MakerMonitor("26114073", "TQ6600W", block)})});
        ASSERT_TRUE(list->Discover());
        EXPECT_EQ(BuildMonitorStatus(*list, records), 0);
        EXPECT_EQ(Traffic(*desk, 0).back(), "set E0=0");
        EXPECT_FALSE(lockHeld);
    }
}

TEST_F(StatusBuild, UnreadableModeInformationGetsNoRecord) {
    sim::MonitorConfig monitor = MakerMonitor("26114073", "TQ6600W", ModeRecord({0}));
    monitor.faults.dropBlockRead = {1, 1, 1000};
    Start({Display(1, 0, {monitor})});
    EXPECT_EQ(Build(), 0);
    EXPECT_EQ(Traffic(*desk, 0).back(), "set E0=0");
}

TEST_F(StatusBuild, MonitorHeldByAnotherProgramIsNotRead) {
    sim::MonitorConfig monitor = MakerMonitor("26114073", "TQ6600W", ModeRecord({0}));
    monitor.registers[{0, 0xE0}] = {0x0777, 0xFFFF};  // the calibrator owns it
    Start({Display(1, 0, {monitor})});
    EXPECT_EQ(Build(), 0);
    const Lines traffic = Traffic(*desk, 0);
    EXPECT_EQ(Count(traffic, "get E0"), 5);
    EXPECT_EQ(Count(traffic, "set E1=10"), 0);
    EXPECT_EQ(Count(traffic, "set E0=0"), 0);  // never claimed, so nothing to release
}

TEST_F(StatusBuild, DuplicateOfAnExistingRecordIsDropped) {
    // Two displays reporting the same device name at different positions.
    Start({Display(1, 0, {MakerMonitor("26114073", "TQ6600W", ModeRecord({0}))}),
           Display(1, 1280, {MakerMonitor("81200512", "TQ3300W", ModeRecord({0}))})});
    ASSERT_EQ(Build(), 1);
    EXPECT_EQ(all.At(0)->m_strIdentity, "26114073TQ6600W");
    // The duplicate was still read and released like any other monitor.
    EXPECT_EQ(Traffic(*desk, 1).back(), "set E0=0");

    // A record already in the array counts too.
    EXPECT_EQ(BuildMonitorStatus(*list, all), 0);
    EXPECT_EQ(all.Count(), 1);
}

TEST_F(StatusBuild, UnusableEntriesAreNotRead) {
    sim::MonitorConfig other = MakerMonitor("1", "X", ModeRecord({0}));
    other.maker = false;
    Start({Display(1, 0, {other}),
           Display(2, 1280, {MakerMonitor("81200512", "TQ3300W", ModeRecord({0}))})});
    ASSERT_EQ(Build(), 1);
    EXPECT_TRUE(Traffic(*desk, 0).empty());
    EXPECT_EQ(all.At(0)->m_nOrderKey, 20);
}

TEST(IdentityText, StaysInsideTheBuffer) {
    const std::uint8_t full[4] = {'A', 'B', 'C', 'D'};
    EXPECT_EQ(IdentityBlockText(full, 4), "ABCD");
    EXPECT_EQ(IdentityBlockText(full, 2), "AB");
    const std::uint8_t early[4] = {'A', 0, 'C', 0};
    EXPECT_EQ(IdentityBlockText(early, 4), "A");
    EXPECT_EQ(IdentityBlockText(nullptr, 4), "");
    EXPECT_EQ(TrimText(" \t\r\nX Y \n"), "X Y");
    EXPECT_EQ(TrimText("   "), "");
}

}  // namespace
