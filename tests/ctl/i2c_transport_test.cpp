// The I2C transport against the simulator's byte-level front: frames, the waits
// the DDC/CI standard asks for, fragments, and what it does with damaged replies.
#include <algorithm>

#include "ctl_fixture.h"

namespace ctltest {
namespace {

class Transport : public CtlDesk {
protected:
    void SetUp() override {
        CtlDesk::SetUp();
        i2c = std::make_unique<I2cDesk>(ScanDrmConnectors((folder / "drm").string()), buses, clock);
        std::uint32_t count = 0;
        ASSERT_EQ(i2c->GetNumberOfPhysicalMonitorsFromHMONITOR(1, &count), 1);
        ASSERT_EQ(count, 1u);
        platform::PhysicalMonitor monitor;
        ASSERT_EQ(i2c->GetPhysicalMonitorsFromHMONITOR(1, 1, &monitor), 1);
        handle = monitor.handle;
        EXPECT_EQ(monitor.description, "TQ6600W") << "named from its EDID";
    }
    std::size_t DeskCommands() const { return desk->Log().size(); }

    std::unique_ptr<I2cDesk> i2c;
    platform::PhysicalMonitorHandle handle = 0;
};

TEST_F(Transport, GetWaitsForTheReplyAndSetForTheMonitorToTakeIt) {
    std::uint32_t type = 9, current = 0, maximum = 0;
    ASSERT_EQ(i2c->GetVCPFeatureAndVCPFeatureReply(handle, 0x10, &type, &current, &maximum), 1);
    EXPECT_EQ(current, 60u);
    EXPECT_EQ(maximum, 100u);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{40});

    ASSERT_EQ(i2c->SetVCPFeature(handle, 0x10, 70), 1);
    EXPECT_EQ(Register(0, 0, 0x10), 70);
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{40, 50}));
    EXPECT_EQ(fronts[0]->Stats().requests, 2u);
    EXPECT_EQ(fronts[0]->Stats().earlyReads, 0u);
    EXPECT_EQ(fronts[0]->Stats().badRequests, 0u);

    // A code the monitor does not have is answered as such, not tried again.
    ASSERT_EQ(i2c->GetVCPFeatureAndVCPFeatureReply(handle, 0x99, &type, &current, &maximum), 0);
    EXPECT_EQ(fronts[0]->Stats().requests, 3u);
    EXPECT_EQ(clock.sleeps.size(), 3u);
}

TEST_F(Transport, CapabilitiesComeInFragmentsUntilAnEmptyOne) {
    const std::string expected = desk->ConfigOf(0).capabilities;
    std::uint32_t length = 0;
    ASSERT_EQ(i2c->GetCapabilitiesStringLength(handle, &length), 1);
    EXPECT_EQ(length, expected.size() + 1);
    std::vector<char> text(length);
    ASSERT_EQ(i2c->CapabilitiesRequestAndCapabilitiesReply(handle, text.data(), length), 1);
    EXPECT_EQ(std::string(text.data()), expected);
    const std::size_t fragments = (expected.size() + 31) / 32 + 1;
    EXPECT_EQ(fronts[0]->Stats().requests, fragments) << "read once, handed out by the second call";
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(fragments, 50));
}

class DamagedReply : public Transport, public ::testing::WithParamInterface<sim::FrameFault> {};

TEST_P(DamagedReply, IsReadAgainWithoutAskingAgain) {
    // The information blocks' data window moves on with every request: asking
    // twice would hand back the next word as if it were this one.
    fronts[0]->FailNextReads(GetParam(), 2);
    std::uint32_t type = 0, current = 0, maximum = 0;
    ASSERT_EQ(i2c->GetVCPFeatureAndVCPFeatureReply(handle, 0x12, &type, &current, &maximum), 1);
    EXPECT_EQ(current, 50u);
    EXPECT_EQ(fronts[0]->Stats().requests, 1u);
    EXPECT_EQ(DeskCommands(), 1u);
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{40, 40, 40}));

    // Three damaged reads in a row: the read fails, still asked only once; the
    // access layer above decides what to do (a block read rewrites its offset).
    fronts[0]->FailNextReads(GetParam(), 3);
    EXPECT_EQ(i2c->GetVCPFeatureAndVCPFeatureReply(handle, 0x12, &type, &current, &maximum), 0);
    EXPECT_EQ(fronts[0]->Stats().requests, 2u);
    EXPECT_EQ(DeskCommands(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedReply,
                         ::testing::Values(sim::FrameFault::Nak, sim::FrameFault::BadChecksum,
                                           sim::FrameFault::Truncated,
                                           sim::FrameFault::NullMessage),
                         [](const auto& info) {
                             std::string name = sim::FrameFaultName(info.param);
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

TEST_F(Transport, UnacknowledgedRequestsAreSentAgainAndThenGivenUp) {
    fronts[0]->FailNextWrites(2);
    ASSERT_EQ(i2c->SetVCPFeature(handle, 0x12, 40), 1);
    EXPECT_EQ(Register(0, 0, 0x12), 40);
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{50, 50, 50}));
    EXPECT_EQ(DeskCommands(), 1u) << "the monitor took it once";

    fronts[0]->FailNextWrites(3);
    EXPECT_EQ(i2c->SetVCPFeature(handle, 0x12, 30), 0);
    EXPECT_EQ(Register(0, 0, 0x12), 40);

    fronts[0]->FailNextWrites(1);
    std::uint32_t type = 0, current = 0, maximum = 0;
    ASSERT_EQ(i2c->GetVCPFeatureAndVCPFeatureReply(handle, 0x12, &type, &current, &maximum), 1);
    EXPECT_EQ(current, 40u);
}

TEST_F(Transport, ADamagedCapabilitiesFragmentIsAskedForAgainAtItsOffset) {
    // Fragments name their offset, so asking again cannot skip any.
    fronts[0]->FailNextReads(sim::FrameFault::BadChecksum, 3);
    std::uint32_t length = 0;
    ASSERT_EQ(i2c->GetCapabilitiesStringLength(handle, &length), 1);
    EXPECT_EQ(length, desk->ConfigOf(0).capabilities.size() + 1);
    const std::size_t fragments = (desk->ConfigOf(0).capabilities.size() + 31) / 32 + 1;
    EXPECT_EQ(fronts[0]->Stats().requests, fragments + 1);
}

TEST_F(Transport, ABusThatCannotBeOpenedIsReportedOnceAsTheUsersProblem) {
    buses.refuse = "no permission to open /dev/i2c-3: add your user to the i2c group";
    I2cDesk refused(ScanDrmConnectors((folder / "drm").string()), buses, clock);
    std::uint32_t length = 0;
    EXPECT_EQ(refused.GetCapabilitiesStringLength(0x100, &length), 0);
    EXPECT_EQ(refused.OpenProblem(), buses.refuse);
    EXPECT_TRUE(clock.sleeps.empty());
}

}  // namespace
}  // namespace ctltest
