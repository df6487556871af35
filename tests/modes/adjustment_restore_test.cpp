// Registering and restoring adjustment data sets against a simulated monitor: the
// rescale rule, the order of the traffic and what a set may not touch.
#include <gtest/gtest.h>

#include "../monitor/maker_desk_fixture.h"
#include "modes/adjustment_restore.h"
#include "modes/adjustment_store.h"
#include "modes/stored_adjustments.h"
#include "monitor/status_build.h"
#include "support/memory_registry.h"

namespace {

using rec_testing::Display;
using rec_testing::MakerMonitor;
using rec_testing::ModeRecord;
using rec_testing::Traffic;
using Lines = std::vector<std::string>;

TEST(AdjustmentRescale, StoredLevelsFollowTheMonitorsMaximum) {
    struct Case {
        AdjustmentItem stored;
        std::uint32_t current, maximum;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {{50, 100, 1}, 60, 200, 100u},           // half of the new maximum
        {{50, 100, 1}, 100, 200, std::nullopt},  // already there: nothing to write
        {{50, 0, 1}, 60, 200, std::nullopt},     // no stored maximum
        {{50, 100, 1}, 60, 0, std::nullopt},     // monitor reports no maximum
        {{50, 100, 0}, 60, 200, std::nullopt},   // never read when saved
        {{60000, 65535, 1}, 0, 65535, 60000u},   // product beyond 32 bits
        {{65535, 1, 1}, 0, 65535, 65535u},       // clamped to the maximum
        {{-5, 100, 1}, 10, 100, 0u},             // clamped to 0
        {{50, -100, 1}, 10, 100, std::nullopt},  // nonsense maximum
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RescaledValue(c.stored, c.current, c.maximum), c.expected)
            << c.stored.value << "/" << c.stored.maximum << " onto " << c.current << "/"
            << c.maximum;
    }
}

TEST(AdjustmentRescale, ModelMatchesWithinTheStoredField) {
    AdjustmentData data;
    data.modelName = "TQ6600W";
    EXPECT_TRUE(IsSetForModel(data, "TQ6600W"));
    EXPECT_FALSE(IsSetForModel(data, "TQ3300W"));
    EXPECT_FALSE(IsSetForModel(data, "TQ6600"));
    data.modelName = std::string(18, 'L');
    EXPECT_TRUE(IsSetForModel(data, std::string(20, 'L')));
}

class AdjustmentOnMonitor : public rec_testing::MakerDeskTest {
protected:
    // Modes 0, 3 and 17: mode 3 adjusts everything, mode 17 only brightness.
    void Open(std::uint32_t brightnessMaximum = 100) {
        sim::MonitorConfig monitor = MakerMonitor(
            "26114073", "TQ6600W", ModeRecord({0, 3, 17}, {{3, 0x804F}, {17, 0x8001}}));
        monitor.extendedCapabilities += "F0(E2(04) E3(00 0A))";
        monitor.registers[{0xF0, 0xE2}] = {0, 255};
        monitor.registers[{0xF0, 0xE3}] = {0, 255};
        monitor.registers[{0, 0x10}] = {60, static_cast<std::uint16_t>(brightnessMaximum)};
        Start({Display(1, 0, {monitor})});
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 1);
        all.SelectFirstMonitor();
        ASSERT_TRUE(list->AcquireMonitor(all.m_hCurMonitor, true));
        desk->ClearLog();
    }
    const CMonitorStatus& Record() { return *all.Current(); }
    std::uint16_t Register(std::uint16_t page, std::uint8_t code) {
        std::uint16_t value = 0;
        EXPECT_TRUE(desk->ReadRegister(0, {page, code}, &value));
        return value;
    }
    static AdjustmentData FullSet(std::int32_t preset) {
        AdjustmentData data;
        data.modelName = "TQ6600W";
        data.mode = 3;
        data.colorTemperature = preset;
        data.brightness = {50, 100, 1};
        data.redGain = {200, 255, 1};
        data.greenGain = {201, 255, 1};
        data.blueGain = {202, 255, 1};
        data.gamma = {2, 8, 1};
        data.quad = {10, 11, 12, 13};
        data.quadValid = 1;
        data.contrast = {40, 100, 1};
        return data;
    }
};

TEST_F(AdjustmentOnMonitor, RestoreWritesModeFirstAndEndsTheAdjustmentLast) {
    Open();
    ApplyAdjustmentData(*list, Record(), FullSet(0));
    const Lines expected = {
        "set E1=30", "set E2=3",  "set E3=0",  // mode, then preset on the same page
        "get 10",    "set 10=32",              // 50 of 100 where 60 was
        "get 16",    "set 16=C8", "get 18",    "set 18=C9", "get 1A",
        "set 1A=CA", "get E4",    "set E4=2",  // gamma, page 0x30 still selected
        "set E1=E0", "get E4",    "get E5",    "get E6",    "get E7",  // the set's maxima now
        "set E4=A",  "set E5=B",  "set E6=C",  "set E7=D",  "set E8=1",
        "get 12",    "set 12=28", "set E1=F0", "set E3=0"};
    EXPECT_EQ(Traffic(*desk, 0), expected);
    EXPECT_EQ(Register(0x30, 0xE2), 3);
    EXPECT_EQ(Register(0, 0x10), 50);
}

TEST_F(AdjustmentOnMonitor, GainsComeBackOnlyWithTheOffOrUserPreset) {
    Open();
    ApplyAdjustmentData(*list, Record(), FullSet(6));
    const Lines traffic = Traffic(*desk, 0);
    EXPECT_EQ(rec_testing::Count(traffic, "get 16"), 0);
    EXPECT_EQ(rec_testing::Count(traffic, "set E3=6"), 1);
    desk->ClearLog();
    ApplyAdjustmentData(*list, Record(), FullSet(15));
    EXPECT_EQ(rec_testing::Count(Traffic(*desk, 0), "set 16=C8"), 1);
}

TEST_F(AdjustmentOnMonitor, ModeTheMonitorLacksWritesNothingOfItsPage) {
    Open();
    const Lines onlyTheEnd = {"set E1=F0", "set E3=0"};
    AdjustmentData data = FullSet(0);
    data.mode = 1000;  // outside the catalogue
    ApplyAdjustmentData(*list, Record(), data);
    EXPECT_EQ(Traffic(*desk, 0), onlyTheEnd);

    // A catalogue mode the monitor does not offer (Picture mode adjusts brightness,
    // preset and the four-value set): none of the set's values may go into the
    // mode the monitor stays in.
    desk->ClearLog();
    data.mode = 1;
    ApplyAdjustmentData(*list, Record(), data);
    EXPECT_EQ(Traffic(*desk, 0), onlyTheEnd);
    EXPECT_EQ(Register(0x30, 0xE2), 17);
    EXPECT_EQ(Register(0, 0x10), 60);

    // An offered mode whose write fails (its page selection is lost) likewise.
    desk->ClearLog();
    data.mode = 3;
    desk->FailNext(0, 1);
    ApplyAdjustmentData(*list, Record(), data);
    EXPECT_EQ(Traffic(*desk, 0), (Lines{"set E1=30", "set E1=F0", "set E3=0"}));
    EXPECT_EQ(Register(0x30, 0xE2), 17);
    EXPECT_EQ(Register(0, 0x10), 60);
}

TEST_F(AdjustmentOnMonitor, FourValueSetIsHeldToTheMonitorsMaximaAndNeedsItsFlagExactlyOne) {
    Open();
    AdjustmentData data = FullSet(6);
    data.brightness.valid = 0;
    data.gamma.valid = 0;
    data.contrast.valid = 0;
    const Lines head = {"set E1=30", "set E2=3", "set E3=6", "set E1=E0",
                        "get E4",    "get E5",   "get E6",   "get E7"};
    // A damaged or foreign record: far above the maximum of 100, and negative.
    data.quad = {0x7FFFFFFF, 100, 101, -5};
    ApplyAdjustmentData(*list, Record(), data);
    Lines expected = head;
    for (const char* line :
         {"set E4=64", "set E5=64", "set E6=64", "set E7=0", "set E8=1", "set E1=F0", "set E3=0"})
        expected.push_back(line);
    EXPECT_EQ(Traffic(*desk, 0), expected);
    EXPECT_EQ(Register(0xE0, 0xE4), 100);
    EXPECT_EQ(Register(0xE0, 0xE7), 0);

    // Only a flag of exactly 1 says the set was read when saved.
    desk->ClearLog();
    data.quad = {1, 2, 3, 4};
    data.quadValid = 2;
    ApplyAdjustmentData(*list, Record(), data);
    EXPECT_EQ(Traffic(*desk, 0),
              (Lines{"set E1=30", "set E2=3", "set E3=6", "set E1=F0", "set E3=0"}));
    EXPECT_EQ(Register(0xE0, 0xE4), 100);

    // A maximum the monitor cannot tell leaves the whole set out.
    desk->ClearLog();
    data.quadValid = 1;
    desk->FailReadsOf(0, {false, {0xE0, 0xE6}});
    ApplyAdjustmentData(*list, Record(), data);
    const Lines traffic = Traffic(*desk, 0);
    EXPECT_EQ(rec_testing::Count(traffic, "set E8=1"), 0);
    EXPECT_EQ(rec_testing::Count(traffic, "set E4=1"), 0);
    EXPECT_EQ(traffic.back(), "set E3=0");
}

TEST_F(AdjustmentOnMonitor, RegisteredSetBringsTheMonitorBackOnAnotherMaximum) {
    Open();
    ASSERT_TRUE(desk->SetRegister(0, {0x30, 0xE2}, 3));
    AdjustmentData saved;
    ASSERT_TRUE(ReadAdjustmentData(*list, Record(), &saved));
    EXPECT_EQ(saved.mode, 3);
    EXPECT_EQ(saved.identity, "26114073TQ6600W");
    EXPECT_EQ(saved.brightness, (AdjustmentItem{60, 100, 1}));
    EXPECT_EQ(saved.quadValid, 1);
    EXPECT_EQ(saved.colorTemperature, 6);

    // The same model with brightness maximum 200: 60 of 100 comes back as 120.
    all.Clear();
    Open(200);
    ASSERT_TRUE(desk->SetRegister(0, {0, 0x10}, 10));
    ApplyAdjustmentData(*list, Record(), saved);
    EXPECT_EQ(Register(0, 0x10), 120);
}

TEST_F(AdjustmentOnMonitor, RegisterStoresNothingWithoutTheMode) {
    Open();
    desk->FailReadsOf(0, {false, {0x30, 0xE2}});
    AdjustmentData saved;
    saved.mode = 99;
    EXPECT_FALSE(ReadAdjustmentData(*list, Record(), &saved));
    EXPECT_EQ(saved.mode, 99);
}

TEST_F(AdjustmentOnMonitor, GammaWithoutAStepOfItsOwnIsNotKept) {
    Open();
    ASSERT_TRUE(desk->SetRegister(0, {0x30, 0xE2}, 3));
    ASSERT_TRUE(desk->SetRegister(0, {0x30, 0xE4}, 0xFF));
    AdjustmentData saved;
    ASSERT_TRUE(ReadAdjustmentData(*list, Record(), &saved));
    EXPECT_EQ(saved.gamma.valid, 0);
}

TEST_F(AdjustmentOnMonitor, SwitchingRestoresStoredSetsAndLeavesDamagedOnesAlone) {
    Open();
    testing_support::MemoryRegistry registry;
    ASSERT_TRUE(AdjustmentStore(registry).Write("Evening", FullSet(0)));
    const std::uint8_t damaged[171] = {};
    registry.SetValue(AdjustmentStore::KeyPath(), "Damaged", platform::RegistryType::Binary,
                      damaged, sizeof damaged);
    CStoredAdjustments sets(registry);
    EXPECT_EQ(sets.Names(), (std::vector<std::string>{"Evening", "Damaged"}));
    EXPECT_TRUE(sets.IsForMonitor("Evening", Record()));
    EXPECT_FALSE(sets.IsForMonitor("Damaged", Record()));
    std::string model;
    EXPECT_FALSE(sets.ModelOf("Damaged", &model));

    sets.Restore("Damaged", *list, Record());
    EXPECT_EQ(Traffic(*desk, 0), Lines{});
    sets.Restore("Evening", *list, Record());
    EXPECT_EQ(Register(0x30, 0xE2), 3);
    EXPECT_EQ(Traffic(*desk, 0).back(), "set E3=0");
}

}  // namespace
