// The desk as user32, the Monitor Configuration API and the maker's library
// present it to discovery.
#include <cstring>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace {

std::int32_t Int32At(const std::uint8_t* record, int offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | record[offset + i];
    return static_cast<std::int32_t>(bits);
}

// Display 1 one maker monitor; display 2 a maker and another monitor; display 3
// left of the primary, another maker's monitor only; display 4 above, one maker monitor.
sim::DeskConfig MixedDesk() {
    sim::DeskConfig desk;
    desk.displays.push_back(simtest::Display(1, 0, 0, 1280, 1024));
    desk.displays[0].monitors.push_back(simtest::MakerMonitor("TQ6600W", "11111111"));
    desk.displays.push_back(simtest::Display(2, 1280, 0, 1024, 768));
    desk.displays[1].monitors.push_back(simtest::MakerMonitor("TQ3300W", "22222222"));
    desk.displays[1].monitors.push_back(simtest::OtherMonitor());
    desk.displays.push_back(simtest::Display(3, -1024, 0, 1024, 768));
    desk.displays[2].monitors.push_back(simtest::OtherMonitor());
    desk.displays.push_back(simtest::Display(4, 0, -768, 1024, 768));
    desk.displays[3].monitors.push_back(simtest::MakerMonitor("TQ1100W", "44444444"));
    return desk;
}

TEST(SimDeskDesktop, EnumeratesDisplaysWithTheirInfo) {
    testing_support::VirtualClock clock;
    sim::Desk desk(MixedDesk(), clock);
    std::vector<platform::DisplayHandle> seen;
    ASSERT_EQ(desk.EnumDisplayMonitors([&](platform::DisplayHandle h) {
        seen.push_back(h);
        return true;
    }),
              1);
    ASSERT_EQ(seen.size(), 4u);
    platform::DisplayInfo info;
    ASSERT_EQ(desk.GetMonitorInfo(seen[1], &info), 1);
    EXPECT_EQ(info.szDevice, "\\\\.\\DISPLAY2");
    EXPECT_EQ(info.rcMonitor, (platform::Rect{1280, 0, 2304, 768}));
    EXPECT_EQ(info.dwFlags, 0u);
    ASSERT_EQ(desk.GetMonitorInfo(seen[0], &info), 1);
    EXPECT_EQ(info.dwFlags, 1u) << "primary";
    EXPECT_EQ(desk.GetMonitorInfo(0, &info), 0);
    EXPECT_EQ(desk.GetMonitorInfo(seen[0] + 1, &info), 0);

    int visits = 0;
    desk.EnumDisplayMonitors([&](platform::DisplayHandle) { return ++visits < 2; });
    EXPECT_EQ(visits, 2) << "a visitor returning false ends the walk";

    EXPECT_EQ(desk.DisplayByDeviceName("\\\\.\\display3"), seen[2]);
    EXPECT_EQ(desk.DisplayByDeviceName("\\\\.\\DISPLAY9"), 0u);
}

TEST(SimDeskPhysicalMonitors, EachListHandsOutFreshHandlesUntilDestroyed) {
    testing_support::VirtualClock clock;
    sim::Desk desk(MixedDesk(), clock);
    const auto display2 = desk.DisplayHandleOf(1);
    std::uint32_t count = 0;
    ASSERT_EQ(desk.GetNumberOfPhysicalMonitorsFromHMONITOR(display2, &count), 1);
    ASSERT_EQ(count, 2u);
    platform::PhysicalMonitor first[2];
    platform::PhysicalMonitor second[2];
    EXPECT_EQ(desk.GetPhysicalMonitorsFromHMONITOR(display2, 1, first), 0) << "array too small";
    ASSERT_EQ(desk.GetPhysicalMonitorsFromHMONITOR(display2, 2, first), 1);
    ASSERT_EQ(desk.GetPhysicalMonitorsFromHMONITOR(display2, 2, second), 1);
    EXPECT_NE(first[0].handle, second[0].handle);
    EXPECT_EQ(desk.MonitorOfHandle(first[0].handle), 1);
    EXPECT_EQ(desk.MonitorOfHandle(first[1].handle), 2);
    EXPECT_EQ(first[1].description, "Generic PnP Monitor");

    desk.DestroyPhysicalMonitors(2, first);
    EXPECT_EQ(desk.MonitorOfHandle(first[0].handle), -1);
    EXPECT_EQ(desk.SetVCPFeature(first[0].handle, 0x10, 5), 0);
    EXPECT_EQ(desk.SetVCPFeature(second[0].handle, 0x10, 5), 1);

    const platform::PhysicalMonitor fixed[1] = {{desk.HandleOf(1), ""}};
    desk.DestroyPhysicalMonitors(1, fixed);
    EXPECT_EQ(desk.MonitorOfHandle(desk.HandleOf(1)), 1) << "test handles outlive destruction";
}

TEST(SimDeskMakerLibrary, OneRecordPerMakerDisplayPosition) {
    testing_support::VirtualClock clock;
    sim::Desk desk(MixedDesk(), clock);
    std::int32_t count = -1;
    desk.QrxFindMonitors(&count, 1);
    ASSERT_EQ(count, 3);
    const std::int32_t expected[3][2] = {{0, 0}, {1280, 0}, {0, -768}};
    for (int i = 0; i < 3; ++i) {
        std::uint8_t record[platform::MakerLibrary::kRecordSize];
        std::memset(record, 0xCC, sizeof record);
        ASSERT_GE(desk.QrxGetMonitorInfo(i, record, 0), 0);
        EXPECT_EQ(Int32At(record, platform::MakerLibrary::kRecordXOffset), expected[i][0]) << i;
        EXPECT_EQ(Int32At(record, platform::MakerLibrary::kRecordYOffset), expected[i][1]) << i;
    }
    std::uint8_t record[platform::MakerLibrary::kRecordSize];
    EXPECT_LT(desk.QrxGetMonitorInfo(3, record, 0), 0);
    EXPECT_LT(desk.QrxGetMonitorInfo(-1, record, 0), 0);
    EXPECT_LT(desk.QrxGetMonitorInfo(0, nullptr, 0), 0);
}

TEST(SimDeskDisplayChanges, UnpluggedDisplaysVanishAndMovedOnesAreFoundAtTheirNewPlace) {
    testing_support::VirtualClock clock;
    sim::Desk desk(MixedDesk(), clock);
    const auto display2 = desk.DisplayHandleOf(1);
    desk.SetDisplayAttached(1, false);
    int visits = 0;
    desk.EnumDisplayMonitors([&](platform::DisplayHandle h) {
        EXPECT_NE(h, display2);
        ++visits;
        return true;
    });
    EXPECT_EQ(visits, 3);
    platform::DisplayInfo info;
    EXPECT_EQ(desk.GetMonitorInfo(display2, &info), 0);
    EXPECT_EQ(desk.SetVCPFeature(desk.HandleOf(1), 0x10, 5), 0) << "a kept handle reaches nothing";
    std::int32_t makers = 0;
    desk.QrxFindMonitors(&makers, 1);
    EXPECT_EQ(makers, 2);

    desk.SetDisplayAttached(1, true);
    desk.SetDisplayRect(1, platform::Rect{-1024, 0, 0, 768});
    ASSERT_EQ(desk.GetMonitorInfo(display2, &info), 1);
    EXPECT_EQ(info.rcMonitor.left, -1024);
    std::uint8_t record[platform::MakerLibrary::kRecordSize];
    ASSERT_GE(desk.QrxGetMonitorInfo(1, record, 0), 0);
    EXPECT_EQ(Int32At(record, platform::MakerLibrary::kRecordXOffset), -1024);
    EXPECT_EQ(desk.SetVCPFeature(desk.HandleOf(1), 0x10, 5), 1);
}

TEST(SimDeskTrafficLog, ReachesAFileForTestsOutsideTheProcess) {
    const auto path =
        std::filesystem::temp_directory_path() / (simtest::ScratchName("sim-traffic") + ".txt");
    simtest::Host host(simtest::SingleMakerDesk());
    host.desk.SetTrafficLog(path.string());
    ASSERT_TRUE(host.Set(0xE1, 0x30, 20));
    host.Get(0xE2);
    host.Set(0xE2, 5, 0);
    host.desk.SetTrafficLog("");
    host.Get(0xE2);
    std::string lines[4];
    {
        std::ifstream file(path);
        for (auto& line : lines) std::getline(file, line);
    }
    EXPECT_EQ(lines[0], "m0 set E1=48 @0 ok");
    EXPECT_EQ(lines[1], "m0 get 30:E2 -> 1/47 @20 ok");
    EXPECT_EQ(lines[2], "m0 set 30:E2=5 @40 refused");
    EXPECT_EQ(lines[3], "");
    std::filesystem::remove(path);
}

TEST(SimDeskCapabilities, LengthCountsTheNulAndShortBuffersAreRefused) {
    simtest::Host host(simtest::SingleMakerDesk());
    const std::string& caps = host.desk.ConfigOf(0).capabilities;
    std::uint32_t length = 0;
    ASSERT_EQ(host.desk.GetCapabilitiesStringLength(host.handle, &length), 1);
    EXPECT_EQ(length, caps.size() + 1);
    std::string buffer(length, 'x');
    EXPECT_EQ(
        host.desk.CapabilitiesRequestAndCapabilitiesReply(host.handle, buffer.data(), length - 1),
        0);
    ASSERT_EQ(host.desk.CapabilitiesRequestAndCapabilitiesReply(host.handle, buffer.data(), length),
              1);
    EXPECT_EQ(buffer, caps + '\0');
    const auto log = host.desk.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].kind, sim::TransactionKind::CapsLength);
    EXPECT_EQ(log[0].value, length);
    EXPECT_EQ(log[1].result, sim::Outcome::Refused);
    EXPECT_EQ(log[2].kind, sim::TransactionKind::CapsRequest);
}

}  // namespace
