// Discovery against scripted displays, monitors and maker library: entries,
// labels, the identification chain and its retries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "monitor/monitor_list.h"
#include "support/scripted_ddc.h"

namespace {

using testing_support::FakeDesktop;
using testing_support::FakeMakerLibrary;
using testing_support::FakeProcesses;
using testing_support::ScriptedDdc;
using testing_support::Trace;
using testing_support::TracingClock;

const char kStandard[] =
    "(prot(monitor)type(lcd)model(px27)cmds(01 02 03 0c e3 f3)vcp(02 04 10 12 16 18 1a 62 e0 e1)"
    "mswhql(1)mccs_ver(2.2))";
const char kExtended[] = "10(e2 e3 e4 e5 e6 e7 e8 e9 ea eb ec ed)20(e2 e6)30(e2 e3 e4)";

long Count(const Trace& trace, const std::string& entry) {
    return std::count(trace.begin(), trace.end(), entry);
}

class Discovery : public ::testing::Test {
protected:
    // A display with `monitors` physical monitors (handles 0x51, 0x52, ...) of
    // the maker, known to the library at the display's position.
    void AddMakerDisplay(const std::string& device, std::int32_t left, int monitors = 1) {
        FakeDesktop::Display& display = desktop.Add(device, left, 0);
        for (int i = 0; i < monitors; ++i) {
            const platform::PhysicalMonitorHandle handle = nextHandle++;
            ddc.displays[display.handle].push_back({handle, "Generic PnP Monitor"});
            ddc.capabilities[handle] = kStandard;
        }
        maker.positions.push_back({left, 0, 0});
    }

    Trace trace;
    TracingClock clock{trace};
    ScriptedDdc ddc{trace};
    FakeDesktop desktop;
    FakeMakerLibrary maker{trace};
    FakeProcesses processes;
    bool lockHeld = false;
    MonitorList list{ddc, desktop, maker, processes, clock, lockHeld};
    platform::PhysicalMonitorHandle nextHandle = 0x51;

    void SetUp() override { ddc.SetBlock(0, kExtended); }
};

TEST_F(Discovery, OneMakerMonitorBecomesUsable) {
    AddMakerDisplay("\\\\.\\DISPLAY3", 0);
    EXPECT_TRUE(list.Discover());

    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.PhysicalTotal(), 1);
    const MonitorEntry& entry = *list.GetEntry(0);
    EXPECT_EQ(entry.usable, 1);
    EXPECT_EQ(entry.orderKey, 30);
    EXPECT_EQ(entry.label, "3");
    EXPECT_EQ(entry.physicalHandle, 0x51u);
    EXPECT_EQ(entry.displayHandle, desktop.displays[0].handle);
    EXPECT_EQ(entry.displayInfo.szDevice, "\\\\.\\DISPLAY3");
    EXPECT_EQ(entry.description, "Generic PnP Monitor");
    EXPECT_EQ(entry.capabilities, kStandard);
    EXPECT_EQ(entry.extendedCapabilities, kExtended);
    EXPECT_TRUE(HasFeature(entry.features, 0x62, -1));
    EXPECT_TRUE(HasExtendedFeature(entry.extendedFeatures, 0x30, 0xE4, -1));
    EXPECT_FALSE(lockHeld);

    // Block 0 is read through page 0x10 without any owner claim.
    Trace expected{"count 100", "monitors 100", "find",   "info 0",   "caplen 51", "caps 51",
                   "set E1=10", "sleep 20",     "get E2", "sleep 20", "set E3=00", "sleep 20"};
    const std::size_t words = (std::string(kExtended).size() + 3) / 4;
    for (std::size_t w = 0; w < words; ++w) {
        expected.push_back("get E4");
        expected.push_back("sleep 20");
    }
    EXPECT_EQ(trace, expected);
}

TEST_F(Discovery, TwoPhysicalMonitorsOfOneDisplayShareItsNumberAndLibraryRecord) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0, 2);
    EXPECT_TRUE(list.Discover());
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.PhysicalTotal(), 2);
    EXPECT_EQ(list.GetEntry(0)->orderKey, 11);
    EXPECT_EQ(list.GetEntry(0)->label, "1-1");
    EXPECT_EQ(list.GetEntry(1)->orderKey, 12);
    EXPECT_EQ(list.GetEntry(1)->label, "1-2");
    EXPECT_EQ(list.GetEntry(1)->physicalHandle, 0x52u);
    EXPECT_EQ(list.GetEntry(0)->usable, 1);
    EXPECT_EQ(list.GetEntry(1)->usable, 1);
    EXPECT_EQ(Count(trace, "info 0"), 2);
    // Each attempt makes the library rescan the desktop (1); records are asked
    // for with flags 0.
    EXPECT_EQ(maker.findFlags, (std::vector<std::int32_t>{1, 1}));
    EXPECT_EQ(maker.infoFlags, (std::vector<std::int32_t>{0, 0}));
}

TEST_F(Discovery, DisplaysWithoutANumberGetUniqueNumbersAboveTheOthers) {
    AddMakerDisplay("\\\\.\\DISPLAY2", 0);
    AddMakerDisplay("\\\\.\\VIRTUAL", 1920, 2);
    AddMakerDisplay("\\\\.\\DISPLAY1", 3840);
    AddMakerDisplay("\\\\.\\DISPLAY", 5760);
    AddMakerDisplay("\\\\.\\DISPLAY123456789012", 7680);
    list.Discover();
    std::vector<std::string> labels;
    std::vector<int> keys;
    for (const MonitorEntry& entry : list.Entries()) {
        labels.push_back(entry.label);
        keys.push_back(entry.orderKey);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"2", "3-1", "3-2", "1", "4", "5"}));
    EXPECT_EQ(keys, (std::vector<int>{20, 31, 32, 10, 40, 50}));
}

TEST_F(Discovery, DisplaysThatCannotBeQueriedContributeNothing) {
    desktop.displays.push_back({});  // a null display handle
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    desktop.displays.back().infoFails = true;
    AddMakerDisplay("\\\\.\\DISPLAY2", 1920);
    ddc.countResult[desktop.displays.back().handle] = 0;
    AddMakerDisplay("\\\\.\\DISPLAY3", 3840);
    ddc.monitorsResult[desktop.displays.back().handle] = 2;  // not exactly TRUE
    AddMakerDisplay("\\\\.\\DISPLAY4", 5760);
    ddc.countOverride[desktop.displays.back().handle] = 0xFFFFFFFF;  // nonsense
    desktop.Add("\\\\.\\DISPLAY5", 7680, 0);                         // no physical monitors
    AddMakerDisplay("\\\\.\\DISPLAY6", 9600);

    EXPECT_TRUE(list.Discover());
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetEntry(0)->label, "6");
    EXPECT_EQ(list.PhysicalTotal(), 1);
}

TEST_F(Discovery, FailedEnumerationReportsNoMonitors) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    desktop.enumResult = 0;
    EXPECT_FALSE(list.Discover());
    EXPECT_EQ(Count(trace, "find"), 0);
}

TEST_F(Discovery, EmptyMakerLibraryCostsFiveAttemptsAndFiveWaits) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    maker.positions.clear();
    EXPECT_FALSE(list.Discover());
    EXPECT_EQ(list.GetEntry(0)->usable, 0);
    EXPECT_EQ(trace, (Trace{"count 100", "monitors 100", "find", "sleep 200", "find", "sleep 200",
                            "find", "sleep 200", "find", "sleep 200", "find", "sleep 200"}));

    trace.clear();
    EXPECT_FALSE(list.MatchMakerMonitor(0, false));
    EXPECT_EQ(trace, (Trace{"find"}));
}

TEST_F(Discovery, MakerLibraryThatWakesLateStillMatches) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    maker.emptyFinds = 2;
    trace.clear();
    list.Discover();
    EXPECT_EQ(list.GetEntry(0)->usable, 1);
    EXPECT_EQ(Count(trace, "find"), 3);
    EXPECT_EQ(Count(trace, "sleep 200"), 2);
}

TEST_F(Discovery, OtherMakersMonitorFailsAtOnceWhenTheLibraryKnowsOthers) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    AddMakerDisplay("\\\\.\\DISPLAY2", 1920);
    maker.positions = {{0, 0, 0}, {1920, 0, -1}};  // the second record is not valid
    EXPECT_TRUE(list.Discover());
    EXPECT_EQ(list.GetEntry(0)->usable, 1);
    EXPECT_EQ(list.GetEntry(1)->usable, 0);
    EXPECT_EQ(list.GetEntry(1)->capabilities, "");
    EXPECT_EQ(Count(trace, "sleep 200"), 0);
    EXPECT_EQ(Count(trace, "caplen 52"), 0);
}

TEST_F(Discovery, MatchIsByTopLeftCorner) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    maker.positions = {{0, 10, 0}, {10, 0, 0}};
    EXPECT_FALSE(list.Discover());
    maker.positions.push_back({0, 0, 0});
    EXPECT_TRUE(list.Discover());
}

TEST_F(Discovery, CapabilitiesRequestRetriesUpToFiftyTimes) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    ddc.capabilityFailures[0x51] = 3;
    EXPECT_TRUE(list.Discover());
    EXPECT_EQ(Count(trace, "caplen 51"), 4);
    EXPECT_EQ(Count(trace, "sleep 200"), 3);

    ddc.capabilityFailures[0x53] = 50;  // the next run hands out new handles
    nextHandle = 0x53;
    ddc.displays.clear();
    ddc.displays[desktop.displays[0].handle] = {{0x53, "Generic PnP Monitor"}};
    ddc.capabilities[0x53] = kStandard;
    trace.clear();
    EXPECT_FALSE(list.Discover());
    EXPECT_EQ(Count(trace, "caplen 53"), 50);
    EXPECT_EQ(Count(trace, "sleep 200"), 50);
    EXPECT_EQ(Count(trace, "get E2"), 0);

    ddc.capabilityFailures[0x53] = 1;
    trace.clear();
    EXPECT_FALSE(list.RequestCapabilities(0, false));
    EXPECT_EQ(trace, (Trace{"caplen 53"}));
}

TEST_F(Discovery, CapabilitiesRepliesAreBoundedByTheirLength) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    ddc.capabilityLength[0x51] = 12;
    ddc.unterminatedReply = true;
    list.Discover();
    EXPECT_EQ(list.GetEntry(0)->capabilities, std::string(12, 'x'));
    EXPECT_EQ(list.GetEntry(0)->usable, 0);

    // A length no capabilities string can have is a failed attempt, not an allocation.
    ddc.capabilityLength[0x51] = 0xFFFFFFFF;
    ddc.unterminatedReply = false;
    EXPECT_FALSE(list.RequestCapabilities(0, false));
    EXPECT_EQ(trace.back(), "caplen 51");
}

TEST_F(Discovery, MonitorWithoutControlRegistersStaysUnusable) {
    struct Case {
        const char* name;
        std::string capabilities;
    };
    const Case cases[] = {
        {"no owner register", "vcp(10 12 e1)mswhql(1)mccs_ver(2.2)"},
        {"no page select", "vcp(10 12 e0)mswhql(1)mccs_ver(2.2)"},
        {"unparsable", "vcp(10 12 e0 e1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.displays.clear();
        ddc.displays.clear();
        maker.positions.clear();
        AddMakerDisplay("\\\\.\\DISPLAY1", 0);
        ddc.capabilities[nextHandle - 1] = c.capabilities;
        trace.clear();
        EXPECT_FALSE(list.Discover());
        EXPECT_EQ(list.GetEntry(0)->capabilities, c.capabilities);
        EXPECT_EQ(Count(trace, "set E1=10"), 0);
    }
}

TEST_F(Discovery, EmptyOrUnreadableExtendedBlockLeavesTheMonitorUnusable) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    ddc.SetBlock(0, "");
    EXPECT_FALSE(list.Discover());
    EXPECT_EQ(list.GetEntry(0)->usable, 0);

    ddc.SetBlock(0, std::string("\0\0\0\0", 4));
    EXPECT_FALSE(list.Discover());

    ddc.SetBlock(0, kExtended);
    ddc.FailAllReads(0x10, 0xE4);
    EXPECT_FALSE(list.Discover());
    EXPECT_FALSE(lockHeld);
}

TEST_F(Discovery, ExtendedBlockIsReadWithTheFlagRaisedAndLeavesItLowered) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    list.Discover();
    lockHeld = true;
    EXPECT_TRUE(list.ReadExtendedCapabilities(0));
    EXPECT_FALSE(lockHeld);
    // The text ends at the first NUL of the block.
    ddc.SetBlock(0, std::string("10(e2)\0junk", 11));
    EXPECT_TRUE(list.ReadExtendedCapabilities(0));
    EXPECT_EQ(list.GetEntry(0)->extendedCapabilities, "10(e2)");
}

TEST_F(Discovery, SecondRunReplacesEveryEntryAndReleasesOldHandles) {
    AddMakerDisplay("\\\\.\\DISPLAY1", 0);
    AddMakerDisplay("\\\\.\\DISPLAY2", 1920);
    EXPECT_TRUE(list.Discover());
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_TRUE(ddc.destroyed.empty());

    // The first display goes: the one left is labelled by its own number, not by
    // what the first run numbered its place.
    desktop.displays.erase(desktop.displays.begin());
    ddc.displays[desktop.displays[0].handle] = {{0x60, "Generic PnP Monitor"}};
    ddc.capabilities[0x60] = kStandard;
    EXPECT_TRUE(list.Discover());
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetEntry(0)->physicalHandle, 0x60u);
    EXPECT_EQ(list.GetEntry(0)->label, "2");
    EXPECT_EQ(list.GetEntry(0)->orderKey, 20);
    EXPECT_EQ(list.PhysicalTotal(), 1);
    EXPECT_EQ(ddc.destroyed, (std::vector<platform::PhysicalMonitorHandle>{0x51, 0x52}));
}

TEST_F(Discovery, StepsRefuseIndicesOutOfRange) {
    EXPECT_FALSE(list.MatchMakerMonitor(0, true));
    EXPECT_FALSE(list.RequestCapabilities(3, true));
    EXPECT_FALSE(list.HasControlRegisters(0));
    EXPECT_FALSE(list.ReadExtendedCapabilities(0));
    EXPECT_EQ(list.GetEntry(0), nullptr);
    EXPECT_TRUE(trace.empty());
}

}  // namespace
