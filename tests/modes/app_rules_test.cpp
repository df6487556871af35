// The stored rules and root values of automatic switching, including what a
// damaged or hand-edited registry may hold.
#include <gtest/gtest.h>

#include <cstring>

#include "modes/app_rules.h"
#include "modes/auto_switch_settings.h"
#include "support/memory_registry.h"

namespace {

using Names = std::vector<std::string>;

class RuleStore : public ::testing::Test {
protected:
    void PutRaw(const std::string& key, const std::string& value, platform::RegistryType type,
                const std::string& bytes) {
        ASSERT_TRUE(store.SetValue(key, value, type, bytes.data(),
                                   static_cast<std::uint32_t>(bytes.size())));
    }
    void PutMode(const std::string& application, std::uint32_t mode) {
        ASSERT_TRUE(store.SetValue(RuleKeyPath(application), "Mode", platform::RegistryType::Dword,
                                   &mode, 4));
    }
    Names Applications(const std::vector<AppModeRule>& rules) {
        Names names;
        for (const AppModeRule& rule : rules) names.push_back(rule.application);
        return names;
    }

    testing_support::MemoryRegistry store;
    CRegistry registry{&store};
};

TEST_F(RuleStore, RulesLoadInKeyOrderAndKeysWithoutAReadableModeAreSkipped) {
    ASSERT_TRUE(StoreAppModeRule(registry, {"WORD", 0, {}}));
    ASSERT_TRUE(StoreAppModeRule(registry, {"GAME", kModeAdjustmentData, "Evening"}));
    PutRaw(RuleKeyPath("BROKEN"), "Mode", platform::RegistryType::String, "seventeen");
    PutRaw(RuleKeyPath("EMPTY"), "Other", platform::RegistryType::Dword, std::string(4, '\0'));

    const std::vector<AppModeRule> rules = LoadAppModeRules(registry);
    EXPECT_EQ(Applications(rules), (Names{"GAME", "WORD"}));
    EXPECT_EQ(rules[0].mode, kModeAdjustmentData);
    EXPECT_EQ(rules[0].modeName, "Evening");
    EXPECT_EQ(rules[1].mode, 0);
    EXPECT_EQ(rules[1].modeName, "");
    // Stored with its terminating zero.
    ASSERT_NE(store.Find(RuleKeyPath("GAME"), "ModeName"), nullptr);
    EXPECT_EQ(store.Find(RuleKeyPath("GAME"), "ModeName")->data.size(), 8u);

    EXPECT_NE(FindAppModeRule(rules, "word"), nullptr);
    EXPECT_NE(FindAppModeRule(rules, "Game"), nullptr);
    EXPECT_EQ(FindAppModeRule(rules, "WORDPAD"), nullptr);
}

TEST_F(RuleStore, StoringAModeRemovesAStaleSetNameAndFailedWritesAreReported) {
    ASSERT_TRUE(StoreAppModeRule(registry, {"GAME", kModeAdjustmentData, "Evening"}));
    ASSERT_TRUE(StoreAppModeRule(registry, {"GAME", 17, {}}));
    EXPECT_EQ(store.Find(RuleKeyPath("GAME"), "ModeName"), nullptr);

    store.denyWrites = true;
    EXPECT_FALSE(StoreAppModeRule(registry, {"WORD", 0, {}}));
    EXPECT_FALSE(StoreAppModeRule(registry, {"GAME", kModeAdjustmentData, "Evening"}));
    store.denyWrites = false;
    EXPECT_FALSE(StoreAppModeRule(registry, {"", 0, {}})) << "a rule needs an application";

    EXPECT_TRUE(DeleteAppModeRule(registry, "game"));
    EXPECT_FALSE(DeleteAppModeRule(registry, "GAME"));
    EXPECT_TRUE(LoadAppModeRules(registry).empty());
}

TEST_F(RuleStore, OverlongOrUnterminatedSetNamesAreReadBounded) {
    PutMode("A", kModeAdjustmentData);
    PutMode("B", kModeAdjustmentData);
    PutMode("C", kModeAdjustmentData);
    // Exactly the 512 bytes the reader takes, with no terminating zero.
    PutRaw(RuleKeyPath("A"), "ModeName", platform::RegistryType::String, std::string(512, 'n'));
    // Too long for the reader: unreadable, like a missing name.
    PutRaw(RuleKeyPath("B"), "ModeName", platform::RegistryType::String, std::string(513, 'n'));
    // Short and without a zero.
    PutRaw(RuleKeyPath("C"), "ModeName", platform::RegistryType::String, "Night");

    const std::vector<AppModeRule> rules = LoadAppModeRules(registry);
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0].modeName, std::string(kRuleTextLength, 'n'));
    EXPECT_EQ(rules[1].modeName, "");
    EXPECT_EQ(rules[2].modeName, "Night");
}

TEST_F(RuleStore, OrphanedSetRulesAreAllRemovedEvenWhenTheyFollowEachOther) {
    ASSERT_TRUE(StoreAppModeRule(registry, {"A", 0, {}}));
    PutMode("B", kModeAdjustmentData);
    PutMode("C", kModeAdjustmentData);
    PutMode("D", kModeAdjustmentData);
    ASSERT_TRUE(StoreAppModeRule(registry, {"E", kModeAdjustmentData, "Evening"}));
    PutMode("F", kModeAdjustmentData);

    EXPECT_EQ(RemoveOrphanedRules(registry), (Names{"B", "C", "D", "F"}));
    EXPECT_EQ(Applications(LoadAppModeRules(registry)), (Names{"A", "E"}));
    EXPECT_TRUE(RemoveOrphanedRules(registry).empty());
}

TEST_F(RuleStore, SwitchesAreWrittenBackWhenAbsentAndKeptWhenStored) {
    EXPECT_TRUE(ReadAutoSwitchOn(registry));
    EXPECT_FALSE(ReadPerScreenSwitching(registry));
    std::uint32_t value = 99;
    ASSERT_TRUE(registry.ReadDword("ModeChange", &value, kVistrelRootKey));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(registry.ReadDword("MonIndepend", &value, kVistrelRootKey));
    EXPECT_EQ(value, 0u);

    StoreAutoSwitchOn(registry, false);
    StorePerScreenSwitching(registry, true);
    EXPECT_FALSE(ReadAutoSwitchOn(registry));
    EXPECT_TRUE(ReadPerScreenSwitching(registry));
    ASSERT_TRUE(registry.ReadDword("MonIndepend", &value, kVistrelRootKey));
    EXPECT_EQ(value, 1u);
}

TEST_F(RuleStore, DefaultTargetKeepsItsSetNameOnlyForASet) {
    DefaultTargetSetting setting = ReadDefaultTarget(registry);
    EXPECT_EQ(setting.mode, kModeNotChange);
    EXPECT_FALSE(setting.nameRead);

    StoreDefaultTarget(registry, kModeAdjustmentData, "Evening");
    setting = ReadDefaultTarget(registry);
    EXPECT_EQ(setting.mode, kModeAdjustmentData);
    EXPECT_TRUE(setting.nameRead);
    EXPECT_EQ(setting.name, "Evening");

    StoreDefaultTarget(registry, 17, "ignored");
    EXPECT_EQ(store.Find(kVistrelRootKey, "DefModeName"), nullptr);
    EXPECT_EQ(ReadDefaultTarget(registry).mode, 17);

    // "DefModeName" fills its 260 bytes without a terminator.
    StoreDefaultTarget(registry, kModeAdjustmentData, "x");
    PutRaw(kVistrelRootKey, "DefModeName", platform::RegistryType::String, std::string(260, 'd'));
    setting = ReadDefaultTarget(registry);
    EXPECT_TRUE(setting.nameRead);
    EXPECT_EQ(setting.name, std::string(kRuleTextLength, 'd'));
}

}  // namespace
