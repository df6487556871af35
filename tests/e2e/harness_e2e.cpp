// The controller seen through the simulator's traffic log, and on a desk of four
// displays: what the other end-to-end tests stand on.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "program_driver.h"

namespace {

using e2e::Program;

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

std::string WorkFolder() {
    char value[MAX_PATH] = {};
    ::GetEnvironmentVariableA("E2E_WORK", value, sizeof value);
    std::string folder = value;
    if (!folder.empty() && folder[0] == '/') folder = "Z:" + folder;
    for (char& c : folder)
        if (c == '/') c = '\\';
    return folder;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The last value written to the owner register of each monitor, from lines such
// as "m0 set E0=1234 @5120 ok".
std::map<std::string, std::string> LastOwnerWrites(const std::vector<std::string>& lines) {
    std::map<std::string, std::string> owners;
    for (const std::string& line : lines) {
        std::istringstream words(line);
        std::string monitor, kind, target, tick, outcome;
        words >> monitor >> kind >> target >> tick >> outcome;
        if (kind == "set" && target.rfind("E0=", 0) == 0 && outcome == "ok")
            owners[monitor] = target.substr(3);
    }
    return owners;
}

class HarnessTest : public ::testing::Test {
protected:
    void Start(const char* config) {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), config));
        trafficLog = WorkFolder() + "\\" + TestName() + "\\traffic.log";
        ::DeleteFileA(trafficLog.c_str());
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", trafficLog.c_str());
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
    }
    void Exit() { EXPECT_TRUE(program.ExitFromTray()); }
    void TearDown() override {
        Exit();
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", nullptr);
        e2e::DeleteSettingsTree();
    }

    Program program;
    std::string trafficLog;
};

TEST_F(HarnessTest, TrafficLogShowsTheClaimsAndExitLeavesNoOwner) {
    Start("default-desk.json");
    const std::string self = std::to_string(program.ProcessId());
    std::vector<std::string> lines = ReadLines(trafficLog);
    ASSERT_FALSE(lines.empty()) << "no traffic log at " << trafficLog;
    // Start-up reads the records of monitor 0 under its claim.
    EXPECT_EQ(lines[0].rfind("m0 ", 0), 0u) << lines[0];
    bool claimed = false;
    for (const std::string& line : lines)
        claimed = claimed || line.rfind("m0 set E0=" + self + " @", 0) == 0;
    EXPECT_TRUE(claimed) << "no claim by process " << self;

    Exit();
    lines = ReadLines(trafficLog);
    const auto owners = LastOwnerWrites(lines);
    ASSERT_FALSE(owners.empty());
    for (const auto& [monitor, owner] : owners)
        EXPECT_EQ(owner, "0") << monitor << " is left claimed";
}

// Outputs 3 and 4 of the test X server are switched on for this test only.
class FourDisplayTest : public HarnessTest {
protected:
    void SetUp() override {
        char kind[16] = {};
        ::GetEnvironmentVariableA("VISTREL_XSERVER", kind, sizeof kind);
        if (std::string(kind) != "xorg")
            GTEST_SKIP() << "needs the Xorg test server (Xvfb has one display)";
        ASSERT_TRUE(e2e::RunXrandr("--addmode DUMMY2 1024x768"));
        ASSERT_TRUE(e2e::RunXrandr("--addmode DUMMY3 1024x768"));
        ASSERT_TRUE(
            e2e::RunXrandr("--output DUMMY2 --mode 1024x768 --pos 2304x0 "
                           "--output DUMMY3 --mode 1024x768 --pos 3328x0"));
        switched = true;
        ASSERT_EQ(e2e::DisplayCount(), 4);
    }
    void TearDown() override {
        HarnessTest::TearDown();
        if (switched) e2e::RunXrandr("--output DUMMY2 --off --output DUMMY3 --off");
    }
    bool switched = false;
};

TEST_F(FourDisplayTest, EveryDisplaysMonitorIsFoundAndListed) {
    Start("four-display-desk.json");
    HWND list = program.OpenMonitorList();
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> lines = e2e::ListBoxLines(::GetDlgItem(list, 1153));
    ASSERT_EQ(lines.size(), 4u);
    const wchar_t* expected[] = {L"1)    Monitor1 ", L"2)    Monitor2 ", L"3)    Monitor3 ",
                                 L"4)    Monitor4 "};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u)
            << "line " << i << " is not monitor " << i + 1;
    EXPECT_NE(lines[3].find(L"81200544"), std::wstring::npos)
        << "the fourth display's serial number";
    ::SendMessageA(list, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return !::IsWindow(list); }));
}

}  // namespace
