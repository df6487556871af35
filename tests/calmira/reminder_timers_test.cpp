#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calmira/reminder_timers.h"

namespace {

using namespace calmira;

class RecordingTimers : public ReminderTimerPort {
public:
    void StartTimer(std::uint32_t id, std::uint32_t ms) override {
        calls.push_back("start " + std::to_string(id) + " " + std::to_string(ms));
    }
    void StopTimer(std::uint32_t id) override { calls.push_back("stop " + std::to_string(id)); }
    std::vector<std::string> Take() { return std::exchange(calls, {}); }
    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

ReminderSettings On(int hours, const std::string& serial = "26114073") {
    ReminderSettings s;
    s.on = true;
    s.hours = hours;
    s.target = {"\\\\.\\DISPLAY1", "TQ6600W", serial};
    return s;
}

TEST(ReminderTimers, StartRunsBothTimersWheneverTheReminderIsOn) {
    RecordingTimers port;
    CReminderTimers timers(port);
    timers.Start(ReminderSettings());
    EXPECT_TRUE(port.Take().empty());
    EXPECT_FALSE(timers.OnReminderTimer(false)) << "a stray timer message brings nothing";

    CReminderTimers on(port);
    on.Start(On(2));
    EXPECT_EQ(port.Take(), (Calls{"start 13 7200000", "start 16 1000"}));
    EXPECT_TRUE(on.OnReminderTimer(false));
    EXPECT_EQ(on.RunningMask(), (1u << 13) | (1u << 16));
}

TEST(ReminderTimers, DialogCloseRestartsOnlyWhatChanged) {
    RecordingTimers port;
    CReminderTimers timers(port);
    timers.Start(On(2));
    port.Take();

    timers.DialogClosed(On(2), On(2));
    EXPECT_TRUE(port.Take().empty()) << "an unchanged reminder keeps its running interval";
    timers.DialogClosed(On(2), On(3));
    EXPECT_EQ(port.Take(), (Calls{"start 13 10800000"}));
    timers.DialogClosed(On(3), On(3, "other"));
    EXPECT_EQ(port.Take(), (Calls{"start 13 10800000"}));

    timers.DialogClosed(On(3, "other"), ReminderSettings());
    EXPECT_EQ(port.Take(), (Calls{"stop 13", "stop 16"}));
    EXPECT_FALSE(timers.OnReminderTimer(false));
    timers.DialogClosed(ReminderSettings(), On(1));
    EXPECT_EQ(port.Take(), (Calls{"start 13 3600000", "start 16 1000"}));
}

TEST(ReminderTimers, ScreenSaverPausesAndAFullIntervalFollowsIt) {
    RecordingTimers port;
    CReminderTimers timers(port);
    timers.Start(On(1));
    port.Take();
    EXPECT_FALSE(timers.OnWatchTimer(true, false));
    EXPECT_EQ(port.Take(), (Calls{"stop 13"}));
    EXPECT_TRUE(timers.IsPaused());
    timers.OnWatchTimer(true, false);
    EXPECT_TRUE(port.Take().empty());
    EXPECT_FALSE(timers.OnReminderTimer(false)) << "no reminder while paused";
    timers.OnWatchTimer(false, false);
    EXPECT_EQ(port.Take(), (Calls{"start 13 3600000"}));
    EXPECT_FALSE(timers.IsPaused());
}

TEST(ReminderTimers, SuspendStopsAndResumeRestartsTheFullInterval) {
    RecordingTimers port;
    CReminderTimers timers(port);
    timers.Start(On(4));
    timers.OnWatchTimer(true, false);
    port.Take();
    timers.Suspend();
    EXPECT_TRUE(port.Take().empty()) << "already stopped by the screen saver";
    timers.Resume();
    EXPECT_EQ(port.Take(), (Calls{"start 13 14400000"}));
    EXPECT_FALSE(timers.IsPaused());
    timers.Suspend();
    EXPECT_EQ(port.Take(), (Calls{"stop 13"}));

    CReminderTimers off(port);
    off.Start(ReminderSettings());
    off.Suspend();
    off.Resume();
    EXPECT_TRUE(port.Take().empty());
}

TEST(ReminderTimers, ABusyMonitorLockPutsTheReminderOffToTheNextFreeSecond) {
    RecordingTimers port;
    CReminderTimers timers(port);
    timers.Start(On(1));
    EXPECT_FALSE(timers.OnReminderTimer(true));
    EXPECT_FALSE(timers.OnWatchTimer(false, true));
    EXPECT_TRUE(timers.OnWatchTimer(false, false));
    EXPECT_FALSE(timers.OnWatchTimer(false, false)) << "once only";
}

TEST(ReminderTimers, BalloonTimerRunsOnceAfterABalloon) {
    RecordingTimers port;
    CReminderTimers timers(port);
    EXPECT_FALSE(timers.OnBalloonTimer());
    timers.BalloonShown();
    EXPECT_EQ(port.Take(), (Calls{"start 15 10000"}));
    EXPECT_TRUE(timers.OnBalloonTimer());
    EXPECT_EQ(port.Take(), (Calls{"stop 15"}));
    EXPECT_FALSE(timers.OnBalloonTimer());
}

}  // namespace
