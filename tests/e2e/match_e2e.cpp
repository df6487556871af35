// The multi-monitor match wizard end to end: the real controller on the match desk
// (three monitors it can match and one it cannot), driven step by step; the
// monitors' registers are read back through simdesk.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "match/luminance.h"
#include "program_driver.h"

namespace {

using e2e::Program;

// Desk monitors of sim/configs/match-desk.json, in desk order.
constexpr int kTq6600 = 0;  // display 1, primaries follow the preset, brightness 0-100
constexpr int kTq3300 = 1;  // display 2, no primaries: factory table
constexpr int kTq2200 = 2;  // display 2, brightness 0-60, blue gain without range
constexpr int kTq8800 = 3;  // display 2, a model the wizard does not know

constexpr int kTabMatch = 2;
constexpr int kIdAdjust = 1235;
constexpr int kIdMaster = 1267;
constexpr int kIdStep1Next = 1276;
constexpr int kIdStep1Cancel = 1277;
constexpr int kIdTemperature = 1039;
constexpr int kIdTemperatureText = 1270;
constexpr int kIdStep2Next = 1278;
constexpr int kIdStep2Cancel = 1279;
constexpr int kIdBrightness = 1271;
constexpr int kIdBrightnessText = 1272;
constexpr int kIdGuide = 1264;
constexpr int kIdFinish = 1280;
constexpr int kIdStep3Cancel = 1281;
constexpr UINT kStrCommFailed = 249;

std::string Env(const char* name) {
    char value[4096] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string DosPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return "Z:" + path;
}

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Runs simdesk on the test's desk and returns what it printed.
std::string Simdesk(const std::string& arguments) {
    const std::string program = e2e::ProgramPath();
    const std::string simdesk = program.substr(0, program.find_last_of('\\')) + "\\simdesk.exe";
    std::string commandLine = "\"" + simdesk + "\" \"" + Env("VISTREL_SIM_CONFIG") + "\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::string();
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                          CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    ::CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    ::CloseHandle(readEnd);
    return output;
}

// Every register of every monitor, from one simdesk run: [monitor][key] = current.
using DeskRegisters = std::map<int, std::map<std::string, int>>;

DeskRegisters Registers() {
    DeskRegisters registers;
    std::istringstream lines(Simdesk("show"));
    std::string line;
    int monitor = -1;
    while (std::getline(lines, line)) {
        char key[16] = {};
        int current = 0;
        if (!line.empty() && line[0] != ' ') {
            monitor = std::atoi(line.c_str());
        } else if (std::sscanf(line.c_str(), " %15s %d /", key, &current) == 2 && std::string(key) != "page") {
            registers[monitor][key] = current;
        }
    }
    return registers;
}

int Register(int monitor, const char* key) {
    DeskRegisters registers = Registers();
    const auto found = registers[monitor].find(key);
    return found == registers[monitor].end() ? -1 : found->second;
}

// Luminance of full white as each monitor's screen shows it now.
std::map<int, double> Luminances() {
    std::map<int, double> values;
    std::istringstream lines(Simdesk("luminance"));
    std::string line;
    while (std::getline(lines, line)) {
        int monitor = -1;
        char id[64] = {};
        double luminance = 0;
        if (std::sscanf(line.c_str(), "%d %63s %lf", &monitor, id, &luminance) == 3) values[monitor] = luminance;
    }
    return values;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::SendMessageW(::GetDlgItem(dialog, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

bool ItemEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void MoveSlider(HWND dialog, int id, int position) {
    HWND slider = ::GetDlgItem(dialog, id);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
}

struct Search {
    DWORD processId;
    int controlId;
    HWND found;
    bool visibleOnly = true;
};

BOOL CALLBACK FindChildWith(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if ((search->visibleOnly && !::IsWindowVisible(window)) || ::GetDlgItem(window, search->controlId) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The wizard's step (a child dialog of the frame) holding a control.
BOOL CALLBACK FindStep(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    ::EnumChildWindows(window, FindChildWith, parameter);
    return search->found == nullptr;
}

// A message box of the process: its text sits in the static 65535.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window) || ::GetDlgItem(window, 0xFFFF) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

class MatchTest : public ::testing::Test {
protected:
    void StartWith(const std::string& deskText) {
        const std::string config = DosPath(Env("E2E_CONFIG_DIR")) + "\\match-desk.json";
        {
            std::ofstream file(config, std::ios::binary);
            file << deskText;
        }
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), "match-desk.json"));
        // The simulated monitors log every command here for the program's lifetime.
        trafficLog = DosPath(Env("E2E_WORK")) + "\\" + TestName() + "\\traffic.log";
        ::DeleteFileA(trafficLog.c_str());
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", trafficLog.c_str());
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", nullptr);
    }

    // How often each monitor was told that the adjustment session ended (page
    // 0xF0, code 0xE3 written 0), from the traffic log; empty without a log.
    std::map<int, int> SessionEnds() const {
        std::map<int, int> ends;
        std::ifstream log(trafficLog);
        std::string line;
        while (std::getline(log, line)) {
            int monitor = -1;
            if (std::sscanf(line.c_str(), "m%d ", &monitor) == 1 &&
                line.find(" set F0:E3=0 @") != std::string::npos && line.find(" ok") != std::string::npos)
                ++ends[monitor];
        }
        return ends;
    }
    bool HasTrafficLog() const { return ::GetFileAttributesA(trafficLog.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void SetUp() override {
        std::ifstream source(DosPath(VISTREL_SOURCE_DIR "/sim/configs/match-desk.json"), std::ios::binary);
        std::stringstream text;
        text << source.rdbuf();
        desk = text.str();
        ASSERT_FALSE(desk.empty());
    }
    void TearDown() override {
        if (program.Running()) {
            if (HWND box = MessageBox()) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            if (HWND menu = program.OpenTrayMenu()) program.PickMenuItem(menu, e2e::kMenuExit);
            if (!program.WaitForExit(10000)) program.Kill();
        }
        e2e::DeleteSettingsTree();
    }

    // Opens the settings window on the match tab and presses "&Adjust...".
    void OpenWizard() {
        HWND main = program.MainWindow();
        // After a wizard run the settings window is up already.
        if (!::IsWindowVisible(main)) {
            HWND menu = program.OpenTrayMenu();
            ASSERT_NE(menu, nullptr);
            program.PickMenuItem(menu, e2e::kMenuSettings);
        }
        ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(main) != FALSE; }));
        SelectTab(main, kTabMatch);
        HWND adjust = nullptr;
        ASSERT_TRUE(e2e::WaitUntil(5000, [&] {
            adjust = FindStepWith(kIdAdjust);
            return adjust != nullptr && ItemEnabled(adjust, kIdAdjust);
        }));
        Shot("page");
        Click(adjust, kIdAdjust);
        ASSERT_TRUE(e2e::WaitUntil(20000, [&] {
            step = FindStepWith(kIdStep1Next);
            return step != nullptr && ItemEnabled(step, kIdStep1Cancel);
        })) << "step 1 did not load";
    }

    // Moves the settings window's tab strip to `index` with the arrow keys, as a
    // user would.
    void SelectTab(HWND main, int index) {
        HWND tab = ::GetDlgItem(main, 1000);
        const int current = static_cast<int>(::SendMessageA(tab, TCM_GETCURSEL, 0, 0));
        const WPARAM key = index > current ? VK_RIGHT : VK_LEFT;
        for (int i = 0; i < std::abs(index - current); ++i) {
            ::PostMessageA(tab, WM_KEYDOWN, key, 0);
            ::PostMessageA(tab, WM_KEYUP, key, 0xC0000001);
        }
        e2e::WaitUntil(5000, [&] { return ::SendMessageA(tab, TCM_GETCURSEL, 0, 0) == index; });
    }

    HWND FindStepWith(int controlId) const {
        Search search{program.ProcessId(), controlId, nullptr};
        ::EnumWindows(FindStep, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND MessageBox() const {
        Search search{program.ProcessId(), 0, nullptr};
        ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    void NextToStep2() {
        Click(step, kIdStep1Next);
        ASSERT_TRUE(e2e::WaitUntil(20000, [&] {
            step = FindStepWith(kIdStep2Next);
            return step != nullptr && ItemEnabled(step, kIdStep2Cancel);
        })) << "step 2 did not load";
    }

    void NextToStep3() {
        Click(step, kIdStep2Next);
        ASSERT_TRUE(e2e::WaitUntil(30000, [&] {
            step = FindStepWith(kIdFinish);
            return (step != nullptr && ItemEnabled(step, kIdStep3Cancel)) || MessageBox() != nullptr;
        })) << "step 3 did not load";
    }

    // The frame goes with all three steps, shown or not.
    bool WizardClosed() {
        return e2e::WaitUntil(20000, [&] {
            Search search{program.ProcessId(), kIdMaster, nullptr, false};
            ::EnumWindows(FindStep, reinterpret_cast<LPARAM>(&search));
            return search.found == nullptr;
        });
    }

    // With E2E_MATCH_SHOTS set, waits at each window until the person taking
    // screenshots removes the marker file.
    void Shot(const char* name) const {
        if (Env("E2E_MATCH_SHOTS").empty()) return;
        const std::string marker = DosPath(Env("E2E_MATCH_SHOTS")) + "\\" + name + ".ready";
        { std::ofstream file(marker); }
        e2e::WaitUntil(60000, [&] { return ::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; });
    }

    void ExpectNothingClaimed() {
        DeskRegisters registers = Registers();
        for (int monitor : {kTq6600, kTq3300, kTq2200, kTq8800})
            EXPECT_EQ(registers[monitor]["E0"], 0) << "owner register of monitor " << monitor;
    }

    Program program;
    std::string desk;
    std::string trafficLog;
    HWND step = nullptr;
};

TEST_F(MatchTest, FinishGivesEveryMonitorTheMastersPictureAndLuminance) {
    StartWith(desk);
    OpenWizard();
    Shot("step1");
    // Enter on the focused "&Next", as a keyboard user leaves step 1.
    ::PostMessageA(::GetDlgItem(step, kIdStep1Next), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(e2e::WaitUntil(20000, [&] {
        step = FindStepWith(kIdStep2Next);
        return step != nullptr && ItemEnabled(step, kIdStep2Cancel);
    })) << "Enter did not lead to step 2";
    // Preset 9 (8000K): the master offers presets 0-14, so its slider place is 9.
    MoveSlider(step, kIdTemperature, 9);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return ItemText(step, kIdTemperatureText) == L"8000K"; }));
    EXPECT_TRUE(ItemEnabled(step, kIdStep2Next));
    Shot("step2");
    NextToStep3();
    ASSERT_NE(step, nullptr);

    // What the desk's monitors estimate at preset 9 and gamma 2.2.
    double master = 0, narrow = 0;
    ASSERT_TRUE(LuminanceFromPrimaries({236, 255, 54.8}, {241, 255, 194.2}, {255, 255, 23.2}, 4, &master));
    ASSERT_TRUE(LuminanceFromPrimaries({240, 255, 39.2}, {250, 255, 158.0}, {0, 0, 19.0}, 4, &narrow));
    const double table = 226.2;
    BrightnessLimit limit;
    ASSERT_TRUE(ComputeBrightnessLimit(std::min({master, narrow, table}), master, 100, &limit));
    const std::wstring guide = ItemText(step, kIdGuide);
    EXPECT_NE(guide.find(L" " + std::to_wstring(limit.percent) + L"%"), std::wstring::npos) << guide;

    MoveSlider(step, kIdBrightness, static_cast<int>(limit.limit) + 1);
    EXPECT_FALSE(ItemEnabled(step, kIdFinish)) << "above the limit";
    Shot("step3-over");
    const int position = 50;
    ASSERT_LE(position, static_cast<int>(limit.limit));
    MoveSlider(step, kIdBrightness, position);
    EXPECT_TRUE(ItemEnabled(step, kIdFinish));
    EXPECT_EQ(ItemText(step, kIdBrightnessText), L"50");
    Shot("step3");
    Click(step, kIdFinish);
    ASSERT_TRUE(WizardClosed());

    double target = 0;
    std::uint32_t expected = 0;
    DeskRegisters registers = Registers();
    ASSERT_TRUE(TargetLuminance(position, master, 100, &target));
    EXPECT_EQ(registers[kTq6600]["10"], position);
    ASSERT_TRUE(TransferBrightness(target, table, 100, &expected));
    EXPECT_EQ(registers[kTq3300]["10"], static_cast<int>(expected));
    ASSERT_TRUE(TransferBrightness(target, narrow, 60, &expected));
    EXPECT_EQ(registers[kTq2200]["10"], static_cast<int>(expected));
    for (int monitor : {kTq6600, kTq3300, kTq2200}) {
        EXPECT_EQ(registers[monitor]["30:E2"], 1) << monitor;
        EXPECT_EQ(registers[monitor]["30:E3"], 9) << monitor;
    }
    EXPECT_EQ(registers[kTq8800]["30:E3"], 3) << "not a candidate";
    ExpectNothingClaimed();

    // What a user sees: every matched screen as bright as the master, give or take
    // one brightness step of the monitor.
    std::map<int, double> luminance = Luminances();
    ASSERT_EQ(luminance.count(kTq6600), 1u);
    EXPECT_LE(luminance[kTq3300], luminance[kTq6600]);
    EXPECT_GT(luminance[kTq3300], luminance[kTq6600] - table / 100);
    EXPECT_LE(luminance[kTq2200], luminance[kTq6600]);
    EXPECT_GT(luminance[kTq2200], luminance[kTq6600] - narrow / 60);
}

TEST_F(MatchTest, EscapeInStepThreeAndCancelInStepTwoRestoreEveryMonitor) {
    StartWith(desk);
    const char* const keys[] = {"10", "30:E2", "30:E3", "30:E4"};
    DeskRegisters before = Registers();

    OpenWizard();
    NextToStep2();
    MoveSlider(step, kIdTemperature, 12);
    NextToStep3();
    MoveSlider(step, kIdBrightness, 20);
    ASSERT_EQ(Register(kTq3300, "30:E2"), 1) << "step 3 put the master's mode on every monitor";
    ::PostMessageA(::GetDlgItem(step, kIdBrightness), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WizardClosed());
    DeskRegisters after = Registers();
    for (int monitor : {kTq6600, kTq3300, kTq2200})
        for (const char* key : keys) EXPECT_EQ(after[monitor][key], before[monitor][key]) << monitor << " " << key;
    ExpectNothingClaimed();
    // Every candidate hears that the session ended; the monitor the wizard does
    // not know hears nothing.
    if (HasTrafficLog()) {
        EXPECT_EQ(SessionEnds(), (std::map<int, int>{{kTq6600, 1}, {kTq3300, 1}, {kTq2200, 1}}));
    } else {
        std::printf("note: the simulated monitors wrote no traffic log\n");
    }

    OpenWizard();
    NextToStep2();
    MoveSlider(step, kIdTemperature, 1);
    ASSERT_EQ(Register(kTq6600, "30:E3"), 1);
    Click(step, kIdStep2Cancel);
    ASSERT_TRUE(WizardClosed());
    EXPECT_EQ(Register(kTq6600, "30:E3"), before[kTq6600]["30:E3"]);
    ExpectNothingClaimed();
}

TEST_F(MatchTest, AMonitorFailingInStepThreeShowsTheMessageWithNothingClaimed) {
    // The TQ2200W stops answering its blue gain, which only step 3 reads.
    const std::string id = "\"id\": \"TQ2200W-70033121\",";
    const std::size_t at = desk.find(id);
    ASSERT_NE(at, std::string::npos);
    desk.insert(at + id.size(), " \"faults\": {\"failReads\": [\"1A\"]},");
    StartWith(desk);
    OpenWizard();
    NextToStep2();
    NextToStep3();
    HWND box = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(20000, [&] { return (box = MessageBox()) != nullptr; }));
    wchar_t text[256] = {};
    ::SendMessageW(::GetDlgItem(box, 0xFFFF), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), e2e::ResourceString(kStrCommFailed, ::GetUserDefaultUILanguage()));
    // The box is up: no monitor may still be claimed behind it.
    ExpectNothingClaimed();
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WizardClosed());
    ExpectNothingClaimed();
}

}  // namespace
