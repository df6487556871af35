// The access protocol against a scripted monitor: exact DDC/CI traffic and
// waits, refusals without traffic, retries and the owner claim.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "monitor/access/owner.h"
#include "monitor/monitor_list.h"
#include "support/scripted_ddc.h"

namespace {

using testing_support::FakeDesktop;
using testing_support::FakeMakerLibrary;
using testing_support::FakeProcesses;
using testing_support::ScriptedDdc;
using testing_support::Trace;
using testing_support::TracingClock;

const char kStandard[] = "vcp(08(01) 10 12 14 16 18 1a 62 e0 e1)mswhql(1)mccs_ver(2.2)";
const char kExtended[] =
    "10(e2 e3 e4 e5 e6 e7 e8 e9 ea eb ec ed)20(e2 e6)30(e2 e3(00 01 02 03 04) e4 e5)"
    "e0(e3 e4 e5 e6 e7 e8)f0(e2 e3)";

long Count(const Trace& trace, const std::string& entry) {
    return std::count(trace.begin(), trace.end(), entry);
}

void Describe(CMonitorStatus& status, const platform::PhysicalMonitorHandle* handle) {
    status.m_bUsable = 1;
    status.m_phPhysicalMonitor = handle;
    ParseCapabilities(kStandard, status.m_Features);
    ParseExtendedCapabilities(kExtended, status.m_ExtFeatures);
}

class Access : public ::testing::Test {
protected:
    Access() { Describe(status, &handle); }

    // Claims the monitor and forgets the claim's traffic.
    void Acquire() {
        ASSERT_TRUE(list.AcquireMonitor(&handle, true));
        trace.clear();
    }

    Trace trace;
    TracingClock clock{trace};
    ScriptedDdc ddc{trace};
    FakeDesktop desktop;
    FakeMakerLibrary maker{trace};
    FakeProcesses processes;
    bool lockHeld = false;
    MonitorList list{ddc, desktop, maker, processes, clock, lockHeld};
    platform::PhysicalMonitorHandle handle = 0x51;
    CMonitorStatus status;
};

// ---- Acquire and release ---------------------------------------------------

TEST_F(Access, AcquireClaimsAFreeMonitorWithOwnProcessId) {
    EXPECT_TRUE(list.AcquireMonitor(&handle, true));
    EXPECT_TRUE(lockHeld);
    EXPECT_EQ(trace, (Trace{"get E0", "sleep 20", "set E0=1234", "sleep 10"}));
    EXPECT_EQ(ddc.Register(0, 0xE0), 0x1234u);
}

TEST_F(Access, AcquireTakesOverAnExitedOwnerOrAnotherCopy) {
    struct Case {
        const char* name;
        std::vector<platform::ProcessEntry> running;
    };
    const Case cases[] = {
        {"exited", {{0x0999, "notepad.exe"}}},
        {"another copy", {{0x0777, "C:\\Program Files\\Orvex\\VistrelDdcCi.exe"}}},
        {"copy without extension", {{0x0777, "vistrelddcci"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ddc.SetRegister(0, 0xE0, 0x0777);
        processes.running = c.running;
        trace.clear();
        EXPECT_TRUE(list.AcquireMonitor(&handle, true));
        EXPECT_EQ(trace, (Trace{"get E0", "sleep 20", "set E0=1234", "sleep 10"}));
    }
}

TEST_F(Access, AcquireLeavesAMonitorThatAnotherProgramOwns) {
    ddc.SetRegister(0, 0xE0, 0x0777);
    processes.running = {{0x0777, "calibrator.exe"}};
    lockHeld = true;  // stale from an earlier claim; cleared by the attempt

    EXPECT_FALSE(list.AcquireMonitor(&handle, true));
    EXPECT_FALSE(lockHeld);
    Trace expected;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) expected.push_back("sleep 200");
        expected.push_back("get E0");
        expected.push_back("sleep 20");
    }
    EXPECT_EQ(trace, expected);
    EXPECT_EQ(ddc.Register(0, 0xE0), 0x0777u);

    trace.clear();
    EXPECT_FALSE(list.AcquireMonitor(&handle, false));
    EXPECT_EQ(trace, (Trace{"get E0", "sleep 20"}));

    // The pages release even after a failed claim; nothing is written then.
    trace.clear();
    EXPECT_TRUE(list.ReleaseMonitor(&handle));
    EXPECT_TRUE(trace.empty());
}

TEST_F(Access, AcquireRetriesAFailedOwnerRead) {
    ddc.FailReads(0, 0xE0, 2);
    EXPECT_TRUE(list.AcquireMonitor(&handle, true));
    EXPECT_EQ(trace, (Trace{"get E0", "sleep 20", "sleep 200", "get E0", "sleep 20", "sleep 200",
                            "get E0", "sleep 20", "set E0=1234", "sleep 10"}));
}

TEST_F(Access, AcquireFailsWhenTheClaimCannotBeWritten) {
    ddc.FailWrites(0, 0xE0, 1);
    EXPECT_FALSE(list.AcquireMonitor(&handle, true));
    EXPECT_FALSE(lockHeld);
}

TEST_F(Access, AcquireWithoutMonitorClearsTheFlagWithoutTraffic) {
    lockHeld = true;
    EXPECT_FALSE(list.AcquireMonitor(nullptr, true));
    EXPECT_FALSE(lockHeld);
    EXPECT_TRUE(trace.empty());
}

TEST_F(Access, ReleaseFreesTheOwnerRegister) {
    Acquire();
    EXPECT_TRUE(list.ReleaseMonitor(&handle));
    EXPECT_FALSE(lockHeld);
    EXPECT_EQ(trace, (Trace{"set E0=00", "sleep 10"}));
    EXPECT_EQ(ddc.Register(0, 0xE0), 0u);
}

TEST_F(Access, ReleaseRetriesAFailedWrite) {
    Acquire();
    ddc.FailWrites(0, 0xE0, 2);
    EXPECT_TRUE(list.ReleaseMonitor(&handle));
    EXPECT_EQ(trace, (Trace{"set E0=00", "sleep 10", "sleep 200", "set E0=00", "sleep 10",
                            "sleep 200", "set E0=00", "sleep 10"}));
    EXPECT_EQ(ddc.Register(0, 0xE0), 0u);
    trace.clear();
    EXPECT_TRUE(list.ReleaseStillClaimed());
    EXPECT_TRUE(trace.empty()) << "a monitor freed in time is not written again";
}

TEST_F(Access, ReleaseReportsFailuresAndAlwaysClearsTheFlag) {
    Acquire();
    ddc.FailWrites(0, 0xE0, 3);
    EXPECT_FALSE(list.ReleaseMonitor(&handle));
    EXPECT_FALSE(lockHeld);
    EXPECT_EQ(Count(trace, "set E0=00"), 3);

    Acquire();
    EXPECT_FALSE(list.ReleaseMonitor(nullptr));
    EXPECT_FALSE(lockHeld);
    EXPECT_TRUE(trace.empty());
}

// Exit, the end of the session and the next discovery free what a failed release left.
TEST_F(Access, AMonitorLeftClaimedIsFreedLaterOnce) {
    Acquire();
    ddc.FailWrites(0, 0xE0, 3);
    ASSERT_FALSE(list.ReleaseMonitor(&handle));
    ASSERT_EQ(ddc.Register(0, 0xE0), 0x1234u);
    trace.clear();
    EXPECT_TRUE(list.ReleaseStillClaimed());
    EXPECT_EQ(trace, (Trace{"set E0=00", "sleep 10"}));
    EXPECT_EQ(ddc.Register(0, 0xE0), 0u);
    trace.clear();
    EXPECT_TRUE(list.ReleaseStillClaimed());
    EXPECT_TRUE(trace.empty());

    // A later claim and release of the same monitor settles it as well.
    Acquire();
    ddc.FailWrites(0, 0xE0, 3);
    ASSERT_FALSE(list.ReleaseMonitor(&handle));
    Acquire();
    ASSERT_TRUE(list.ReleaseMonitor(&handle));
    trace.clear();
    EXPECT_TRUE(list.ReleaseStillClaimed());
    EXPECT_TRUE(trace.empty());
}

// Process ids wider than the register: only their low 16 bits reach the monitor.
TEST(OwnerRule, ComparesOwnersInTheRegistersSixteenBits) {
    struct Case {
        const char* name;
        std::uint32_t owner;
        std::vector<platform::ProcessEntry> running;
        bool snapshotFails;
        bool replaceable;
    };
    const Case cases[] = {
        {"free", 0, {}, true, true},
        {"free in the low bits", 0x30000, {{0x30000, "other.exe"}}, false, true},
        {"exited", 0x0777, {{0x0778, "other.exe"}}, false, true},
        {"own process, any name", 0x2345, {{0x12345, "test_runner.exe"}}, false, true},
        {"copy with a wide id", 0x0777, {{0x10777, "VISTRELDDCCI.EXE"}}, false, true},
        {"other program with a wide id", 0x0777, {{0x10777, "other.exe"}}, false, false},
        {"copy and other program share the low bits",
         0x0777,
         {{0x10777, "vistrelddcci.exe"}, {0x20777, "other.exe"}},
         false,
         false},
        {"no process list", 0x0777, {}, true, false},
        {"name with dots in the folder", 0x0777, {{0x0777, "C:\\a.b\\vistrelddcci"}}, false, true},
        {"similar name", 0x0777, {{0x0777, "vistrelddcci2.exe"}}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeProcesses processes;
        processes.ownId = 0x12345;
        processes.running = c.running;
        processes.snapshotFails = c.snapshotFails;
        EXPECT_EQ(IsReplaceableOwner(processes, c.owner), c.replaceable);
    }
}

TEST_F(Access, AcquireWritesTheLowBitsOfAWideProcessId) {
    processes.ownId = 0x12345;
    EXPECT_TRUE(list.AcquireMonitor(&handle, true));
    EXPECT_EQ(trace, (Trace{"get E0", "sleep 20", "set E0=2345", "sleep 10"}));
}

// ---- Single features -----------------------------------------------------------

TEST_F(Access, ReadsStandardCodesWithoutAClaim) {
    ddc.SetRegister(0, 0x10, 60, 100);
    std::uint32_t current = 7;
    std::uint32_t maximum = 7;
    EXPECT_TRUE(list.ReadFeature(&status, 0, 0x10, &current, &maximum, false, true));
    EXPECT_EQ(current, 60u);
    EXPECT_EQ(maximum, 100u);
    EXPECT_EQ(trace, (Trace{"get 10", "sleep 20"}));
}

TEST_F(Access, RefusedReadsLeaveOutputsAloneAndSendNothing) {
    CMonitorStatus noMonitor;
    Describe(noMonitor, nullptr);
    std::uint32_t current = 7;
    std::uint32_t maximum = 7;
    EXPECT_FALSE(
        list.ReadFeature(&status, 0, 0x20, &current, &maximum, false, true));  // not listed
    EXPECT_FALSE(
        list.ReadFeature(&status, 0x30, 0xE2, &current, &maximum, false, true));  // no claim
    EXPECT_FALSE(list.ReadFeature(&status, 0x30, 0xEF, &current, &maximum, false, true));
    EXPECT_FALSE(list.ReadFeature(&noMonitor, 0, 0x10, &current, &maximum, false, true));
    EXPECT_FALSE(list.ReadFeature(nullptr, 0, 0x10, &current, &maximum, false, true));
    EXPECT_FALSE(list.ReadFeature(&status, 0, 0x10, nullptr, &maximum, false, true));
    EXPECT_EQ(current, 7u);
    EXPECT_EQ(maximum, 7u);
    EXPECT_TRUE(trace.empty());
}

TEST_F(Access, ReadsMakerPagesAfterSelectingThePage) {
    Acquire();
    ddc.selectedPage = 0;
    ddc.SetRegister(0x30, 0xE2, 5, 47);
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    EXPECT_TRUE(list.ReadFeature(&status, 0x30, 0xE2, &current, &maximum, false, false));
    EXPECT_EQ(current, 5u);
    EXPECT_EQ(trace, (Trace{"set E1=30", "sleep 20", "get E2", "sleep 20"}));

    trace.clear();
    EXPECT_TRUE(list.ReadFeature(&status, 0x30, 0xE3, &current, &maximum, true, false));
    EXPECT_EQ(trace, (Trace{"get E3", "sleep 20"}));
}

TEST_F(Access, FailedPageSelectionLeavesTheTargetRegisterAlone) {
    Acquire();
    ddc.FailWrites(0, 0xE1, 1);
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    EXPECT_FALSE(list.ReadFeature(&status, 0x30, 0xE2, &current, &maximum, false, true));
    EXPECT_EQ(trace, (Trace{"set E1=30", "sleep 20"}));
}

TEST_F(Access, ReadRetriesFiveTimesAndReportsZeroWhenAllFail) {
    ddc.SetRegister(0, 0x12, 50, 100);
    ddc.FailAllReads(0, 0x12);
    std::uint32_t current = 7;
    std::uint32_t maximum = 7;
    EXPECT_FALSE(list.ReadFeature(&status, 0, 0x12, &current, &maximum, false, true));
    EXPECT_EQ(current, 0u);
    EXPECT_EQ(maximum, 0u);
    EXPECT_EQ(trace, (Trace{"get 12", "sleep 20", "sleep 30", "get 12", "sleep 20", "sleep 30",
                            "get 12", "sleep 20", "sleep 30", "get 12", "sleep 20", "sleep 30",
                            "get 12", "sleep 20"}));

    trace.clear();
    EXPECT_FALSE(list.ReadFeature(&status, 0, 0x12, &current, &maximum, false, false));
    EXPECT_EQ(trace, (Trace{"get 12", "sleep 20"}));
}

TEST_F(Access, ReadSucceedsOnALaterAttempt) {
    ddc.SetRegister(0, 0x12, 50, 100);
    ddc.FailReads(0, 0x12, 2);
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    EXPECT_TRUE(list.ReadFeature(&status, 0, 0x12, &current, &maximum, false, true));
    EXPECT_EQ(current, 50u);
    EXPECT_EQ(Count(trace, "get 12"), 3);
    EXPECT_EQ(Count(trace, "sleep 30"), 2);
}

TEST_F(Access, StandardWritesUseTheCodesSettlingDelay) {
    struct Case {
        std::uint8_t code;
        std::uint32_t value;
        bool written;
        std::uint32_t delay;
    };
    const Case cases[] = {
        {0x10, 50, true, 35},         {0x12, 50, true, 50}, {0x16, 3, true, 70},
        {0x18, 3, true, 70},          {0x1A, 3, true, 70},  {0x62, 9, true, 30},
        {0x08, 1, true, 330},         {0x08, 2, false, 0},  // 0x08 lists only the value 1
        {0x14, 5, false, 0},           // listed, but no settling time is known for it
        {0x20, 1, false, 0},           // not listed
        {0x10, 0x10000, false, 0},     // wider than a VCP value
        {0x10, 0xFFFFFFFF, false, 0},  // never the "any value" wildcard
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << " value " << c.value);
        trace.clear();
        EXPECT_EQ(list.WriteFeature(&status, 0, c.code, c.value, false), c.written);
        if (c.written) {
            char set[32];
            std::snprintf(set, sizeof set, "set %02X=%02X", c.code, c.value);
            EXPECT_EQ(trace, (Trace{set, "sleep " + std::to_string(c.delay)}));
        } else {
            EXPECT_TRUE(trace.empty());
        }
    }
}

TEST_F(Access, MakerPageWritesCheckValueDelayRowAndClaim) {
    // Without the claim nothing goes out, even for a listed value.
    EXPECT_FALSE(list.WriteFeature(&status, 0x30, 0xE3, 4, false));
    EXPECT_TRUE(trace.empty());

    Acquire();
    EXPECT_FALSE(list.WriteFeature(&status, 0x30, 0xE3, 5, false));  // value not listed
    EXPECT_FALSE(list.WriteFeature(&status, 0x30, 0xE5, 1, false));  // no delay row
    EXPECT_FALSE(list.WriteFeature(&status, 0x40, 0xE2, 1, false));  // page not listed
    EXPECT_TRUE(trace.empty());

    EXPECT_TRUE(list.WriteFeature(&status, 0x30, 0xE3, 4, false));
    EXPECT_EQ(trace, (Trace{"set E1=30", "sleep 20", "set E3=04", "sleep 260"}));

    trace.clear();
    EXPECT_TRUE(list.WriteFeature(&status, 0xF0, 0xE2, 4, true));
    EXPECT_EQ(trace, (Trace{"set E2=04", "sleep 3200"}));
}

TEST_F(Access, MakerPageWriteStopsAtAFailedPageSelection) {
    Acquire();
    ddc.FailWrites(0, 0xE1, 1);
    EXPECT_FALSE(list.WriteFeature(&status, 0x30, 0xE2, 3, false));
    EXPECT_EQ(trace, (Trace{"set E1=30", "sleep 20"}));
}

TEST_F(Access, ReadinessNeedsOneThenZero) {
    struct Case {
        std::uint32_t e2;
        std::uint32_t e6;
        bool ready;
    };
    const Case cases[] = {{1, 0, true}, {0, 0, false}, {1, 1, false}, {2, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.e2 << "/" << c.e6);
        Acquire();
        ddc.SetRegister(0x20, 0xE2, c.e2);
        ddc.SetRegister(0x20, 0xE6, c.e6);
        EXPECT_EQ(list.IsMonitorReady(&status), c.ready);
        if (c.ready) {
            EXPECT_EQ(trace, (Trace{"set E1=20", "sleep 20", "get E2", "sleep 20", "set E1=20",
                                    "sleep 20", "get E6", "sleep 20"}));
        }
    }
    list.ReleaseMonitor(&handle);
    trace.clear();
    EXPECT_FALSE(list.IsMonitorReady(&status));
    EXPECT_TRUE(trace.empty());
}

// ---- Blocks --------------------------------------------------------------------

TEST_F(Access, ReadsABlockWordByWordAndCutsItToItsLength) {
    Acquire();
    ddc.SetBlock(2, std::string("SN12345", 7));
    std::array<std::uint8_t, 18> buffer;
    buffer.fill(0xAA);
    std::size_t length = 0;
    EXPECT_TRUE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), false, &length));
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), 7), "SN12345");
    EXPECT_EQ(buffer[7], 0xAA);
    EXPECT_EQ(trace, (Trace{"set E1=10", "sleep 20", "get E8", "sleep 20", "set E9=00", "sleep 20",
                            "get EA", "sleep 20", "get EA", "sleep 20"}));
}

TEST_F(Access, BlockBytesComeMaximumFirstHighByteFirst) {
    Acquire();
    ddc.SetBlock(3, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    ddc.selectedPage = 0x10;
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_TRUE(list.ReadBlock(&status, 3, buffer.data(), buffer.size(), true));
    EXPECT_EQ(buffer, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Access, ABlockLongerThanTheBufferIsCut) {
    Acquire();
    ddc.SetBlock(2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    std::array<std::uint8_t, 24> storage;
    storage.fill(0xAA);
    std::size_t length = 0;
    EXPECT_TRUE(list.ReadBlock(&status, 2, storage.data(), 18, false, &length));
    EXPECT_EQ(length, 18u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(storage.data()), 18), "ABCDEFGHIJKLMNOPQR");
    EXPECT_TRUE(
        std::all_of(storage.begin() + 18, storage.end(), [](std::uint8_t b) { return b == 0xAA; }));
    // Only the five words that fill the buffer are fetched.
    EXPECT_EQ(Count(trace, "get EA"), 5);

    // A nonsense length costs no more than the buffer's words either.
    ddc.SetBlock(3, "MODEL", 0xFFFF);
    trace.clear();
    EXPECT_TRUE(list.ReadBlock(&status, 3, storage.data(), 18, false, &length));
    EXPECT_EQ(length, 18u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(storage.data()), 6),
              std::string("MODEL\0", 6));
    EXPECT_EQ(Count(trace, "get ED"), 5);
}

TEST_F(Access, RefusedBlockReadsSendNothing) {
    CMonitorStatus noBlocks;
    Describe(noBlocks, &handle);
    noBlocks.m_ExtFeatures.erase(ExtendedFeatureKey{0x10, 0xE9});
    std::array<std::uint8_t, 18> buffer{};
    EXPECT_FALSE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), false));  // no claim
    Acquire();
    EXPECT_FALSE(list.ReadBlock(&noBlocks, 2, buffer.data(), buffer.size(), false));
    EXPECT_FALSE(list.ReadBlock(&status, 4, buffer.data(), buffer.size(), false));
    EXPECT_FALSE(list.ReadBlock(&status, -1, buffer.data(), buffer.size(), false));
    EXPECT_FALSE(list.ReadBlock(&status, 2, nullptr, 18, false));
    EXPECT_TRUE(trace.empty());

    // Block 0 holds the extended capabilities, so it is read without them.
    CMonitorStatus unknown;
    unknown.m_phPhysicalMonitor = &handle;
    ddc.SetBlock(0, "10(e2)");
    EXPECT_TRUE(list.ReadBlock(&unknown, 0, buffer.data(), buffer.size(), false));
}

TEST_F(Access, DataReadFailuresRewriteTheOffsetAndRetry) {
    Acquire();
    ddc.SetBlock(1, "ABCDEFGH");
    ddc.ScriptReads(0x10, 0xE7, ".x");  // the second word fails once
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_TRUE(list.ReadBlock(&status, 1, buffer.data(), buffer.size(), false));
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), "ABCDEFGH");
    EXPECT_EQ(trace, (Trace{"set E1=10", "sleep 20", "get E5", "sleep 20", "set E6=00", "sleep 20",
                            "get E7", "sleep 20", "get E7", "sleep 20", "set E6=04", "sleep 20",
                            "sleep 100", "get E7", "sleep 20"}));
}

TEST_F(Access, BlockGivesUpAfterThirtyRetriesSpreadOverItsWords) {
    Acquire();
    ddc.SetBlock(1, std::string(12, 'z'));
    // 20 failures on the first word and 11 on the third: 31 failed reads.
    ddc.ScriptReads(0x10, 0xE7, std::string(20, 'x') + "." + "." + std::string(11, 'x'));
    std::array<std::uint8_t, 12> buffer;
    buffer.fill(0xAA);
    EXPECT_FALSE(list.ReadBlock(&status, 1, buffer.data(), buffer.size(), false));
    EXPECT_EQ(Count(trace, "get E7"), 33);
    EXPECT_EQ(Count(trace, "sleep 100"), 30);
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xAA; }));

    // One failure fewer and the block comes through.
    trace.clear();
    ddc.ScriptReads(0x10, 0xE7, std::string(20, 'x') + "." + "." + std::string(10, 'x'));
    EXPECT_TRUE(list.ReadBlock(&status, 1, buffer.data(), buffer.size(), false));
    EXPECT_EQ(Count(trace, "get E7"), 33);
}

TEST_F(Access, RetryWhoseOffsetRewriteFailsSkipsTheLongWaitButCounts) {
    Acquire();
    ddc.SetBlock(2, "SN");
    ddc.ScriptReads(0x10, 0xEA, "x");
    ddc.ScriptWrites(0x10, 0xE9, ".x");  // the start is accepted, the rewrite is not
    std::array<std::uint8_t, 18> buffer{};
    EXPECT_TRUE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), false));
    EXPECT_EQ(trace, (Trace{"set E1=10", "sleep 20", "get E8", "sleep 20", "set E9=00", "sleep 20",
                            "get EA", "sleep 20", "set E9=00", "sleep 20", "get EA", "sleep 20"}));

    // Each failed rewrite still uses up one of the block's 30 retries.
    trace.clear();
    ddc.ScriptReads(0x10, 0xEA, std::string(31, 'x'));
    ddc.ScriptWrites(0x10, 0xE9, "." + std::string(30, 'x'));
    EXPECT_FALSE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), true));
    EXPECT_EQ(Count(trace, "get EA"), 31);
    EXPECT_EQ(Count(trace, "sleep 100"), 0);
}

TEST_F(Access, UnreadableOrImpossibleBlockLengthsFail) {
    Acquire();
    std::array<std::uint8_t, 18> buffer;
    buffer.fill(0xAA);
    ddc.SetBlock(2, "SN");
    ddc.FailReads(0x10, 0xE8, 1);
    EXPECT_FALSE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), false));

    ddc.SetBlock(2, "SN", 0x10000);
    trace.clear();
    EXPECT_FALSE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), false));
    EXPECT_EQ(trace, (Trace{"set E1=10", "sleep 20", "get E8", "sleep 20"}));
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 0xAA; }));
}

TEST_F(Access, AnEmptyBlockReadsNoWords) {
    Acquire();
    ddc.SetBlock(2, "");
    std::array<std::uint8_t, 18> buffer{};
    std::size_t length = 99;
    EXPECT_TRUE(list.ReadBlock(&status, 2, buffer.data(), buffer.size(), true, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Count(trace, "get EA"), 0);
}

// ---- Four-value set ---------------------------------------------------------------

TEST_F(Access, ReadsTheFourValueSet) {
    Acquire();
    ddc.selectedPage = 0xE0;
    for (std::uint8_t code = 0xE4; code <= 0xE7; ++code) ddc.SetRegister(0xE0, code, code - 0xE0u);
    std::array<std::uint32_t, 4> values{};
    EXPECT_TRUE(list.ReadFeatureQuad(&status, 0, &values, false));
    EXPECT_EQ(values, (std::array<std::uint32_t, 4>{4, 5, 6, 7}));
    EXPECT_EQ(trace, (Trace{"set E1=E0", "sleep 20", "get E4", "sleep 20", "get E5", "sleep 20",
                            "get E6", "sleep 20", "get E7", "sleep 20"}));

    values = {9, 9, 9, 9};
    ddc.FailReads(0xE0, 0xE6, 1);
    EXPECT_FALSE(list.ReadFeatureQuad(&status, 0, &values, true));
    EXPECT_EQ(values, (std::array<std::uint32_t, 4>{9, 9, 9, 9}));
    EXPECT_FALSE(list.ReadFeatureQuad(&status, 1, &values, true));
}

TEST_F(Access, WritesAndCommitsTheFourValueSet) {
    Acquire();
    EXPECT_TRUE(list.WriteFeatureQuad(&status, 0, {1, 2, 3, 4}, false));
    EXPECT_EQ(trace,
              (Trace{"set E1=E0", "sleep 20", "set E4=01", "sleep 10", "set E5=02", "sleep 10",
                     "set E6=03", "sleep 10", "set E7=04", "sleep 10", "set E8=01", "sleep 13"}));

    trace.clear();
    ddc.FailWrites(0xE0, 0xE5, 1);
    EXPECT_FALSE(list.WriteFeatureQuad(&status, 0, {1, 2, 3, 4}, true));
    EXPECT_EQ(trace, (Trace{"set E4=01", "sleep 10", "set E5=02", "sleep 10"}));
}

TEST_F(Access, FourValueSetIsRefusedWithoutClaimOrListedRegisters) {
    std::array<std::uint32_t, 4> values = {9, 9, 9, 9};
    EXPECT_FALSE(list.ReadFeatureQuad(&status, 0, &values, false));
    EXPECT_FALSE(list.WriteFeatureQuad(&status, 0, {1, 2, 3, 4}, false));
    EXPECT_TRUE(trace.empty());

    Acquire();
    for (std::uint8_t missing = 0xE4; missing <= 0xE7; ++missing) {
        SCOPED_TRACE(testing::Message() << "without " << std::hex << int(missing));
        CMonitorStatus partial;
        Describe(partial, &handle);
        partial.m_ExtFeatures.erase(ExtendedFeatureKey{0xE0, missing});
        EXPECT_FALSE(list.ReadFeatureQuad(&partial, 0, &values, false));
        EXPECT_FALSE(list.WriteFeatureQuad(&partial, 0, {1, 2, 3, 4}, false));
    }
    EXPECT_FALSE(list.ReadFeatureQuad(&status, 0, nullptr, false));
    EXPECT_EQ(values, (std::array<std::uint32_t, 4>{9, 9, 9, 9}));
    EXPECT_TRUE(trace.empty());
}

TEST_F(Access, FourValueSetAboveSixteenBitsIsRefusedWhole) {
    Acquire();
    EXPECT_FALSE(list.WriteFeatureQuad(&status, 0, {1, 2, 0x10000, 4}, false));
    EXPECT_TRUE(trace.empty()) << "not a single value staged";
    EXPECT_TRUE(list.WriteFeatureQuad(&status, 0, {0xFFFF, 0, 0, 0}, false));
}

TEST_F(Access, FourValueWriteNeedsTheCommitRegister) {
    Acquire();
    status.m_ExtFeatures.erase(ExtendedFeatureKey{0xE0, 0xE8});
    EXPECT_FALSE(list.WriteFeatureQuad(&status, 0, {1, 2, 3, 4}, false));
    EXPECT_TRUE(trace.empty());
}

}  // namespace
