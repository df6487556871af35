// Reading and putting a monitor's picture mode: only modes the monitor offers
// ever reach it.
#include <gtest/gtest.h>

#include "../monitor/maker_desk_fixture.h"
#include "modes/mode_lists.h"
#include "monitor/status_build.h"

namespace {

using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::ModeRecord;
using rec_testing::Traffic;
using Lines = std::vector<std::string>;

class ModeAccess : public rec_testing::MakerDeskTest {
protected:
    void SetUp() override {
        // The monitor lists modes 0, 1, 3, 0x11 and 0x16 for its mode register.
        Start({Display(1, 0, {MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 3, 17, 48}))})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 1);
        all.SelectFirstMonitor();
        ASSERT_TRUE(list->AcquireMonitor(all.m_hCurMonitor, true));
        desk->ClearLog();
    }
    const CMonitorStatus& Record() { return *all.Current(); }
};

TEST_F(ModeAccess, CurrentModeIsReadFromTheModePage) {
    DisplayMode mode = -1;
    ASSERT_TRUE(ReadCurrentMode(*list, Record(), false, &mode));
    EXPECT_EQ(mode, 17);
    ASSERT_TRUE(ReadCurrentMode(*list, Record(), true, &mode));
    EXPECT_EQ(Traffic(*desk, 0), (Lines{"set E1=30", "get E2", "get E2"}));
    const ModeList modes = ModeListForMonitor(Record());
    EXPECT_EQ(FindModeItem(modes, mode), 2);
}

TEST_F(ModeAccess, OnlyOfferedRealModesAreWritten) {
    EXPECT_TRUE(WriteDisplayMode(*list, Record(), 3, false));
    EXPECT_TRUE(WriteDisplayMode(*list, Record(), 0, true));
    for (DisplayMode refused : {1, 22, 48, 255, -1, 63})
        EXPECT_FALSE(WriteDisplayMode(*list, Record(), refused, true)) << refused;
    EXPECT_EQ(Traffic(*desk, 0), (Lines{"set E1=30", "set E2=3", "set E2=0"}));
    std::uint16_t value = 0;
    ASSERT_TRUE(desk->ReadRegister(0, {0x30, 0xE2}, &value));
    EXPECT_EQ(value, 0);
}

}  // namespace
