// Injected faults: what fails, for how long, and what the monitor did anyway.
#include <algorithm>

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace {

using sim::Outcome;
using sim::RegisterKey;
using simtest::Host;

TEST(SimFaults, FailNextCountsEveryKindOfCommand) {
    Host host(simtest::SingleMakerDesk());
    host.desk.FailNext(0, 3);
    std::uint32_t length = 0;
    EXPECT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &length), 0);
    EXPECT_FALSE(host.Set(0x10, 10));
    EXPECT_FALSE(host.Get(0x10));
    EXPECT_EQ(host.LastResult(), Outcome::Fault);
    EXPECT_EQ(host.Read(0x10), 60u) << "the failed write changed nothing";
}

TEST(SimFaults, SeededRateRepeatsExactly) {
    auto outcomes = [](double rate, std::uint32_t seed) {
        Host host(simtest::SingleMakerDesk());
        host.desk.SetFailRate(0, rate, seed);
        std::vector<bool> results;
        for (int i = 0; i < 200; ++i) results.push_back(host.Get(0x10));
        return results;
    };
    const auto first = outcomes(0.25, 7);
    EXPECT_EQ(first, outcomes(0.25, 7));
    EXPECT_NE(first, outcomes(0.25, 8));
    const auto failures = std::count(first.begin(), first.end(), false);
    EXPECT_GT(failures, 25);
    EXPECT_LT(failures, 80);

    const auto none = outcomes(0.0, 7);
    EXPECT_EQ(std::count(none.begin(), none.end(), false), 0);
    const auto all = outcomes(1.0, 7);
    EXPECT_EQ(std::count(all.begin(), all.end(), true), 0);
}

TEST(SimFaults, FailingReadsOfOneCode) {
    Host host(simtest::SingleMakerDesk());
    host.desk.FailReadsOf(0, sim::FailingRead{true, RegisterKey{0, 0x12}});
    host.desk.FailReadsOf(0, sim::FailingRead{false, RegisterKey{0x30, 0xE2}});
    EXPECT_FALSE(host.Get(0x12));
    EXPECT_TRUE(host.Set(0x12, 10)) << "writes still go through";
    EXPECT_TRUE(host.Get(0x10));

    ASSERT_TRUE(host.Set(0xE1, 0x20));
    EXPECT_TRUE(host.Get(0xE2)) << "0xE2 fails on page 0x30 only";
    ASSERT_TRUE(host.Set(0xE1, 0x30));
    EXPECT_FALSE(host.Get(0xE2));
}

// The reply of a dropped data read is lost after the monitor moved its offset,
// so a host that reads on without rewriting the offset skips a word.
TEST(SimFaults, DroppedBlockReadStillAdvancesTheOffset) {
    auto config = simtest::SingleMakerDesk();
    config.displays[0].monitors[0].modeRecord = {1, 2,  3,  4,  5,  6,  7,  8,
                                                 9, 10, 11, 12, 13, 14, 15, 16};
    Host host(config);
    host.desk.DropBlockRead(0, sim::BlockDrop{1, 2, 1});
    ASSERT_TRUE(host.Set(0xE1, 0x10, 20));
    ASSERT_TRUE(host.Set(0xE6, 0, 20));
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_FALSE(host.Get(0xE7));
    EXPECT_EQ(host.LastResult(), Outcome::Fault);
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_EQ(maximum, 0x0D0Eu) << "word 3 was skipped";

    ASSERT_TRUE(host.Set(0xE6, 8, 20));
    ASSERT_TRUE(host.Get(0xE7, &current, &maximum));
    EXPECT_EQ(maximum, 0x090Au);
    EXPECT_EQ(current, 0x0B0Cu);
}

TEST(SimFaults, DisconnectedMonitorIsSilentButStillOnTheDesktop) {
    auto config = simtest::SingleMakerDesk();
    config.displays.push_back(simtest::Display(2, 1280, 0, 1024, 768));
    config.displays[1].monitors.push_back(simtest::MakerMonitor("TQ3300W", "87654321"));
    Host host(std::move(config));
    host.desk.SetConnected(0, false);

    std::uint32_t count = 0;
    ASSERT_EQ(
        host.desk.GetNumberOfPhysicalMonitorsFromHMONITOR(host.desk.DisplayHandleOf(0), &count), 1);
    EXPECT_EQ(count, 1u);
    std::uint32_t length = 0;
    EXPECT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &length), 0);
    EXPECT_FALSE(host.Set(0x10, 1));
    EXPECT_EQ(host.LastResult(), Outcome::Disconnected);
    std::int32_t makers = 0;
    host.desk.QrxFindMonitors(&makers, 1);
    EXPECT_EQ(makers, 1);

    host.desk.SetConnected(0, true);
    EXPECT_TRUE(host.Get(0x10));
    host.desk.QrxFindMonitors(&makers, 1);
    EXPECT_EQ(makers, 2);
}

TEST(SimFaults, ClearFaultsEndsEveryInjection) {
    Host host(simtest::SingleMakerDesk());
    host.desk.FailNext(0, 100);
    host.desk.SetFailRate(0, 1.0, 3);
    host.desk.FailReadsOf(0, sim::FailingRead{true, RegisterKey{0, 0x10}});
    host.desk.SetConnected(0, false);
    host.desk.ClearFaults(0);
    EXPECT_TRUE(host.Get(0x10));
}

TEST(SimFaults, BadHandlesAreLoggedAndRefused) {
    Host host(simtest::SingleMakerDesk());
    std::uint32_t type = 0, current = 0, maximum = 0;
    EXPECT_EQ(host.desk.GetVCPFeatureAndVCPFeatureReply(0, 0x10, &type, &current, &maximum), 0);
    EXPECT_EQ(host.desk.SetVCPFeature(host.desk.DisplayHandleOf(0), 0x10, 1), 0)
        << "a display handle is no physical monitor";
    const auto log = host.desk.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].result, Outcome::BadHandle);
    EXPECT_EQ(log[1].monitor, -1);
}

}  // namespace
