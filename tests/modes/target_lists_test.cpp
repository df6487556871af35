// The mode page's lists: what they offer, which entry shows a stored target, and
// the applications it lists.
#include <gtest/gtest.h>

#include "modes/application_list.h"
#include "modes/application_name.h"
#include "modes/target_lists.h"
#include "support/scripted_foreground.h"

namespace {

using Names = std::vector<std::string>;

// Text 0, Game 17 and User1 22 on some monitor.
constexpr std::uint64_t kMask = (1ull << 0) | (1ull << 17) | (1ull << 22);

std::vector<DisplayMode> Data(const TargetList& list) {
    std::vector<DisplayMode> data;
    for (const TargetItem& item : list) data.push_back(item.data);
    return data;
}

TEST(TargetLists, ModesComeFirstThenNotChangeThenTheSavedSets) {
    const Names sets = {"Evening", "", "Game mode"};
    EXPECT_EQ(Data(RuleTargetList(kMask, sets)), (std::vector<DisplayMode>{0, 17, 22, 255, 255}));
    const TargetList defaults = DefaultTargetList(kMask, sets);
    EXPECT_EQ(Data(defaults), (std::vector<DisplayMode>{0, 17, 22, 48, 255, 255}));
    EXPECT_EQ(defaults[1].stringId, 104);
    EXPECT_EQ(defaults[3].stringId, 156);
    EXPECT_EQ(defaults[5].setName, "Game mode");
    EXPECT_EQ(Data(DefaultTargetList(0, {})), (std::vector<DisplayMode>{48}));
}

TEST(TargetLists, ASetNamedLikeAModeIsNeverTakenForTheMode) {
    // The set "Game mode" sits beside the mode of the same name.
    const TargetList list = RuleTargetList(kMask, {"Evening", "Game mode"});
    EXPECT_EQ(RuleTargetIndex(list, {"GAME", kModeAdjustmentData, "Game mode"}), 4);
    EXPECT_EQ(RuleTargetIndex(list, {"GAME", 17, {}}), 1);
    EXPECT_EQ(RuleTargetIndex(list, {"GAME", kModeAdjustmentData, "game mode"}), -1)
        << "exact names only";
    EXPECT_EQ(RuleTargetIndex(list, {"GAME", kNoRuleMode, {}}), -1);
    EXPECT_EQ(RuleTargetIndex(list, {"GAME", 3, {}}), -1) << "a mode no monitor offers";

    // Choosing the mode while the rule names the set (or the reverse) is a change.
    const AppModeRule setRule{"GAME", kModeAdjustmentData, "Game mode"};
    EXPECT_TRUE(HasUnsavedChange(setRule, &list[1]));
    EXPECT_FALSE(HasUnsavedChange(setRule, &list[4]));
    EXPECT_TRUE(HasUnsavedChange(setRule, &list[3]));
    const AppModeRule modeRule{"GAME", 17, {}};
    EXPECT_FALSE(HasUnsavedChange(modeRule, &list[1]));
    EXPECT_TRUE(HasUnsavedChange(modeRule, &list[4]));
    EXPECT_TRUE(HasUnsavedChange({"NEW", kNoRuleMode, {}}, &list[0]));
    EXPECT_FALSE(HasUnsavedChange(modeRule, nullptr));
}

TEST(TargetLists, DefaultSelectionFallsBackToNotChangeAndSaysWhenToResetTheStore) {
    const TargetList list = DefaultTargetList(kMask, {"Game mode", "Evening"});
    struct Case {
        DefaultTargetSetting setting;
        int index;
        bool reset;
    } cases[] = {
        {{kModeNotChange, false, {}}, 3, false},
        {{17, false, {}}, 1, false},
        {{3, false, {}}, 3, false},  // a mode no monitor offers
        {{kModeAdjustmentData, true, "Evening"}, 5, false},
        {{kModeAdjustmentData, true, "Game mode"}, 4, false},
        {{kModeAdjustmentData, true, "Deleted"}, 3, true},  // the set is gone
        {{kModeAdjustmentData, false, {}}, -1, false},      // its name cannot be read
    };
    for (const Case& c : cases) {
        const DefaultTargetChoice choice = ChooseDefaultTarget(list, c.setting);
        EXPECT_EQ(choice.index, c.index) << c.setting.mode << " " << c.setting.name;
        EXPECT_EQ(choice.resetStored, c.reset) << c.setting.mode << " " << c.setting.name;
    }
}

TEST(ApplicationList, RulesFirstThenRunningApplicationsEachListedOnce) {
    CApplicationList list;
    list.AddRules({{"GAME", 17, {}}, {"WORD", 0, {}}});
    EXPECT_EQ(list.AddRunning("word"), 1);
    EXPECT_EQ(list.AddRunning("NOTEPAD"), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0)->registered, 1);
    EXPECT_EQ(list.At(2)->registered, 0);
    EXPECT_EQ(list.At(2)->rule.mode, kNoRuleMode);

    list.MarkStored(2, {"ignored", kModeAdjustmentData, "Evening"});
    EXPECT_EQ(list.At(2)->rule.application, "NOTEPAD");
    EXPECT_EQ(list.At(2)->rule.modeName, "Evening");
    EXPECT_EQ(list.At(2)->registered, 1);
    list.Reset(0);
    EXPECT_EQ(list.At(0)->rule.mode, kNoRuleMode);
    EXPECT_EQ(list.At(0)->registered, 0);
    EXPECT_EQ(list.At(3), nullptr);
}

class RunningApps : public ::testing::Test {
protected:
    class Processes : public platform::Processes {
    public:
        std::uint32_t OwnProcessId() override { return 1; }
        bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
            *processes = {{1, "vistrelddcci.exe"},
                          {2, "C:\\Windows\\explorer.exe"},
                          {3, "notepad.exe"},
                          {4, "RunDll32.exe"},
                          {5, "Notepad.EXE"},
                          {6, "calc.exe"},
                          {7, "tool"}};
            return true;
        }
    };
    void Open(std::uint32_t process, const std::string& className = "App", bool visible = true,
              bool systemMenu = true) {
        testing_support::ScriptedForeground::Window window;
        window.processId = process;
        window.className = className;
        window.visible = visible;
        window.hasSystemMenu = systemMenu;
        windows.Open(window);
    }
    testing_support::ScriptedForeground windows;
    Processes processes;
};

TEST_F(RunningApps, OnlyUserApplicationsWithAWindowAreListed) {
    Open(1);                         // the program itself
    Open(2, "Progman");              // the desktop
    Open(2, "Shell_TrayWnd");        // the taskbar
    Open(3);                         // notepad
    Open(4);                         // a control panel applet
    Open(2, "ShImgVw:CPreviewWnd");  // picture preview
    Open(5);                         // a second notepad, other spelling
    Open(6, "App", false);           // hidden calculator
    Open(7, "Tool", true, false);    // no system menu
    Open(2, "CabinetWClass");        // a file browser
    Open(0x99);                      // its process is gone
    EXPECT_EQ(RunningApplications(windows, processes), (Names{"NOTEPAD", "SHIMGVW", "EXPLORER"}));
    // Looked for by name, a window without a system menu counts too.
    EXPECT_EQ(RunningApplications(windows, processes, "TOOL"), Names{"TOOL"});
    EXPECT_EQ(RunningApplications(windows, processes, "notepad"), Names{"NOTEPAD"});
    EXPECT_TRUE(RunningApplications(windows, processes, "CALC").empty());
}

}  // namespace
