#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/monitor_set.h"

namespace {

using Strings = std::vector<std::string>;

TEST(RebuildOutcomeTest, ChangedOnlyWhenTheSameCountHoldsOtherMonitors) {
    struct Case {
        const char* name;
        Strings before;
        Strings after;
        bool changed;
    };
    const Case cases[] = {
        {"same monitors", {"S1M1", "S2M2"}, {"S1M1", "S2M2"}, false},
        {"swapped order", {"S1M1", "S2M2"}, {"S2M2", "S1M1"}, true},
        {"one replaced", {"S1M1", "S2M2"}, {"S1M1", "S9M2"}, true},
        {"one unplugged", {"S1M1", "S2M2"}, {"S1M1"}, false},
        {"first start", {}, {"S1M1"}, false},
        {"all gone", {"S1M1"}, {}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            shell::IdentitiesChanged(shell::RememberIdentities(c.before), c.before.size(), c.after),
            c.changed)
            << c.name;
    }
}

TEST(RebuildOutcomeTest, OnlyTenIdentitiesAreRemembered) {
    Strings before;
    for (int i = 0; i < 12; ++i) before.push_back("S" + std::to_string(i));
    Strings after = before;
    after[11] = "other";
    EXPECT_EQ(shell::RememberIdentities(before).size(), 10u);
    EXPECT_FALSE(shell::IdentitiesChanged(shell::RememberIdentities(before), 12, after));
    after[9] = "other";
    EXPECT_TRUE(shell::IdentitiesChanged(shell::RememberIdentities(before), 12, after));
}

TEST(SettleTest, KeepsThePreviousMonitorWhenTheSetIsUnchanged) {
    const Strings identities = {"S2M2", "S1M1"};
    shell::SettleResult kept = shell::AfterSettleRebuild(false, "S1M1", identities);
    EXPECT_EQ(kept.selectIndex, 1);
    EXPECT_FALSE(kept.closeAll);
    EXPECT_FALSE(kept.notifyModePage);

    shell::SettleResult gone = shell::AfterSettleRebuild(false, "S7M7", identities);
    EXPECT_EQ(gone.selectIndex, -1);

    shell::SettleResult none = shell::AfterSettleRebuild(false, "", {""});
    EXPECT_EQ(none.selectIndex, -1) << "no current monitor before: nothing to keep";

    shell::SettleResult changed = shell::AfterSettleRebuild(true, "S1M1", identities);
    EXPECT_EQ(changed.selectIndex, -1);
    EXPECT_TRUE(changed.closeAll);
    EXPECT_TRUE(changed.notifyModePage);
}

TEST(SettleTest, BurstOfDisplayChangesRebuildsOnceWhenNotBusy) {
    using Outcome = shell::DisplayChangeSettler::TimerOutcome;
    shell::DisplayChangeSettler settler;
    EXPECT_TRUE(settler.OnDisplayChange());
    EXPECT_FALSE(settler.OnDisplayChange()) << "the timer already runs";
    EXPECT_EQ(settler.OnSettleTimer(true), Outcome::KeepWaiting);
    EXPECT_TRUE(settler.Pending());
    EXPECT_EQ(settler.OnSettleTimer(false), Outcome::StopTimerAndRebuild);
    EXPECT_FALSE(settler.Pending());
    EXPECT_EQ(settler.OnSettleTimer(false), Outcome::StopTimer);
    EXPECT_TRUE(settler.OnDisplayChange());
}

TEST(FollowerTest, SettingsWindowMakesTheMonitorUnderItCurrent) {
    const Strings devices = {"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY1"};
    shell::CurrentMonitorFollower follower;
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\DISPLAY1", devices), 1);
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\DISPLAY1", devices), -1) << "not moved";
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\DISPLAY3", devices), -1) << "no record there";
    EXPECT_EQ(follower.LastDisplay(), "\\\\.\\DISPLAY3");
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\DISPLAY2", devices), 0);
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\display2", {"\\\\.\\DISPLAY2"}), -1)
        << "device names compare byte for byte";
    follower.Forget();
    EXPECT_EQ(follower.OnWindowDisplay("\\\\.\\DISPLAY2", devices), 0);
}

}  // namespace
