// The monitors need time after each command; one that comes too soon is not
// taken. These tests pin the times and what happens to an early command.
#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace {

using sim::Outcome;
using simtest::Host;

struct WriteCase {
    std::uint16_t page;  // selected before the write; 0 = none
    std::uint8_t code;
    std::uint32_t value;
    std::uint32_t settleMs;
};

class SimSettleAfterWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SimSettleAfterWrite, NextCommandWaitsForTheRegistersTime) {
    const WriteCase c = GetParam();
    Host host(simtest::SingleMakerDesk());
    if (c.page != 0) {
        ASSERT_TRUE(host.Set(0xE1, c.page));
    }
    ASSERT_TRUE(host.Set(c.code, c.value, c.settleMs - 1));
    EXPECT_FALSE(host.Get(0x12));
    EXPECT_EQ(host.LastResult(), Outcome::TooEarly);
    EXPECT_EQ(host.desk.SettleViolations(), 1u);

    // The early command did not extend the wait: 1 ms after the due time, all is well.
    Host again(simtest::SingleMakerDesk());
    if (c.page != 0) {
        ASSERT_TRUE(again.Set(0xE1, c.page));
    }
    ASSERT_TRUE(again.Set(c.code, c.value, c.settleMs));
    EXPECT_TRUE(again.Get(0x12));
    EXPECT_EQ(again.desk.SettleViolations(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    SimRegisters, SimSettleAfterWrite,
    ::testing::Values(
        WriteCase{0, 0x08, 1, 330}, WriteCase{0, 0x10, 40, 35}, WriteCase{0, 0x12, 40, 50},
        WriteCase{0, 0x16, 40, 70}, WriteCase{0, 0x1A, 40, 70}, WriteCase{0, 0x62, 4, 30},
        WriteCase{0, 0xE0, 77, 10}, WriteCase{0, 0xE1, 0x30, 20}, WriteCase{0x10, 0xE3, 0, 20},
        WriteCase{0x30, 0xE2, 0, 340}, WriteCase{0x30, 0xE3, 3, 260}, WriteCase{0x30, 0xE4, 2, 158},
        WriteCase{0xE0, 0xE3, 1, 24}, WriteCase{0xE0, 0xE4, 1, 10}, WriteCase{0xE0, 0xE8, 1, 13},
        WriteCase{0xF0, 0xE2, 4, 3200}, WriteCase{0xF0, 0xE3, 10, 120},
        // The same code on the standard page has its own time.
        WriteCase{0, 0x60, 1, 50}));

TEST(SimSettle, ReadsNeedTwentyMillisecondsAndCapabilitiesNone) {
    Host host(simtest::SingleMakerDesk());
    std::uint32_t type = 0, current = 0, maximum = 0;
    ASSERT_EQ(
        host.desk.GetVCPFeatureAndVCPFeatureReply(host.handle, 0x10, &type, &current, &maximum), 1);
    host.clock.Sleep(19);
    EXPECT_EQ(
        host.desk.GetVCPFeatureAndVCPFeatureReply(host.handle, 0x10, &type, &current, &maximum), 0);
    host.clock.Sleep(1);
    EXPECT_EQ(
        host.desk.GetVCPFeatureAndVCPFeatureReply(host.handle, 0x10, &type, &current, &maximum), 1);
    host.clock.Sleep(20);

    std::uint32_t length = 0;
    ASSERT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &length), 1);
    std::string text(length, '\0');
    ASSERT_EQ(host.desk.CapabilitiesRequestAndCapabilitiesReply(host.handle, text.data(), length),
              1);
    EXPECT_EQ(
        host.desk.GetVCPFeatureAndVCPFeatureReply(host.handle, 0x10, &type, &current, &maximum), 1);
    EXPECT_EQ(host.desk.SettleViolations(), 1u);
}

TEST(SimSettle, EarlyWriteIsNotCarriedOut) {
    Host host(simtest::SingleMakerDesk());
    ASSERT_TRUE(host.Set(0x10, 40, 10));
    EXPECT_FALSE(host.Set(0x10, 90));
    EXPECT_EQ(host.Read(0x10), 40u);
}

TEST(SimSettle, CanBeSwitchedOffOrGivenSlack) {
    Host host(simtest::SingleMakerDesk());
    host.desk.SetSettleEnforcement(false);
    ASSERT_TRUE(host.Set(0x10, 40, 0));
    EXPECT_TRUE(host.Get(0x10));

    Host slack(simtest::SingleMakerDesk());
    slack.desk.SetSettleTolerance(2);
    ASSERT_TRUE(slack.Set(0x10, 40, 33));
    EXPECT_TRUE(slack.Get(0x10));
    ASSERT_TRUE(slack.Set(0x10, 40, 32));
    EXPECT_FALSE(slack.Get(0x10));
}

TEST(SimSettle, MonitorsSettleIndependently) {
    auto config = simtest::SingleMakerDesk();
    config.displays.push_back(simtest::Display(2, 1280, 0, 1024, 768));
    config.displays[1].monitors.push_back(simtest::MakerMonitor("TQ3300W", "87654321"));
    Host host(std::move(config));
    ASSERT_EQ(host.desk.SetVCPFeature(host.handle, 0x10, 30), 1);
    std::uint32_t type = 0, current = 0, maximum = 0;
    EXPECT_EQ(host.desk.GetVCPFeatureAndVCPFeatureReply(host.desk.HandleOf(1), 0x10, &type,
                                                        &current, &maximum),
              1);
}

// A host that keeps every wait reads a whole block without a single rejection;
// the same host skipping the sleep after one data read is caught at once.
TEST(SimSettle, CarefulBlockTransferPassesAndAHurriedOneIsCaught) {
    Host careful(simtest::SingleMakerDesk());
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(careful.ReadBlock(0, &bytes));
    EXPECT_EQ(careful.desk.SettleViolations(), 0u);

    Host hurried(simtest::SingleMakerDesk());
    ASSERT_TRUE(hurried.Set(0xE1, 0x10, 20));
    ASSERT_TRUE(hurried.Set(0xE3, 0, 20));
    std::uint32_t type = 0, current = 0, maximum = 0;
    ASSERT_EQ(hurried.desk.GetVCPFeatureAndVCPFeatureReply(hurried.handle, 0xE4, &type, &current,
                                                           &maximum),
              1);
    EXPECT_EQ(hurried.desk.GetVCPFeatureAndVCPFeatureReply(hurried.handle, 0xE4, &type, &current,
                                                           &maximum),
              0);
    EXPECT_EQ(hurried.desk.Log().back().result, Outcome::TooEarly);
}

TEST(SimLatency, DdcCiTimingPassesThroughTheClock) {
    Host host(simtest::SingleMakerDesk());
    host.desk.SetLatency(sim::Latency::DdcCi);
    host.clock.sleeps.clear();
    std::uint32_t type = 0, current = 0, maximum = 0;
    ASSERT_EQ(
        host.desk.GetVCPFeatureAndVCPFeatureReply(host.handle, 0x10, &type, &current, &maximum), 1);
    const std::uint32_t length =
        static_cast<std::uint32_t>(host.desk.ConfigOf(0).capabilities.size() + 1);
    std::uint32_t reported = 0;
    ASSERT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &reported), 0)
        << "the read's 20 ms have not passed";
    host.clock.Sleep(20);
    host.clock.sleeps.clear();
    ASSERT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &reported), 1);
    EXPECT_EQ(reported, length);
    ASSERT_EQ(host.clock.sleeps.size(), 1u);
    EXPECT_EQ(host.clock.sleeps[0], (length + 31) / 32 * 50);
}

}  // namespace
