// Registers as a host sees them over DDC/CI: standard codes, page selection,
// the information blocks, the four-value set and the maker's commands.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace {

using sim::Outcome;
using sim::RegisterKey;
using simtest::Host;

TEST(SimStandardRegisters, WritesStoreAndReadsReturnWithinTheirLimits) {
    Host host(simtest::SingleMakerDesk());
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    ASSERT_TRUE(host.Get(0x10, &current, &maximum));
    EXPECT_EQ(current, 60u);
    EXPECT_EQ(maximum, 100u);

    EXPECT_TRUE(host.Set(0x10, 75));
    EXPECT_EQ(host.Read(0x10), 75u);

    EXPECT_FALSE(host.Set(0x10, 101));
    EXPECT_EQ(host.LastResult(), Outcome::Refused);
    EXPECT_EQ(host.Read(0x10), 75u);

    // 0x60 announces its values; others are turned away even below the maximum.
    EXPECT_FALSE(host.Set(0x60, 2));
    EXPECT_EQ(host.LastResult(), Outcome::Refused);
    EXPECT_TRUE(host.Set(0x60, 0x11));

    EXPECT_FALSE(host.Get(0x14));
    EXPECT_EQ(host.LastResult(), Outcome::Unsupported);
    EXPECT_FALSE(host.Set(0x14, 1));
    EXPECT_EQ(host.LastResult(), Outcome::Unsupported);
}

TEST(SimStandardRegisters, ReadOnlyRegistersRefuseWrites) {
    Host host(simtest::SingleMakerDesk());
    ASSERT_TRUE(host.Set(0xE1, 0x30));
    EXPECT_FALSE(host.Set(0xE5, 0));
    EXPECT_EQ(host.LastResult(), Outcome::Refused);
    EXPECT_EQ(host.Read(0xE5), 1u);
}

TEST(SimOwnerRegister, KeepsSixteenBitsLikeTheWire) {
    Host host(simtest::SingleMakerDesk());
    EXPECT_EQ(host.Read(0xE0), 0u);
    ASSERT_TRUE(host.Set(0xE0, 0x12345));
    EXPECT_EQ(host.Read(0xE0), 0x2345u);
    ASSERT_TRUE(host.Set(0xE0, 0));
    EXPECT_EQ(host.Read(0xE0), 0u);
}

TEST(SimPageSelect, PagedCodesReachTheSelectedPageOnly) {
    Host host(simtest::SingleMakerDesk());
    EXPECT_FALSE(host.Get(0xE2));  // nothing selected yet: no standard 0xE2
    EXPECT_EQ(host.LastResult(), Outcome::Unsupported);

    ASSERT_TRUE(host.Set(0xE1, 0x20));
    EXPECT_EQ(host.Read(0xE2), 1u);  // readiness
    ASSERT_TRUE(host.Set(0xE1, 0x30));
    EXPECT_EQ(host.Read(0xE2), 1u);  // mode
    EXPECT_EQ(host.Read(0xE3), 6u);
    EXPECT_EQ(host.Read(0x10), 60u) << "standard codes stay reachable on a maker page";
    EXPECT_EQ(host.Read(0xE1), 0x30u);

    EXPECT_FALSE(host.Set(0xE1, 0x40));
    EXPECT_EQ(host.LastResult(), Outcome::Refused);
    EXPECT_EQ(host.desk.SelectedPage(0), 0x30);

    const auto log = host.desk.Log();
    ASSERT_GE(log.size(), 3u);
    // The log tells which page each command met on arrival.
    EXPECT_EQ(log[1].kind, sim::TransactionKind::Set);
    EXPECT_EQ(log[1].page, 0x00);  // the write that selects 0x20
    EXPECT_EQ(log[1].value, 0x20u);
    EXPECT_EQ(log[2].page, 0x20);
    EXPECT_EQ(log[2].kind, sim::TransactionKind::Get);
    EXPECT_EQ(log[2].code, 0xE2);
    EXPECT_EQ(log[2].value, 1u);
}

TEST(SimPageSelect, MonitorsOfOtherMakersHaveNoPages) {
    sim::DeskConfig config;
    config.displays.push_back(simtest::Display(1, 0, 0, 800, 600));
    config.displays[0].monitors.push_back(simtest::OtherMonitor());
    Host host(std::move(config));
    EXPECT_FALSE(host.Set(0xE1, 0x30));
    EXPECT_EQ(host.LastResult(), Outcome::Unsupported);
    EXPECT_FALSE(host.Get(0xE0));
    EXPECT_EQ(host.Read(0x10), 80u);
}

TEST(SimInformationBlocks, CarryTheirContentFourBytesPerRead) {
    auto config = simtest::SingleMakerDesk();
    auto& monitor = config.displays[0].monitors[0];
    monitor.modeRecord = {0x04, 0x01, 0x10, 0x05, 0x01, 0x03, 0xFF};  // 7 bytes
    monitor.serial = "SN-0042";
    monitor.model = "TQ6600W-LONG-MODEL-NAME";
    Host host(config);

    const std::string serialPadded("SN-0042\0\0\0\0\0\0\0\0\0", 16);
    const std::string model = "TQ6600W-LONG-MODEL-NAME";
    struct Case {
        int block;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {0, std::vector<std::uint8_t>(monitor.extendedCapabilities.begin(),
                                      monitor.extendedCapabilities.end())},
        {1, monitor.modeRecord},
        {2, std::vector<std::uint8_t>(serialPadded.begin(), serialPadded.end())},
        // A name that fills the usual 16 bytes still ends in a NUL, in whole words.
        {3,
         [&] {
             std::vector<std::uint8_t> v(model.begin(), model.end());
             v.resize(24, 0);
             return v;
         }()},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(host.ReadBlock(c.block, &bytes)) << "block " << c.block;
        EXPECT_EQ(bytes, c.expected) << "block " << c.block;
    }
}

TEST(SimInformationBlocks, PacksMaximumBeforeCurrentHighByteFirstAndAdvances) {
    auto config = simtest::SingleMakerDesk();
    config.displays[0].monitors[0].modeRecord = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
    Host host(config);
    ASSERT_TRUE(host.Set(0xE1, 0x10, 20));
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    ASSERT_TRUE(host.Get(0xE5, &current));
    EXPECT_EQ(current, 7u);
    ASSERT_TRUE(host.Set(0xE6, 0, 20));
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_EQ(maximum, 0x1122u);
    EXPECT_EQ(current, 0x3344u);
    EXPECT_EQ(host.Read(0xE6), 4u);
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_EQ(maximum, 0x5566u);
    EXPECT_EQ(current, 0x7700u) << "bytes past the length read as zero";

    // Rewinding the offset repeats a word.
    ASSERT_TRUE(host.Set(0xE6, 4, 20));
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_EQ(maximum, 0x5566u);

    EXPECT_FALSE(host.Set(0xE6, 8));
    EXPECT_EQ(host.LastResult(), Outcome::Refused) << "offset beyond the block";
    EXPECT_FALSE(host.Set(0xE5, 3));
    EXPECT_EQ(host.LastResult(), Outcome::Refused) << "length is read-only";
    EXPECT_FALSE(host.Set(0xE7, 3));
    EXPECT_EQ(host.LastResult(), Outcome::Refused) << "data window is read-only";
}

TEST(SimFourValueSet, TakesEffectOnlyWhenCommitted) {
    Host host(simtest::SingleMakerDesk());
    ASSERT_TRUE(host.Set(0xE1, 0xE0));
    for (std::uint8_t code = 0xE4; code <= 0xE7; ++code)
        ASSERT_TRUE(host.Set(code, code - 0xE4 + 10u));
    EXPECT_EQ(host.Read(0xE4), 50u) << "still the committed set";
    std::uint16_t pending[4] = {};
    ASSERT_TRUE(host.desk.PendingQuad(0, pending));
    EXPECT_EQ(pending[3], 13);

    ASSERT_TRUE(host.Set(0xE8, 1));
    EXPECT_EQ(host.Read(0xE4), 10u);
    EXPECT_EQ(host.Read(0xE7), 13u);

    // Abandoning a staged set (commit register written 0) keeps the committed one.
    ASSERT_TRUE(host.Set(0xE5, 99));
    ASSERT_TRUE(host.Set(0xE8, 0));
    ASSERT_TRUE(host.Set(0xE8, 1));
    EXPECT_EQ(host.Read(0xE5), 11u);
    EXPECT_FALSE(host.Set(0xE8, 2));
}

TEST(SimCommands, FactoryColourResetRestoresColourOnly) {
    Host host(simtest::SingleMakerDesk());
    ASSERT_TRUE(host.Set(0x16, 10));
    ASSERT_TRUE(host.Set(0x10, 20));
    ASSERT_TRUE(host.Set(0x62, 5));
    ASSERT_TRUE(host.Set(0xE1, 0x30));
    ASSERT_TRUE(host.Set(0xE3, 9));

    EXPECT_FALSE(host.Set(0x08, 0)) << "zero is no request";
    ASSERT_TRUE(host.Set(0x08, 1));
    EXPECT_EQ(host.Read(0x16), 200u);
    EXPECT_EQ(host.Read(0xE3), 6u);
    EXPECT_EQ(host.Read(0x10), 20u);
    EXPECT_EQ(host.Read(0x62), 5u);
    EXPECT_FALSE(host.Get(0x08)) << "a momentary command has nothing to read";
}

TEST(SimCommands, GainOnAFixedPresetSwitchesToTheUserPreset) {
    sim::DeskConfig config = simtest::SingleMakerDesk();
    sim::MonitorConfig& monitor = config.displays[0].monitors[0];
    const std::string unlisted = "E3 E4 E5)";
    monitor.extendedCapabilities.replace(monitor.extendedCapabilities.find(unlisted),
                                         unlisted.size(), "E3(00 06 0E) E4 E5)");
    monitor.registers[RegisterKey{0x30, 0xE5}].current = 0;
    Host host(config);
    ASSERT_TRUE(host.Set(0xE1, 0x30));

    // Preset 6 fixes the gains: a gain write moves the monitor to its user preset.
    ASSERT_TRUE(host.Set(0x16, 10));
    EXPECT_EQ(host.Read(0xE3), 14u);
    EXPECT_EQ(host.Read(0xE5), 1u);
    // Already on the user preset, or on OFF: the preset stays.
    ASSERT_TRUE(host.Set(0x18, 11));
    EXPECT_EQ(host.Read(0xE3), 14u);
    ASSERT_TRUE(host.Set(0xE3, 0));
    ASSERT_TRUE(host.Set(0x1A, 12));
    EXPECT_EQ(host.Read(0xE3), 0u);

    // The factory colour reset takes preset and indicator back as well.
    ASSERT_TRUE(host.Set(0x08, 1));
    EXPECT_EQ(host.Read(0xE3), 6u);
    EXPECT_EQ(host.Read(0xE5), 0u);
    EXPECT_EQ(host.Read(0x16), 200u);
}

TEST(SimCommands, SoundResetRestoresTheVolume) {
    Host host(simtest::SingleMakerDesk());
    ASSERT_TRUE(host.Set(0x62, 3));
    ASSERT_TRUE(host.Set(0x16, 10));
    ASSERT_TRUE(host.Set(0xE1, 0xF0));
    EXPECT_FALSE(host.Set(0xE2, 5)) << "only the announced command value";
    ASSERT_TRUE(host.Set(0xE3, 10));
    EXPECT_EQ(host.Read(0x62), 3u);
    ASSERT_TRUE(host.Set(0xE2, 4));
    EXPECT_EQ(host.Read(0x62), 15u);
    EXPECT_EQ(host.Read(0x16), 10u);
}

TEST(SimOutsideAccess, ReadsAndSetsWithoutTraffic) {
    Host host(simtest::SingleMakerDesk());
    std::uint16_t current = 0;
    std::uint16_t maximum = 0;
    ASSERT_TRUE(host.desk.ReadRegister(0, RegisterKey{0x30, 0xE2}, &current, &maximum));
    EXPECT_EQ(current, 1);
    EXPECT_EQ(maximum, 47);
    ASSERT_TRUE(host.desk.SetRegister(0, RegisterKey{0, 0xE0}, 4242));
    EXPECT_FALSE(host.desk.SetRegister(0, RegisterKey{0x30, 0x99}, 1));
    EXPECT_FALSE(host.desk.ReadRegister(5, RegisterKey{0, 0x10}, &current));
    EXPECT_TRUE(host.desk.Log().empty());
    EXPECT_EQ(host.Read(0xE0), 4242u);
}

}  // namespace
