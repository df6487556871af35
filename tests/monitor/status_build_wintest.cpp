// The monitor records built through the real user32 and the stand-in dxva2.dll and
// minfolib.dll, on the default simulated desk: two of the maker's monitors (one per
// display under Xorg) and a monitor of another maker that gets no record.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "monitor/monitor_list.h"
#include "monitor/status_build.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/ddc_api_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/maker_library_win32.h"
#include "platform/win32/processes_win32.h"

namespace {

// The default desk as checked in, found from this source file's own location.
std::string DefaultDeskSource() {
    std::string source = __FILE__;
    for (char& c : source)
        if (c == '/') c = '\\';
    if (!source.empty() && source[0] == '\\') source = "Z:" + source;
    const std::size_t tests = source.rfind("\\tests\\monitor\\");
    if (tests == std::string::npos) return std::string();
    return source.substr(0, tests) + "\\sim\\configs\\default-desk.json";
}

// The simulator keeps its state beside the configuration, so each run works on a
// copy and never sees registers an earlier run changed.
class RecordDeskEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ =
            std::string(temp) + "vistrel-records-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        const std::string source = DefaultDeskSource();
        config_ = folder_ + "default-desk.json";
        ASSERT_TRUE(CopyFileA(source.c_str(), config_.c_str(), FALSE)) << "cannot copy " << source;
        SetEnvironmentVariableA("VISTREL_SIM_CONFIG", config_.c_str());
    }
    void TearDown() override {
        DeleteFileA(config_.c_str());
        DeleteFileA((folder_ + "default-desk.state.json").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

private:
    std::string folder_;
    std::string config_;
};

const auto* const recordDesk = ::testing::AddGlobalTestEnvironment(new RecordDeskEnvironment);

bool TwoDisplays() {
    const char* server = std::getenv("VISTREL_XSERVER");
    if (server != nullptr && std::string(server) == "xvfb") return false;
    return GetSystemMetrics(SM_CMONITORS) >= 2;
}

TEST(StatusBuildWin32, DefaultDeskGivesTheMakersMonitorsTheirIdentities) {
    platform::Win32DdcApi ddc;
    platform::Win32Desktop desktop;
    platform::Win32MakerLibrary maker;
    platform::Win32Processes processes;
    platform::Win32Clock clock;
    bool lockHeld = false;
    MonitorList list(ddc, desktop, maker, processes, clock, lockHeld);
    CMonitorStatusAll all;

    ASSERT_TRUE(list.Discover());
    const int built = BuildMonitorStatus(list, all);
    EXPECT_FALSE(lockHeld);
    ASSERT_EQ(built, TwoDisplays() ? 2 : 1);
    ASSERT_EQ(all.Count(), built);

    const CMonitorStatus& first = *all.At(0);
    EXPECT_EQ(first.m_strDeviceName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(first.m_strSerialNumber, "26114073");
    EXPECT_EQ(first.m_strModelName, "TQ6600W");
    EXPECT_EQ(first.m_strIdentity, "26114073TQ6600W");
    EXPECT_EQ(first.m_nOrderKey, 10);
    EXPECT_EQ(first.m_rcMonitor, (platform::Rect{0, 0, 1280, 1024}));
    EXPECT_TRUE(first.m_ModeInfo.HasMode(17));
    EXPECT_EQ(first.m_ModeInfo.ModeFlags(17), 0x800Du);
    EXPECT_TRUE(first.m_ModeInfo.HasQuadSet());

    if (built == 2) {
        const CMonitorStatus& second = *all.At(1);
        EXPECT_EQ(second.m_strDeviceName, "\\\\.\\DISPLAY2");
        EXPECT_EQ(second.m_strIdentity, "81200512TQ3300W");
        EXPECT_EQ(second.m_strLabel, "2-1");
        EXPECT_EQ(second.m_ModeInfo.ModeFlags(47), 0x804Fu);
        EXPECT_FALSE(second.m_ModeInfo.HasQuadSet());
    }

    EXPECT_EQ(all.SelectFirstMonitor(), built);
    EXPECT_EQ(all.m_nCurMonitor, 0);
    EXPECT_EQ(all.m_hCurMonitor, &list.GetEntry(0)->physicalHandle);
}

}  // namespace
