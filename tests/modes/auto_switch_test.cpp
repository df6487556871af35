// Automatic mode switching over time: windows come to the front, move, are
// minimised; the watch runs every 100 ms of virtual time and the simulated
// monitors record exactly what reached them.
#include <gtest/gtest.h>

#include "../monitor/maker_desk_fixture.h"
#include "modes/app_rules.h"
#include "modes/mode_lists.h"
#include "modes/switching_step.h"
#include "monitor/status_build.h"
#include "support/memory_registry.h"
#include "support/scripted_foreground.h"

namespace {

using rec_testing::Count;
using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::ModeRecord;
using rec_testing::Traffic;
using testing_support::ScriptedForeground;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kAlpha = 0x501;
constexpr std::uint32_t kBeta = 0x502;
constexpr std::uint32_t kExplorer = 0x503;
const std::string kDisplay1 = "\\\\.\\DISPLAY1";
const std::string kDisplay2 = "\\\\.\\DISPLAY2";

// A monitor that also takes the command that ends a restore.
sim::MonitorConfig Monitor(const std::string& serial, const std::string& model,
                           std::vector<int> modes) {
    sim::MonitorConfig monitor = MakerMonitor(serial, model, ModeRecord(std::move(modes)));
    monitor.extendedCapabilities += "F0(E3(00 0A))";
    monitor.registers[{0xF0, 0xE3}] = {0, 255};
    return monitor;
}

// Saved sets as the colour page keeps them; a restore here just puts the set's
// mode, which is enough to see that it happens inside the claim.
class FakeSets : public CSavedAdjustments {
public:
    struct Set {
        std::string model;
        DisplayMode mode;
    };
    std::vector<std::string> Names() override {
        std::vector<std::string> names;
        for (const auto& [name, set] : sets) names.push_back(name);
        return names;
    }
    bool ModelOf(const std::string& name, std::string* model) override {
        auto it = sets.find(name);
        if (it == sets.end()) return false;
        *model = it->second.model;
        return true;
    }
    bool IsForMonitor(const std::string& name, const CMonitorStatus& record) override {
        auto it = sets.find(name);
        return it != sets.end() && it->second.model == record.m_strModelName;
    }
    void Restore(const std::string& name, MonitorList& list,
                 const CMonitorStatus& record) override {
        restored.push_back(name + " on " + record.m_strModelName +
                           (list.IsMonitorAcquired() ? "" : " unclaimed"));
        WriteDisplayMode(list, record, sets[name].mode, false);
        list.WriteFeature(&record, 0xF0, 0xE3, 0, false);
    }
    std::map<std::string, Set> sets;
    Lines restored;
};

class AutoSwitch : public rec_testing::MakerDeskTest {
protected:
    void SetUp() override {
        // Display 1 offers Text, Picture, Custom and Game; display 2 Text, Game
        // and User1. Both start in Game mode.
        Start({Display(1, 0, {Monitor("11110001", "TQ6600W", {0, 1, 3, 17})}),
               Display(2, 1280, {Monitor("22220002", "TQ3300W", {0, 17, 22})})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 2);
        desk->ClearLog();
        processes.running.push_back({kAlpha, "C:\\Games\\ALPHA.exe"});
        processes.running.push_back({kBeta, "C:\\Tools\\beta.exe"});
        processes.running.push_back({kExplorer, "C:\\Windows\\explorer.exe"});
        switcher = std::make_unique<CModeSwitcher>(*list, all, sets);
    }

    void AddRule(const std::string& application, std::int32_t mode, const std::string& set = {}) {
        ASSERT_TRUE(StoreAppModeRule(registry, {application, mode, set}));
        rules = LoadAppModeRules(registry);
    }
    platform::WindowHandle Open(std::uint32_t process, const std::string& display = kDisplay1,
                                const std::string& className = "AppWindow") {
        ScriptedForeground::Window window;
        window.processId = process;
        window.display = display;
        window.className = className;
        return windows.Open(window);
    }
    // Runs the watch for `periods` timer periods; returns how many evaluated.
    int Run(int periods = 3) {
        int evaluated = 0;
        for (int i = 0; i < periods; ++i) {
            clock.Advance(100);
            const SwitchingStepResult step =
                RunSwitchingStep(watch, *switcher, registry, rules, defaultTarget, perScreen);
            if (step.evaluated) {
                ++evaluated;
                evaluatedNames.push_back(step.change.application);
            }
        }
        return evaluated;
    }
    std::uint16_t ModeOf(int monitor) {
        std::uint16_t value = 0;
        EXPECT_TRUE(desk->ReadRegister(monitor, {0x30, 0xE2}, &value));
        return value;
    }
    Lines Writes(int monitor) {
        Lines writes;
        for (const std::string& line : Traffic(*desk, monitor))
            if (line.rfind("set E2=", 0) == 0) writes.push_back(line);
        return writes;
    }

    testing_support::MemoryRegistry store;
    CRegistry registry{&store};
    ScriptedForeground windows;
    CForegroundWatch watch{windows, processes};
    FakeSets sets;
    std::unique_ptr<CModeSwitcher> switcher;
    std::vector<AppModeRule> rules;
    TargetItem notChange{kModeNotChange, 156, {}};
    const TargetItem* defaultTarget = &notChange;
    bool perScreen = false;
    Lines evaluatedNames;
};

TEST_F(AutoSwitch, EachNewForegroundWindowIsEvaluatedOnceAndAnIdleDesktopCostsNothing) {
    AddRule("ALPHA", 0);
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(5), 1);
    // Claimed, read, written, released: the whole bracket on each monitor.
    const Lines expected = {"get E0", "set E0=1234", "set E1=30", "get E2", "set E2=0", "set E0=0"};
    EXPECT_EQ(Traffic(*desk, 0), expected);
    EXPECT_EQ(Traffic(*desk, 1), expected);
    EXPECT_EQ(all.At(0)->m_nRecordedMode, 0);
    EXPECT_FALSE(lockHeld);

    // Nothing changes for a long while: no monitor traffic, and each period asks
    // only which window is in front, whether it shows and where it lies; which
    // display holds it, once a second.
    desk->ClearLog();
    windows.calls = 0;
    windows.displayCalls = 0;
    EXPECT_EQ(Run(50), 0);
    EXPECT_TRUE(desk->Log().empty());
    EXPECT_EQ(windows.calls, 50 * 3);
    EXPECT_EQ(windows.displayCalls, 5);

    // Another window of the same application is a new window: looked at again,
    // but the monitors already show the mode and are not written.
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(Writes(0).empty());
    EXPECT_TRUE(Writes(1).empty());
    EXPECT_EQ(Count(Traffic(*desk, 0), "get E2"), 1);
}

TEST_F(AutoSwitch, MinimisedOrHiddenWindowsAreNeitherEvaluatedNorRemembered) {
    AddRule("ALPHA", 0);
    AddRule("BETA", 3);
    const platform::WindowHandle alpha = Open(kAlpha);
    windows.foreground = alpha;
    EXPECT_EQ(Run(), 1);

    windows.windows[alpha].minimised = true;
    EXPECT_EQ(Run(), 0);
    windows.windows[alpha].minimised = false;
    EXPECT_EQ(Run(), 0) << "restoring the window last evaluated is no change";

    const platform::WindowHandle hidden = Open(kBeta);
    windows.windows[hidden].visible = false;
    windows.foreground = hidden;
    EXPECT_EQ(Run(), 0);
    windows.foreground = alpha;
    EXPECT_EQ(Run(), 0) << "the hidden window was not remembered either";

    windows.foreground = 0;
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(evaluatedNames, Lines{"ALPHA"});
}

TEST_F(AutoSwitch, OwnAndShellWindowsAreNoApplicationButReturningPutsTheTargetAgain) {
    AddRule("ALPHA", 1);
    AddRule("EXPLORER", 0);
    AddRule("SHIMGVW", 3);
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 1);

    // The user puts display 1 back to Game by hand while the program's own
    // settings window is in front.
    windows.foreground = Open(rec_testing::kOwnProcessId, kDisplay1, "VISTREL");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(watch.LastApplication(), "");
    ASSERT_TRUE(desk->SetRegister(0, {0x30, 0xE2}, 17));

    // The desktop and the taskbar are explorer windows, but no application.
    for (const char* shellClass : {"Progman", "Shell_TrayWnd", "WorkerW"}) {
        windows.foreground = Open(kExplorer, kDisplay1, shellClass);
        EXPECT_EQ(Run(), 0) << shellClass;
    }
    EXPECT_EQ(ModeOf(0), 17);

    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 1) << "back to ALPHA puts its mode again";

    windows.foreground = Open(kExplorer, kDisplay1, "CabinetWClass");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 0);
    windows.foreground = Open(kExplorer, kDisplay1, "ShImgVw:CPreviewWnd");
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 3);
    EXPECT_EQ(evaluatedNames, (Lines{"ALPHA", "ALPHA", "EXPLORER", "SHIMGVW"}));

    // A window whose process has ended by the time it is looked at.
    const platform::WindowHandle orphan = Open(0x999);
    windows.foreground = orphan;
    EXPECT_EQ(Run(), 0);
}

TEST_F(AutoSwitch, PerScreenSwitchingFollowsTheWindowToTheOtherDisplay) {
    perScreen = true;
    AddRule("ALPHA", 0);
    const platform::WindowHandle alpha = Open(kAlpha, kDisplay1);
    windows.foreground = alpha;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 0);
    EXPECT_EQ(ModeOf(1), 17);
    EXPECT_TRUE(Traffic(*desk, 1).empty()) << "the other monitor is not even claimed";

    // The same window dragged to display 2: evaluated again, for that monitor only.
    desk->ClearLog();
    windows.Move(alpha, kDisplay2, 1400);
    EXPECT_EQ(Run(1), 1);
    EXPECT_EQ(ModeOf(1), 0);
    EXPECT_TRUE(Traffic(*desk, 0).empty());

    // Half off the desktop, on no display: evaluated, but no monitor is meant.
    desk->ClearLog();
    windows.Move(alpha, "", -5000);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(desk->Log().empty());

    // The displays were rearranged under the unmoved window: noticed within a
    // second, without the window moving.
    windows.Move(alpha, kDisplay1, 100);
    EXPECT_EQ(Run(), 1);
    ASSERT_TRUE(desk->SetRegister(1, {0x30, 0xE2}, 17));
    windows.windows[alpha].display = kDisplay2;
    EXPECT_EQ(Run(10), 1);
    EXPECT_EQ(ModeOf(1), 0);
}

TEST_F(AutoSwitch, TwoNamesOfTheSameMonitorAreNoMoveToAnotherDisplay) {
    perScreen = true;
    AddRule("ALPHA", 0);
    watch.SetRecordNames([this] {
        std::vector<std::string> names;
        for (int i = 0; i < all.Count(); ++i) names.push_back(all.At(i)->m_strDeviceName);
        return names;
    });
    const platform::WindowHandle alpha = Open(kAlpha, kDisplay1);
    windows.foreground = alpha;
    EXPECT_EQ(Run(), 1);
    // Moved within its display, which Windows now names in other letters.
    desk->ClearLog();
    windows.Move(alpha, "\\\\.\\display1", 300);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(desk->Log().empty());
    windows.Move(alpha, kDisplay2, 1400);
    EXPECT_EQ(Run(), 1) << "another monitor of the list is a move";
}

TEST(ForegroundWatchNames, NamesOfOneRecordAreOneMonitor) {
    const std::vector<std::string> records = {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"};
    EXPECT_TRUE(SameMonitorOfList("\\\\.\\DISPLAY1", "\\\\.\\DISPLAY1", {}));
    EXPECT_TRUE(SameMonitorOfList("", "", records));
    EXPECT_TRUE(SameMonitorOfList("\\\\.\\DISPLAY2", "\\\\.\\display2", records));
    EXPECT_FALSE(SameMonitorOfList("\\\\.\\DISPLAY3", "\\\\.\\display3", records))
        << "no record of that display";
    EXPECT_FALSE(SameMonitorOfList("\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2", records));
    EXPECT_FALSE(SameMonitorOfList("\\\\.\\DISPLAY1", "", records));
}

TEST_F(AutoSwitch, DefaultTargetCoversApplicationsWithoutARule) {
    // "Not change the mode": nothing reaches any monitor.
    windows.foreground = Open(kBeta);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(desk->Log().empty());

    // No default selected at all: the same.
    defaultTarget = nullptr;
    windows.foreground = Open(kBeta);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(desk->Log().empty());

    // A real mode as default: BETA gets it.
    const TargetItem text{0, 111, {}};
    defaultTarget = &text;
    windows.foreground = Open(kBeta);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 0);
    EXPECT_EQ(ModeOf(1), 0);
}

TEST_F(AutoSwitch, RuleStoredInLowerCaseStillFires) {
    // Registry keys ignore case, so a rule under "alpha" is the rule of ALPHA.
    ASSERT_TRUE(StoreAppModeRule(registry, {"alpha", 1, {}}));
    rules = LoadAppModeRules(registry);
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(ModeOf(0), 1);
}

TEST_F(AutoSwitch, AModeAMonitorLacksLeavesThatMonitorAloneWhileOthersSwitch) {
    AddRule("ALPHA", 22);  // User1: display 2 only
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(Traffic(*desk, 0).empty());
    EXPECT_EQ(ModeOf(0), 17);
    EXPECT_EQ(ModeOf(1), 22);
    EXPECT_EQ(all.At(1)->m_nRecordedMode, 22);
    EXPECT_EQ(all.At(0)->m_nRecordedMode, -1);
}

TEST_F(AutoSwitch, MonitorHeldByAnotherProgramIsSkippedAndNothingStaysClaimed) {
    AddRule("ALPHA", 0);
    // The calibration program of the fixture's process list holds display 1.
    ASSERT_TRUE(desk->SetRegister(0, {0, 0xE0}, 0x0777));
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Traffic(*desk, 0), (Lines(5, "get E0"))) << "five attempts, no write at all";
    EXPECT_EQ(ModeOf(0), 17);
    std::uint16_t owner = 0;
    ASSERT_TRUE(desk->ReadRegister(0, {0, 0xE0}, &owner));
    EXPECT_EQ(owner, 0x0777);
    EXPECT_EQ(ModeOf(1), 0);
    EXPECT_EQ(Traffic(*desk, 1).back(), "set E0=0");
    EXPECT_FALSE(lockHeld);
}

TEST_F(AutoSwitch, AdjustmentSetIsAppliedOnlyToMonitorsOfItsModel) {
    sets.sets["Evening"] = {"TQ3300W", 22};
    AddRule("ALPHA", kModeAdjustmentData, "Evening");
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(sets.restored, Lines{"Evening on TQ3300W"});
    EXPECT_TRUE(Traffic(*desk, 0).empty());
    EXPECT_EQ(ModeOf(1), 22);
    const Lines traffic = Traffic(*desk, 1);
    // Readiness is asked first; the restore ends the adjustment.
    ASSERT_GE(traffic.size(), 4u);
    EXPECT_EQ(traffic[2], "set E1=20");
    EXPECT_EQ(traffic[traffic.size() - 3], "set E1=F0");
    EXPECT_EQ(traffic[traffic.size() - 2], "set E3=0");
    EXPECT_EQ(all.At(1)->m_nRecordedMode, kModeAdjustmentData);

    // Every change of foreground window applies the set again.
    sets.restored.clear();
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(sets.restored, Lines{"Evening on TQ3300W"});
}

TEST_F(AutoSwitch, AdjustmentSetIsNotAppliedToAMonitorThatRefusesAdjustment) {
    sets.sets["Evening"] = {"TQ3300W", 22};
    AddRule("ALPHA", kModeAdjustmentData, "Evening");
    ASSERT_TRUE(desk->SetRegister(1, {0x20, 0xE2}, 0));  // not ready
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(sets.restored.empty());
    EXPECT_EQ(Count(Traffic(*desk, 1), "set E3=0"), 0);
    EXPECT_EQ(Traffic(*desk, 1).back(), "set E0=0");
}

TEST_F(AutoSwitch, RuleWhoseSetWasDeletedFallsBackToTheDefault) {
    sets.sets["Evening"] = {"TQ3300W", 22};
    AddRule("ALPHA", kModeAdjustmentData, "Evening");
    // The colour page deleted the set and the rule's set name with it; the rules
    // in memory still name it.
    ASSERT_TRUE(registry.DeleteValue("ModeName", RuleKeyPath("ALPHA").c_str()));
    const TargetItem picture{1, 112, {}};
    defaultTarget = &picture;
    windows.foreground = Open(kAlpha);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(sets.restored.empty());
    EXPECT_EQ(ModeOf(0), 1);
    EXPECT_EQ(ModeOf(1), 17) << "display 2 has no Picture mode";

    // A default that names a set the colour page no longer has changes nothing.
    const TargetItem gone{kModeAdjustmentData, 0, "Gone"};
    defaultTarget = &gone;
    desk->ClearLog();
    windows.foreground = Open(kBeta);
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(desk->Log().empty());
}

TEST(ForegroundWatchGate, RunsOnlyWhenSwitchingIsOnAndNoOtherPageIsShown) {
    EXPECT_TRUE(ForegroundWatchActive(true, false, false));
    EXPECT_TRUE(ForegroundWatchActive(true, true, true));
    EXPECT_FALSE(ForegroundWatchActive(true, true, false));
    EXPECT_FALSE(ForegroundWatchActive(false, false, false));
}

}  // namespace
