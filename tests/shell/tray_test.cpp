#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "shell/tray_icon.h"
#include "shell/tray_menu.h"
#include "support/virtual_clock.h"

namespace {

using shell::TrayMessage;

// A shell that answers from a script and records every call.
class ScriptedTray : public shell::TrayShell {
public:
    struct Call {
        TrayMessage message;
        int icon;
        bool operator==(const Call&) const = default;
    };
    bool Notify(TrayMessage message, int iconId, const std::string& tip,
                std::uint32_t* lastError) override {
        calls.push_back({message, iconId});
        tips.push_back(tip);
        if (answers.empty()) return true;
        const std::uint32_t error = answers.front();
        answers.pop_front();
        *lastError = error;
        return error == 0;
    }
    std::deque<std::uint32_t> answers;  // 0 = success, else the error of a failure
    std::vector<Call> calls;
    std::vector<std::string> tips;
};

TEST(TrayRetryTest, TimeOutWaitsAndConfirmsWithModify) {
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    tray.answers = {shell::kErrorTimeout, 5, 0};  // add times out, modify fails, add succeeds
    EXPECT_TRUE(shell::CallTrayWithRetry(tray, clock, TrayMessage::Add, 152, "tip"));
    const std::vector<ScriptedTray::Call> expected = {
        {TrayMessage::Add, 152}, {TrayMessage::Modify, 152}, {TrayMessage::Add, 152}};
    EXPECT_EQ(tray.calls, expected);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>({1000}));
}

TEST(TrayRetryTest, OtherErrorsStopAtOnce) {
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    tray.answers = {5};
    EXPECT_FALSE(shell::CallTrayWithRetry(tray, clock, TrayMessage::Add, 152, "tip"));
    EXPECT_EQ(tray.calls.size(), 1u);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST(TrayRetryTest, GivesUpAfter180TimedOutTries) {
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    for (int i = 0; i < 400; ++i) tray.answers.push_back(shell::kErrorTimeout);
    EXPECT_FALSE(shell::CallTrayWithRetry(tray, clock, TrayMessage::Add, 152, "tip"));
    EXPECT_EQ(tray.calls.size(), 360u);
    EXPECT_EQ(clock.sleeps.size(), 180u);
    EXPECT_EQ(clock.TotalSlept(), 180000u);
}

TEST(TrayRetryTest, DeleteIsConfirmedByDeletingAgain) {
    // A modify that succeeds would only prove the icon is still there.
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    tray.answers = {shell::kErrorTimeout, 0};
    EXPECT_TRUE(shell::CallTrayWithRetry(tray, clock, TrayMessage::Delete, 128, ""));
    ASSERT_EQ(tray.calls.size(), 2u);
    EXPECT_EQ(tray.calls[1].message, TrayMessage::Delete);
}

TEST(TrayStateTest, IconFollowsTheCurrentMonitor) {
    struct Step {
        bool hasMonitor;
        std::int32_t stateAfter;
        std::vector<ScriptedTray::Call> calls;
    };
    const std::vector<Step> steps = {
        {true, shell::kTrayMonitor, {{TrayMessage::Add, 152}, {TrayMessage::Modify, 128}}},
        {true, shell::kTrayMonitor, {}},
        {false, shell::kTrayNoMonitor, {{TrayMessage::Modify, 152}}},
        {false, shell::kTrayNoMonitor, {}},
        {true, shell::kTrayMonitor, {{TrayMessage::Modify, 128}}},
    };
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    std::int32_t state = shell::kTrayNotAdded;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        tray.calls.clear();
        EXPECT_TRUE(shell::UpdateTrayIcon(tray, clock, &state, steps[i].hasMonitor, "tip"));
        EXPECT_EQ(state, steps[i].stateAfter) << "step " << i;
        EXPECT_EQ(tray.calls, steps[i].calls) << "step " << i;
    }
}

TEST(TrayStateTest, TaskbarRecreatedAddsTheIconAgainWithTheRightIcon) {
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    std::int32_t state = shell::kTrayNoMonitor;
    state = shell::kTrayNotAdded;  // what the TaskbarCreated handler does
    EXPECT_TRUE(shell::UpdateTrayIcon(tray, clock, &state, false, "tip"));
    const std::vector<ScriptedTray::Call> expected = {{TrayMessage::Add, 152},
                                                      {TrayMessage::Modify, 152}};
    EXPECT_EQ(tray.calls, expected);
    EXPECT_EQ(state, shell::kTrayNoMonitor);
}

TEST(TrayStateTest, FailedAddLeavesTheStateAndReportsIt) {
    ScriptedTray tray;
    testing_support::VirtualClock clock;
    tray.answers = {2};
    std::int32_t state = shell::kTrayNotAdded;
    EXPECT_FALSE(shell::UpdateTrayIcon(tray, clock, &state, true, "tip"));
    EXPECT_EQ(state, shell::kTrayNotAdded);
    EXPECT_EQ(tray.calls.size(), 1u);
}

TEST(TrayMenuTest, MenuAndDoubleClickFollowMonitorAndOpenWindows) {
    using shell::DoubleClickAction;
    struct Case {
        const char* name;
        bool hasMonitor;
        shell::OpenWindows open;
        int popup;
        bool grayed;
        DoubleClickAction doubleClick;
    };
    shell::OpenWindows none;
    shell::OpenWindows settings;
    settings.settingsShown = true;
    shell::OpenWindows calmira;
    calmira.calmiraOpen = true;
    shell::OpenWindows filter;
    filter.filterOpen = true;
    shell::OpenWindows list;
    list.monitorListOpen = true;
    shell::OpenWindows detail;
    detail.colorDetailOpen = true;
    const Case cases[] = {
        {"idle", true, none, 0, false, DoubleClickAction::ShowSettings},
        {"settings shown", true, settings, 0, true, DoubleClickAction::BringToFront},
        {"calmira open", true, calmira, 0, true, DoubleClickAction::BringToFront},
        {"filter open", true, filter, 0, true, DoubleClickAction::BringToFront},
        {"list open", true, list, 0, true, DoubleClickAction::BringToFront},
        {"colour detail open", true, detail, 0, true, DoubleClickAction::BringToFront},
        {"no monitor", false, none, 1, false, DoubleClickAction::Nothing},
    };
    for (const Case& c : cases) {
        const shell::TrayMenuChoice menu = shell::ChooseTrayMenu(c.hasMonitor, c.open);
        EXPECT_EQ(menu.popup, c.popup) << c.name;
        if (c.grayed) {
            EXPECT_EQ(menu.grayed, (std::vector<std::uint32_t>{32772, 32792, 32796, 32782, 32771}))
                << c.name;
        } else {
            EXPECT_TRUE(menu.grayed.empty()) << c.name;
        }
        EXPECT_EQ(menu.defaultItem, c.hasMonitor ? 32772u : 0u) << c.name;
        EXPECT_EQ(shell::ChooseDoubleClick(c.hasMonitor, c.open), c.doubleClick) << c.name;
    }
}

}  // namespace
