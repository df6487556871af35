// Discovery through the real user32 and the stand-in dxva2.dll/minfolib.dll,
// on the desk the X server shows: two outputs (1280x1024 at 0,0 and 1024x768 at
// 1280,0) under Xorg, one under Xvfb.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "monitor/monitor_list.h"
#include "platform/minfolib/minfolib_api.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/ddc_api_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/maker_library_win32.h"
#include "platform/win32/low_level_monitor_config.h"
#include "platform/win32/processes_win32.h"

namespace {

std::string ExeFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string TempFolder(const char* name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileA((folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Two displays need Xorg with its two outputs; Xvfb gives Wine a single one.
std::string WhyNotTwoDisplays() {
    const char* server = std::getenv("VISTREL_XSERVER");
    if (server != nullptr && std::string(server) == "xvfb")
        return "Xvfb shows Wine only one display";
    if (GetSystemMetrics(SM_CMONITORS) < 2) return "the desktop has only one display";
    return std::string();
}

// Every test of this program that runs discovery in-process works on a fresh copy
// of the default desk, so a test never sees registers another run changed. The
// stand-in DLLs read the configuration once per process.
class DefaultDeskEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = TempFolder("vistrel-platform-desk");
        const std::string source = ExeFolder() + VISTREL_TEST_DESKS "\\default-desk.json";
        const std::string copy = folder_ + "default-desk.json";
        ASSERT_TRUE(CopyFileA(source.c_str(), copy.c_str(), FALSE)) << "cannot copy " << source;
        SetEnvironmentVariableA("VISTREL_SIM_CONFIG", copy.c_str());
    }
    void TearDown() override { RemoveFolder(folder_); }

private:
    std::string folder_;
};

const auto* const defaultDesk = ::testing::AddGlobalTestEnvironment(new DefaultDeskEnvironment);

struct Adapters {
    platform::Win32DdcApi ddc;
    platform::Win32Desktop desktop;
    platform::Win32MakerLibrary maker;
    platform::Win32Processes processes;
    platform::Win32Clock clock;
    bool lockHeld = false;
    MonitorList monitors{ddc, desktop, maker, processes, clock, lockHeld};
};

TEST(DefaultDesk, DiscoveryFindsTheMonitorsOfBothDisplays) {
    const std::string why = WhyNotTwoDisplays();
    if (!why.empty()) GTEST_SKIP() << why;

    Adapters adapters;
    ASSERT_TRUE(adapters.monitors.Discover());
    const auto& entries = adapters.monitors.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(adapters.monitors.PhysicalTotal(), 3);

    struct Expected {
        const char* device;
        platform::Rect rect;
        const char* label;
        int orderKey;
        bool usable;
        const char* model;
    };
    const Expected expected[] = {
        {"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, "1", 10, true, "TQ6600W"},
        {"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, "2-1", 21, true, "TQ3300W"},
        // Not the maker's, but on a display that shows one of the maker's
        // monitors: it passes the position match and fails for lack of 0xE0/0xE1.
        {"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, "2-2", 22, false, "KESTREL 19"},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(entries[i].displayInfo.szDevice, expected[i].device);
        EXPECT_EQ(entries[i].displayInfo.rcMonitor, expected[i].rect);
        EXPECT_EQ(entries[i].label, expected[i].label);
        EXPECT_EQ(entries[i].orderKey, expected[i].orderKey);
        EXPECT_EQ(entries[i].usable != 0, expected[i].usable);
        EXPECT_EQ(entries[i].description, "Generic PnP Monitor");
        EXPECT_NE(entries[i].capabilities.find(std::string("model(") + expected[i].model + ")"),
                  std::string::npos)
            << entries[i].capabilities;
        EXPECT_EQ(entries[i].extendedCapabilities.empty(), !expected[i].usable);
    }
}

TEST(DefaultDesk, PrimaryDisplaysMakerMonitorIsUsable) {
    Adapters adapters;
    ASSERT_TRUE(adapters.monitors.Discover());
    const auto& first = adapters.monitors.Entries().at(0);
    EXPECT_EQ(first.displayInfo.szDevice, "\\\\.\\DISPLAY1");
    EXPECT_EQ(first.orderKey, 10);
    EXPECT_EQ(first.label, "1");
    EXPECT_TRUE(first.usable);
    EXPECT_FALSE(adapters.lockHeld) << "discovery leaves no monitor claimed";
}

TEST(DefaultDesk, MakerLibraryReportsTheRealDisplayPositions) {
    const std::string why = WhyNotTwoDisplays();
    if (!why.empty()) GTEST_SKIP() << why;

    std::int32_t count = -1;
    QrxFindMonitors(&count, 1);
    ASSERT_EQ(count, 2);
    std::vector<std::pair<std::int32_t, std::int32_t>> positions;
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint8_t record[668] = {};
        ASSERT_GE(QrxGetMonitorInfo(i, record, 0), 0);
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::memcpy(&x, record + 28, 4);
        std::memcpy(&y, record + 32, 4);
        positions.emplace_back(x, y);
    }
    EXPECT_EQ(positions, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 0}, {1280, 0}}));

    std::uint8_t record[668] = {};
    EXPECT_LT(QrxGetMonitorInfo(2, record, 0), 0);
    EXPECT_LT(QrxGetMonitorInfo(-1, record, 0), 0);
    EXPECT_LT(QrxGetMonitorInfo(0, nullptr, 0), 0);
    EXPECT_LT(QrxFindMonitors(nullptr, 1), 0);
}

HMONITOR PrimaryDisplay() {
    const POINT origin = {0, 0};
    return MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
}

TEST(StandInDxva2, PhysicalMonitorsOfARealDisplay) {
    const HMONITOR display = PrimaryDisplay();
    DWORD count = 0;
    ASSERT_TRUE(GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count));
    ASSERT_EQ(count, 1u);
    PHYSICAL_MONITOR monitor = {};
    ASSERT_TRUE(GetPhysicalMonitorsFromHMONITOR(display, 1, &monitor));
    EXPECT_NE(monitor.hPhysicalMonitor, nullptr);
    EXPECT_STREQ(monitor.szPhysicalMonitorDescription, L"Generic PnP Monitor");

    // The desk's factory brightness of the monitor on display 1.
    DWORD current = 0;
    DWORD maximum = 0;
    MC_VCP_CODE_TYPE type = MC_MOMENTARY;
    ASSERT_TRUE(
        GetVCPFeatureAndVCPFeatureReply(monitor.hPhysicalMonitor, 0x10, &type, &current, &maximum));
    EXPECT_EQ(current, 60u);
    EXPECT_EQ(maximum, 100u);

    // A destroyed handle no longer reaches the monitor.
    ASSERT_TRUE(DestroyPhysicalMonitors(1, &monitor));
    Sleep(30);
    EXPECT_FALSE(
        GetVCPFeatureAndVCPFeatureReply(monitor.hPhysicalMonitor, 0x10, &type, &current, &maximum));
}

TEST(StandInDxva2, RefusesBadArguments) {
    const HMONITOR display = PrimaryDisplay();
    EXPECT_FALSE(GetNumberOfPhysicalMonitorsFromHMONITOR(display, nullptr));
    EXPECT_FALSE(GetPhysicalMonitorsFromHMONITOR(display, 1, nullptr));
    PHYSICAL_MONITOR monitor = {};
    EXPECT_FALSE(GetPhysicalMonitorsFromHMONITOR(display, 0, &monitor));
    DWORD count = 0;
    EXPECT_FALSE(GetNumberOfPhysicalMonitorsFromHMONITOR(nullptr, &count));
    DWORD length = 0;
    EXPECT_FALSE(GetCapabilitiesStringLength(reinterpret_cast<HANDLE>(0x7777), &length));
    char text[8];
    EXPECT_FALSE(CapabilitiesRequestAndCapabilitiesReply(reinterpret_cast<HANDLE>(0x7777), text,
                                                         sizeof text));
    EXPECT_FALSE(SetVCPFeature(reinterpret_cast<HANDLE>(0x7777), 0x10, 1));
}

// ---- discovery-report, each run in its own process with its own desk ----------

std::string RunReport(const std::string& configPath) {
    // The child's environment: ours, with the desk replaced.
    std::string environment;
    const char* block = GetEnvironmentStringsA();
    for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        if (_strnicmp(entry, "VISTREL_SIM_CONFIG=", 19) != 0)
            environment.append(entry).push_back('\0');
    }
    FreeEnvironmentStringsA(const_cast<char*>(block));
    environment.append("VISTREL_SIM_CONFIG=" + configPath).push_back('\0');
    environment.push_back('\0');

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "no pipe";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + ExeFolder() + "discovery-report.exe\"";
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                        environment.data(), nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        // Wine may give the child a console host that inherits the pipe too, so
        // the end of the output is the end of the process, not of the pipe.
        char chunk[4096];
        bool exited = false;
        for (int waited = 0; waited < 600 && !exited; ++waited) {
            exited = WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0;
            DWORD available = 0;
            while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) &&
                   available > 0) {
                DWORD got = 0;
                if (!ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) || got == 0) break;
                output.append(chunk, got);
            }
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        output = "cannot start " + command;
    }
    CloseHandle(readEnd);
    std::string clean;
    for (char c : output) {
        if (c != '\r') clean.push_back(c);
    }
    return clean;
}

void WriteText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string MakerMonitorJson(const std::string& serial) {
    return R"json({"model": "TQ6600W", "serial": ")json" + serial + R"json(",
      "capabilities": "(prot(monitor)type(lcd)vcp(10 E0 E1)mswhql(1)mccs_ver(2.1))",
      "extendedCapabilities": "10(E2 E3 E4 E5 E6 E7 E8 E9 EA EB EC ED)",
      "registers": {"10": [50, 100]}})json";
}

TEST(DiscoveryReport, MakerMonitorsFollowTheRealDisplaysOfTheirDeviceNames) {
    const std::string why = WhyNotTwoDisplays();
    if (!why.empty()) GTEST_SKIP() << why;

    // The simulated rectangles differ from the X server's layout, and display 3
    // does not exist on this desktop at all.
    const std::string folder = TempFolder("vistrel-report-moved");
    const std::string config = folder + "desk.json";
    WriteText(config, R"({"displays": [
      {"device": "\\\\.\\DISPLAY1", "rect": {"x": 100, "y": 100, "width": 800, "height": 600},
       "monitors": [)" + MakerMonitorJson("1") +
                          R"(]},
      {"device": "\\\\.\\DISPLAY2", "rect": {"x": 5000, "y": 0, "width": 800, "height": 600},
       "monitors": [)" + MakerMonitorJson("2") +
                          R"(]},
      {"device": "\\\\.\\DISPLAY3", "rect": {"x": 9000, "y": 0, "width": 800, "height": 600},
       "monitors": [)" + MakerMonitorJson("3") +
                          R"(]}]})");
    const std::string report = RunReport(config);
    RemoveFolder(folder);

    EXPECT_NE(report.find("maker library: 2 monitor(s)\n  [0] at 0,0\n  [1] at 1280,0\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("discovery: 2 entries, 2 physical monitor(s), at least one usable"),
              std::string::npos)
        << report;
    EXPECT_NE(
        report.find(
            "entry 0: label 1, order key 10, usable\n  display \\\\.\\DISPLAY1 at 0,0-1280,1024"),
        std::string::npos)
        << report;
    EXPECT_NE(
        report.find(
            "entry 1: label 2, order key 20, usable\n  display \\\\.\\DISPLAY2 at 1280,0-2304,768"),
        std::string::npos)
        << report;
}

TEST(DiscoveryReport, AMissingDeskIsReportedAndFindsNothing) {
    const std::string report = RunReport("C:\\no\\such\\desk.json");
    EXPECT_NE(report.find("simulated monitors: unavailable: C:\\no\\such\\desk.json"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("maker library: 0 monitor(s)"), std::string::npos) << report;
    EXPECT_NE(report.find("discovery: 0 entries, 0 physical monitor(s), none usable"),
              std::string::npos)
        << report;
}

}  // namespace
