// Automatic mode switching end to end: the real controller against the simulated
// desk, with stand-in applications (copies of foreground_app.exe) brought to the
// front, minimised and moved from here. What the monitors hold is read from the
// desk's state file; whether they were talked to at all, from the simulator's
// traffic log (a claim and its release leave the state file as it was).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "program_driver.h"
#include "stand_in.h"

namespace {

using e2e::DosPath;
using e2e::Env;
using e2e::Program;
using e2e::StandIn;

const char* const kMonitorIds[2] = {"TQ6600W-26114073", "TQ3300W-81200512"};
// Factory modes of the default desk: Picture on display 1, Text on display 2.
constexpr int kFactoryModes[2] = {1, 0};
constexpr int kGame = 17;

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

std::string TestFolder() {
    return DosPath(Env("E2E_WORK")) + "\\" + TestName();
}

bool TwoDisplays() {
    return Env("VISTREL_XSERVER") != "xvfb" && e2e::DisplayCount() >= 2;
}

bool WriteRootDword(const std::string& subkey, const char* name, DWORD value) {
    std::string path = e2e::kSettingsRoot;
    if (!subkey.empty()) path += "\\" + subkey;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result =
        ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool ReadDword(const std::string& subkey, const char* name, DWORD* value) {
    const std::string path = std::string(e2e::kSettingsRoot) + "\\" + subkey;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 4;
    const LONG result =
        ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The desk's state file as it is now; empty while nothing was written yet.
std::string StateText() {
    std::ifstream file(TestFolder() + "\\desk.state.json", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Commands the simulated monitors received so far, from the traffic log.
std::size_t TrafficLines() {
    std::ifstream file(TestFolder() + "\\traffic.log", std::ios::binary);
    std::size_t lines = 0;
    std::string line;
    while (std::getline(file, line)) ++lines;
    return lines;
}

// The picture mode a monitor holds: the state file's value, or the factory
// setting while the monitor was never written.
int ModeOf(int monitor) {
    const std::string text = StateText();
    const std::size_t entry = text.find(std::string("\"") + kMonitorIds[monitor] + "\"");
    if (entry == std::string::npos) return kFactoryModes[monitor];
    const std::string key = "\"30:E2\":";
    const std::size_t at = text.find(key, entry);
    if (at == std::string::npos) return -1;
    return std::atoi(text.c_str() + at + key.size());
}

// The mode page: the child dialog of the tab strip that holds the application list.
HWND ModePage(HWND mainWindow) {
    HWND tab = ::GetDlgItem(mainWindow, 1000);
    for (HWND child = ::FindWindowExA(tab, nullptr, "#32770", nullptr); child != nullptr;
         child = ::FindWindowExA(tab, child, "#32770", nullptr)) {
        if (::GetDlgItem(child, 1007) != nullptr) return child;
    }
    return nullptr;
}

// The text of the entry selected in a list of the page; empty without one.
std::wstring SelectedText(HWND page, int id) {
    HWND list = ::GetDlgItem(page, id);
    const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index < 0) return std::wstring();
    wchar_t text[256] = {};
    if (::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= 255)
        return std::wstring();
    ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// Every entry of a list of the page, for failure messages.
std::string ListTexts(HWND page, int id) {
    HWND list = ::GetDlgItem(page, id);
    std::string texts;
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= 255) continue;
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        for (const wchar_t* c = text; *c != 0; ++c) texts += static_cast<char>(*c < 128 ? *c : '?');
        texts += "|";
    }
    return texts;
}

// Selects the entry with this text in a list of the page as a user would.
bool ChooseInList(HWND page, int id, const wchar_t* text) {
    HWND list = ::GetDlgItem(page, id);
    const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text));
    if (index < 0) return false;
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

struct MessageBoxSearch {
    DWORD processId;
    HWND mainWindow;
    HWND found;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<MessageBoxSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && window != search->mainWindow && ::IsWindowVisible(window) &&
        std::string(className) == "#32770" && ::GetDlgItem(window, 65535) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A message box the controller shows right now, or null.
HWND MessageBoxOf(const Program& program) {
    MessageBoxSearch search{program.ProcessId(), program.MainWindow(), nullptr};
    ::EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class AutoTonalisTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), "default-desk.json"));
        // ALPHA is bound to Game mode; everything else keeps its mode.
        ASSERT_TRUE(WriteRootDword("Tonl\\ALPHA", "Mode", kGame));
    }
    void TearDown() override {
        StopProgram();
        e2e::DeleteSettingsTree();
    }
    void StartProgram() {
        // The simulated monitors log every command for the program's lifetime.
        const std::string log = TestFolder() + "\\traffic.log";
        ::DeleteFileA(log.c_str());
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", log.c_str());
        const bool started = program.Start();
        ::SetEnvironmentVariableA("VISTREL_SIM_TRAFFIC_LOG", nullptr);
        ASSERT_TRUE(started) << "the controller did not become resident";
        ASSERT_GT(TrafficLines(), 0u) << "no traffic log";
    }
    // Ends the controller through its tray menu once its monitor work is done; a
    // menu opened while the program was busy may miss the keys, so once more.
    void StopProgram() {
        WaitForQuiet();
        program.ExitFromTray();
    }
    // Waits until both monitors hold these modes; false after 10 s.
    bool WaitForModes(int first, int second, DWORD* elapsed = nullptr) {
        const DWORD start = ::GetTickCount();
        const bool reached =
            e2e::WaitUntil(10000, [&] { return ModeOf(0) == first && ModeOf(1) == second; });
        if (elapsed != nullptr) *elapsed = ::GetTickCount() - start;
        return reached;
    }
    // Lets the monitor work in progress end: the release follows the mode's
    // settling time.
    void WaitForQuiet() {
        for (int i = 0; i < 20 && !QuietFor(800); ++i) {
        }
    }
    // No monitor receives a single command for this long, not even a claim.
    bool QuietFor(DWORD milliseconds) {
        const std::size_t before = TrafficLines();
        ::Sleep(milliseconds);
        return TrafficLines() == before;
    }

    Program program;
};

TEST_F(AutoTonalisTest, TheBoundModeFollowsTheApplicationInFront) {
    StartProgram();
    StandIn alpha;
    StandIn beta;
    ASSERT_TRUE(beta.Start("BETA.exe", "BetaWindow", 200, 200));
    ASSERT_TRUE(beta.ToFront());
    ASSERT_TRUE(QuietFor(1500)) << "an application without a rule, default Not change: no traffic";
    EXPECT_EQ(ModeOf(0), kFactoryModes[0]);

    ASSERT_TRUE(alpha.Start("ALPHA.exe", "AlphaWindow", 100, 100));
    ASSERT_TRUE(alpha.ToFront());
    DWORD elapsed = 0;
    EXPECT_TRUE(WaitForModes(kGame, TwoDisplays() ? kGame : kFactoryModes[1], &elapsed))
        << ModeOf(0) << " " << ModeOf(1);
    std::printf("[ figures  ] ALPHA in front -> Game on the monitors after %lu ms\n",
                static_cast<unsigned long>(elapsed));

    // The application list follows the application in front. The message that
    // says so carries nothing the page trusts: a stray one with a bad pointer
    // changes nothing.
    HWND page = ModePage(program.MainWindow());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return SelectedText(page, 1007) == L"ALPHA"; }));
    ::PostMessageA(page, WM_USER + 105, 0, 0x10);
    ::Sleep(500);
    ASSERT_TRUE(program.Running());
    EXPECT_EQ(SelectedText(page, 1007), L"ALPHA");

    // Nothing changes in front: no monitor is touched, period after period.
    WaitForQuiet();
    EXPECT_TRUE(QuietFor(2000));

    // Minimised and restored, the same window is no change.
    ::ShowWindow(alpha.Window(), SW_MINIMIZE);
    ::Sleep(500);
    ::ShowWindow(alpha.Window(), SW_RESTORE);
    ASSERT_TRUE(alpha.ToFront());
    EXPECT_TRUE(QuietFor(1500));

    // BETA in front keeps whatever the monitors hold.
    ASSERT_TRUE(beta.ToFront());
    EXPECT_TRUE(QuietFor(1500));
    EXPECT_EQ(ModeOf(0), kGame);
}

TEST_F(AutoTonalisTest, PerScreenSwitchingSwitchesOnlyTheMonitorUnderTheWindow) {
    if (!TwoDisplays()) GTEST_SKIP() << "needs two displays (Xorg with two outputs, not Xvfb)";
    ASSERT_TRUE(WriteRootDword("", "MonIndepend", 1));
    StartProgram();
    StandIn alpha;
    ASSERT_TRUE(alpha.Start("ALPHA.exe", "AlphaWindow", 1400, 100));
    ASSERT_TRUE(alpha.ToFront());
    EXPECT_TRUE(WaitForModes(kFactoryModes[0], kGame)) << ModeOf(0) << " " << ModeOf(1);
    WaitForQuiet();
    EXPECT_EQ(ModeOf(0), kFactoryModes[0]) << "display 1 keeps its mode";

    // Dragged to display 1, the same window switches that monitor too.
    ::SetWindowPos(alpha.Window(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(WaitForModes(kGame, kGame)) << ModeOf(0) << " " << ModeOf(1);
}

TEST_F(AutoTonalisTest, RuleRegisteredOnThePageSurvivesARestart) {
    StartProgram();
    StandIn alpha;
    StandIn beta;
    ASSERT_TRUE(alpha.Start("ALPHA.exe", "AlphaWindow", 100, 100));
    ASSERT_TRUE(beta.Start("BETA.exe", "BetaWindow", 200, 200));

    // BETA came to the front after the controller started, which added it to the
    // application list. Open the settings window, choose BETA, choose "Text
    // mode" and register.
    ASSERT_TRUE(beta.ToFront());
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] {
        return SelectedText(ModePage(program.MainWindow()), 1007) == L"BETA";
    })) << ListTexts(ModePage(program.MainWindow()), 1007);
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    program.PickMenuItem(menu, e2e::kMenuSettings);
    ASSERT_TRUE(
        e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; }));
    HWND page = ModePage(program.MainWindow());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ChooseInList(page, 1007, L"BETA")) << ListTexts(page, 1007);
    ASSERT_TRUE(ChooseInList(page, 1010, L"Text mode"));
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(page, 1031)));

    // "&Register" asks first; the answer comes from the message box's Yes button.
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(1031, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, 1031)));
    HWND question = nullptr;
    ASSERT_TRUE(
        e2e::WaitUntil(5000, [&] { return (question = MessageBoxOf(program)) != nullptr; }));
    wchar_t text[256] = {};
    ::GetDlgItemTextW(question, 65535, text, 256);
    EXPECT_EQ(std::wstring(text), L"Save the mode setting of [BETA]?");
    ::SendMessageA(::GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    DWORD mode = 99;
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return ReadDword("Tonl\\BETA", "Mode", &mode); }));
    EXPECT_EQ(mode, 0u);
    ::SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(1046, BN_CLICKED), 0);

    // A new run of the controller finds the rule and acts on it.
    StopProgram();
    ASSERT_FALSE(program.Running());
    Program second;
    ASSERT_TRUE(second.Start());
    const int secondGame = TwoDisplays() ? kGame : kFactoryModes[1];
    ASSERT_TRUE(alpha.ToFront());
    EXPECT_TRUE(WaitForModes(kGame, secondGame)) << ModeOf(0) << " " << ModeOf(1);
    ASSERT_TRUE(beta.ToFront());
    EXPECT_TRUE(WaitForModes(0, 0)) << ModeOf(0) << " " << ModeOf(1);
    second.ExitFromTray();
}

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The Linux process that runs a Windows program under Wine, found by a piece of
// its command line; Wine's own process times of another process read 0, the
// kernel's do not. 0 when none runs.
std::string LinuxProcessOf(const std::string& commandLinePart) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return std::string();
    std::string found;
    do {
        const std::string name = entry.cFileName;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string commandLine = ReadWhole("Z:\\proc\\" + name + "\\cmdline");
        if (commandLine.find(commandLinePart) != std::string::npos) found = name;
    } while (found.empty() && ::FindNextFileA(search, &entry));
    ::FindClose(search);
    return found;
}

// User and system time of a Linux process so far, in milliseconds (-1: unknown).
double CpuMilliseconds(const std::string& linuxProcess) {
    const std::string stat = ReadWhole("Z:\\proc\\" + linuxProcess + "\\stat");
    const std::size_t afterName = stat.rfind(')');
    if (linuxProcess.empty() || afterName == std::string::npos) return -1;
    std::istringstream fields(stat.substr(afterName + 2));
    std::string field;
    double ticks = 0;
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    for (int index = 3; index <= 15 && (fields >> field); ++index) {
        if (index >= 14) ticks += std::atof(field.c_str());
    }
    return ticks * 10.0;  // USER_HZ is 100
}

// Not a timed test: it asserts only that an idle watch reaches no monitor, and
// reports the controller's CPU use beside a trivial tray program's, both
// measured over the same seconds of this run.
TEST_F(AutoTonalisTest, IdleWatchCostsNoTrafficAndAboutWhatATrivialTrayCosts) {
    StartProgram();
    StandIn alpha;
    ASSERT_TRUE(alpha.Start("ALPHA.exe", "AlphaWindow", 100, 100));
    ASSERT_TRUE(alpha.ToFront());
    ASSERT_TRUE(WaitForModes(kGame, TwoDisplays() ? kGame : kFactoryModes[1]));
    WaitForQuiet();

    const std::string programPath = e2e::ProgramPath();
    const std::string tray = TestFolder() + "\\TRIVIALTRAY.exe";
    ASSERT_TRUE(::CopyFileA(
        (programPath.substr(0, programPath.find_last_of('\\')) + "\\foreground_app.exe").c_str(),
        tray.c_str(), FALSE));
    std::string commandLine = "\"" + tray + "\" --tray";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION baseline{};
    ASSERT_TRUE(::CreateProcessA(tray.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &baseline));
    ::Sleep(2000);

    const std::string controllerProcess = LinuxProcessOf(programPath);
    const std::string baselineProcess = LinuxProcessOf(tray);
    constexpr DWORD kSeconds = 10;
    const std::size_t trafficBefore = TrafficLines();
    const double controllerStart = CpuMilliseconds(controllerProcess);
    const double baselineStart = CpuMilliseconds(baselineProcess);
    ::Sleep(kSeconds * 1000);
    const double controllerUsed = CpuMilliseconds(controllerProcess) - controllerStart;
    const double baselineUsed = CpuMilliseconds(baselineProcess) - baselineStart;
    ::TerminateProcess(baseline.hProcess, 0);
    ::WaitForSingleObject(baseline.hProcess, 5000);
    ::CloseHandle(baseline.hProcess);
    ::CloseHandle(baseline.hThread);

    EXPECT_EQ(TrafficLines(), trafficBefore) << "no monitor was claimed while nothing changed";
    std::printf(
        "[ figures  ] idle over %lu s: controller %.1f ms CPU (%.3f%% of a core), "
        "trivial tray %.1f ms (%.3f%%)\n",
        static_cast<unsigned long>(kSeconds), controllerUsed, controllerUsed / (kSeconds * 10.0),
        baselineUsed, baselineUsed / (kSeconds * 10.0));
}

}  // namespace
