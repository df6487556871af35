#pragma once
// The multi-monitor match wizard driven from outside on the match desk: the
// fixture and helpers the wizard's end-to-end tests share. Registers are read
// back through simdesk.
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

namespace match_e2e {

using e2e::DosPath;
using e2e::Env;
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

inline std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Runs simdesk on the test's desk and returns what it printed.
inline std::string Simdesk(const std::string& arguments) {
    const std::string program = e2e::ProgramPath();
    const std::string simdesk = program.substr(0, program.find_last_of('\\')) + "\\simdesk.exe";
    std::string commandLine =
        "\"" + simdesk + "\" \"" + Env("VISTREL_SIM_CONFIG") + "\" " + arguments;
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
        while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    ::CloseHandle(readEnd);
    return output;
}

// Every register of every monitor, from one simdesk run: [monitor][key] = current.
using DeskRegisters = std::map<int, std::map<std::string, int>>;

inline DeskRegisters Registers() {
    DeskRegisters registers;
    std::istringstream lines(Simdesk("show"));
    std::string line;
    int monitor = -1;
    while (std::getline(lines, line)) {
        char key[16] = {};
        int current = 0;
        if (!line.empty() && line[0] != ' ') {
            monitor = std::atoi(line.c_str());
        } else if (std::sscanf(line.c_str(), " %15s %d /", key, &current) == 2 &&
                   std::string(key) != "page") {
            registers[monitor][key] = current;
        }
    }
    return registers;
}

inline int Register(int monitor, const char* key) {
    DeskRegisters registers = Registers();
    const auto found = registers[monitor].find(key);
    return found == registers[monitor].end() ? -1 : found->second;
}

// Luminance of full white as each monitor's screen shows it now.
inline std::map<int, double> Luminances() {
    std::map<int, double> values;
    std::istringstream lines(Simdesk("luminance"));
    std::string line;
    while (std::getline(lines, line)) {
        int monitor = -1;
        char id[64] = {};
        double luminance = 0;
        if (std::sscanf(line.c_str(), "%d %63s %lf", &monitor, id, &luminance) == 3)
            values[monitor] = luminance;
    }
    return values;
}

inline std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::SendMessageW(::GetDlgItem(dialog, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

inline bool ItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

inline void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

inline void MoveSlider(HWND dialog, int id, int position) {
    HWND slider = ::GetDlgItem(dialog, id);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                   reinterpret_cast<LPARAM>(slider));
}

struct Search {
    DWORD processId;
    int controlId;
    HWND found;
    bool visibleOnly = true;
};

inline BOOL CALLBACK FindChildWith(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if ((search->visibleOnly && !::IsWindowVisible(window)) ||
        ::GetDlgItem(window, search->controlId) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The wizard's step (a child dialog of the frame) holding a control.
inline BOOL CALLBACK FindStep(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    ::EnumChildWindows(window, FindChildWith, parameter);
    return search->found == nullptr;
}

// A message box of the process: its text sits in the static 65535.
inline BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window) ||
        ::GetDlgItem(window, 0xFFFF) == nullptr)
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
                line.find(" set F0:E3=0 @") != std::string::npos &&
                line.find(" ok") != std::string::npos)
                ++ends[monitor];
        }
        return ends;
    }
    bool HasTrafficLog() const {
        return ::GetFileAttributesA(trafficLog.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void SetUp() override {
        std::ifstream source(DosPath(VISTREL_SOURCE_DIR "/sim/configs/match-desk.json"),
                             std::ios::binary);
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
            return (step != nullptr && ItemEnabled(step, kIdStep3Cancel)) ||
                   MessageBox() != nullptr;
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
        e2e::WaitUntil(
            60000, [&] { return ::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; });
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

}  // namespace match_e2e
