// Discovery and the access bracket against the simulated desk the programs
// run on. The simulator rejects any command that arrives before the previous
// write has settled, so these runs also prove the waits are long enough.
#ifdef VISTREL_HAVE_SIM

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "monitor/monitor_list.h"
#include "sim/desk.h"
#include "sim/desk_config.h"
#include "support/scripted_ddc.h"
#include "support/virtual_clock.h"

namespace {

using testing_support::FakeProcesses;

class SimulatedDesk : public ::testing::Test {
protected:
    void SetUp() override {
        sim::DeskConfig config;
        std::string error;
        ASSERT_TRUE(sim::LoadDeskConfig(
            std::string(VISTREL_SOURCE_DIR) + "/sim/configs/default-desk.json", &config, &error))
            << error;
        config.statePath.clear();  // the tests must not touch the desk's saved state
        desk = std::make_unique<sim::Desk>(std::move(config), clock);
        list = std::make_unique<MonitorList>(*desk, *desk, *desk, processes, clock, lockHeld);
    }

    void TearDown() override {
        if (desk) {
            EXPECT_EQ(desk->SettleViolations(), 0u) << Transcript();
        }
    }

    // A record for entry `index`, as the status build makes one.
    void Describe(std::size_t index) {
        const MonitorEntry& entry = list->Entries().at(index);
        status.m_bUsable = entry.usable;
        status.m_phPhysicalMonitor = &entry.physicalHandle;
        status.m_Features = entry.features;
        status.m_ExtFeatures = entry.extendedFeatures;
    }

    std::string Transcript() const {
        std::string text;
        for (const sim::Transaction& t : desk->Log()) text += sim::Describe(t) + "\n";
        return text;
    }

    int Writes(int monitor, std::uint8_t code) const {
        int n = 0;
        for (const sim::Transaction& t : desk->Log())
            n += t.monitor == monitor && t.kind == sim::TransactionKind::Set && t.code == code;
        return n;
    }

    testing_support::VirtualClock clock;
    FakeProcesses processes;
    bool lockHeld = false;
    std::unique_ptr<sim::Desk> desk;
    std::unique_ptr<MonitorList> list;
    CMonitorStatus status;
};

TEST_F(SimulatedDesk, FindsTheMakersMonitorsAndNotTheOtherOne) {
    ASSERT_TRUE(list->Discover());
    ASSERT_EQ(list->GetCount(), 3u);
    EXPECT_EQ(list->PhysicalTotal(), 3);
    const auto& e = list->Entries();
    EXPECT_EQ(e[0].label, "1");
    EXPECT_EQ(e[1].label, "2-1");
    EXPECT_EQ(e[2].label, "2-2");
    EXPECT_EQ(e[0].orderKey, 10);
    EXPECT_EQ(e[1].orderKey, 21);
    EXPECT_EQ(e[2].orderKey, 22);
    EXPECT_EQ(e[0].usable, 1);
    EXPECT_EQ(e[1].usable, 1);
    // It shares display 2 with a maker monitor and so passes the position match,
    // but it has no owner or page registers.
    EXPECT_EQ(e[2].usable, 0);
    EXPECT_FALSE(e[2].capabilities.empty());
    EXPECT_TRUE(HasExtendedFeature(e[0].extendedFeatures, 0x30, 0xE2, 0x22));
    // Discovery reads block 0 without claiming the monitor.
    EXPECT_EQ(Writes(0, 0xE0), 0);
    EXPECT_FALSE(lockHeld);
}

TEST_F(SimulatedDesk, AFullBracketLeavesTheMonitorFree) {
    ASSERT_TRUE(list->Discover());
    Describe(0);
    processes.ownId = 0x4242;
    ASSERT_TRUE(list->AcquireMonitor(status.m_phPhysicalMonitor, true));
    std::uint16_t owner = 0;
    ASSERT_TRUE(desk->ReadRegister(0, {0, 0xE0}, &owner));
    EXPECT_EQ(owner, 0x4242);
    ASSERT_TRUE(list->IsMonitorReady(&status));

    std::uint32_t mode = 0;
    std::uint32_t maximum = 0;
    ASSERT_TRUE(list->ReadFeature(&status, 0x30, 0xE2, &mode, &maximum, false, true));
    const std::uint32_t other = mode == 0x11 ? 0x16 : 0x11;
    EXPECT_TRUE(list->WriteFeature(&status, 0x30, 0xE2, other, true));
    EXPECT_FALSE(list->WriteFeature(&status, 0x30, 0xE2, 0x05, true));  // not a listed mode

    std::array<std::uint8_t, 18> serial{};
    std::array<std::uint8_t, 18> model{};
    ASSERT_TRUE(list->ReadBlock(&status, 2, serial.data(), serial.size(), false));
    ASSERT_TRUE(list->ReadBlock(&status, 3, model.data(), model.size(), true));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(serial.data())), "26114073");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(model.data())), "TQ6600W");

    EXPECT_TRUE(list->WriteFeatureQuad(&status, 0, {40, 41, 42, 43}, false));
    std::array<std::uint32_t, 4> quad{};
    EXPECT_TRUE(list->ReadFeatureQuad(&status, 0, &quad, true));
    EXPECT_EQ(quad, (std::array<std::uint32_t, 4>{40, 41, 42, 43}));

    EXPECT_TRUE(list->WriteFeature(&status, 0, 0x10, 70, false));
    EXPECT_TRUE(list->ReleaseMonitor(status.m_phPhysicalMonitor));
    ASSERT_TRUE(desk->ReadRegister(0, {0, 0xE0}, &owner));
    EXPECT_EQ(owner, 0);
    std::uint16_t written = 0;
    ASSERT_TRUE(desk->ReadRegister(0, {0x30, 0xE2}, &written));
    EXPECT_EQ(written, other);
    ASSERT_TRUE(desk->ReadRegister(0, {0, 0x10}, &written));
    EXPECT_EQ(written, 70);
}

TEST_F(SimulatedDesk, AMonitorClaimedByAnotherProgramIsLeftAlone) {
    ASSERT_TRUE(list->Discover());
    Describe(1);
    ASSERT_TRUE(desk->SetRegister(1, {0, 0xE0}, 0x0777));
    processes.running = {{0x0777, "calibrate.exe"}};
    desk->ClearLog();
    EXPECT_FALSE(list->AcquireMonitor(status.m_phPhysicalMonitor, true));
    EXPECT_EQ(Writes(1, 0xE0), 0);
    EXPECT_EQ(desk->Log().size(), 5u);

    // Once that program has gone, the claim is taken over.
    processes.running.clear();
    EXPECT_TRUE(list->AcquireMonitor(status.m_phPhysicalMonitor, true));
    EXPECT_TRUE(list->ReleaseMonitor(status.m_phPhysicalMonitor));
}

TEST_F(SimulatedDesk, BlockReadsSurviveDroppedReplies) {
    ASSERT_TRUE(list->Discover());
    Describe(0);
    ASSERT_TRUE(list->AcquireMonitor(status.m_phPhysicalMonitor, true));
    sim::BlockDrop drop;
    drop.block = 3;
    drop.afterWords = 1;
    drop.times = 3;
    desk->DropBlockRead(0, drop);
    std::array<std::uint8_t, 18> model{};
    ASSERT_TRUE(list->ReadBlock(&status, 3, model.data(), model.size(), false));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(model.data())), "TQ6600W");
    list->ReleaseMonitor(status.m_phPhysicalMonitor);
}

TEST_F(SimulatedDesk, AMonitorThatNeverAnswersIsGivenUpAfterItsCapabilityRetries) {
    desk->FailNext(1, 1000);
    ASSERT_TRUE(list->Discover());
    EXPECT_EQ(list->Entries()[0].usable, 1);
    EXPECT_EQ(list->Entries()[1].usable, 0);
    EXPECT_TRUE(list->Entries()[1].capabilities.empty());
    int requests = 0;
    for (const sim::Transaction& t : desk->Log())
        requests += t.monitor == 1 && t.kind == sim::TransactionKind::CapsLength;
    EXPECT_EQ(requests, 50);
    EXPECT_GE(clock.TotalSlept(), 50u * 200u);
}

TEST_F(SimulatedDesk, ADisconnectedMonitorIsNotMatched) {
    // The maker's library only lists displays with a connected maker monitor.
    desk->SetConnected(0, false);
    ASSERT_TRUE(list->Discover());
    EXPECT_EQ(list->Entries()[0].usable, 0);
    EXPECT_EQ(list->Entries()[1].usable, 1);
}

}  // namespace

#endif  // VISTREL_HAVE_SIM
