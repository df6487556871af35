// The reminder's short claim of its target monitor, against the simulated desk.
#include <gtest/gtest.h>

#include "calmira/reminder_check.h"
#include "monitor/status_build.h"
#include "monitor/maker_desk_fixture.h"

namespace {

using namespace calmira;
using namespace rec_testing;

class ReminderCheck : public MakerDeskTest {
protected:
    void SetUp() override {
        Start({Display(1, 0, {MakerMonitor("26114073", "TQ6600W", ModeRecord({0, 22}))}),
               Display(2, 1280, {MakerMonitor("81200512", "TQ3300W", ModeRecord({0, 1}))})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 2);
        desk->ClearLog();
    }
    std::uint16_t Owner(int monitor) {
        std::uint16_t current = 0xFFFF;
        desk->ReadRegister(monitor, {0, 0xE0}, &current);
        return current;
    }
    ReminderTarget second{"\\\\.\\DISPLAY2", "TQ3300W", "81200512"};
};

TEST_F(ReminderCheck, AReadyTargetIsClaimedAskedAndGivenBack) {
    EXPECT_TRUE(TargetAllowsReminder(*list, all, second, false));
    EXPECT_EQ(Owner(1), 0) << "no owner register is left claimed";
    EXPECT_FALSE(lockHeld);
    EXPECT_TRUE(Traffic(*desk, 0).empty()) << "only the target is touched";
    EXPECT_EQ(Count(Traffic(*desk, 1), "set E0=1234"), 1);
    EXPECT_EQ(Count(Traffic(*desk, 1), "set E0=0"), 1);
}

TEST_F(ReminderCheck, ABusyTargetGetsNoReminderButIsReleased) {
    desk->SetRegister(1, {0x20, 0xE6}, 1);
    EXPECT_FALSE(TargetAllowsReminder(*list, all, second, false));
    EXPECT_EQ(Owner(1), 0);
}

TEST_F(ReminderCheck, NoTrafficForAnAbsentTargetOrWhileTheDialogIsOpen) {
    EXPECT_FALSE(TargetAllowsReminder(*list, all, {"", "TQ3300W", "other"}, false));
    EXPECT_FALSE(TargetAllowsReminder(*list, all, second, true));
    EXPECT_TRUE(desk->Log().empty());
}

}  // namespace
