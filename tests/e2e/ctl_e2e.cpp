// vistrelctl.exe under Wine against the stand-in DLLs: every verb as a script
// runs it, and the controller and vistrelctl at work on one desk at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "settings_driver.h"

namespace {

using e2e::SetSimRegister;
using e2e::SimRegister;

constexpr int kMonitorOne = 0;  // TQ6600W on display 1
constexpr int kMonitorTwo = 1;  // TQ3300W on display 2

struct CtlRun {
    DWORD status = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

// What the pipe holds now, without waiting for its end: a Wine service started
// on the first call may inherit the pipe and keep it open long after the
// program ended.
void Drain(HANDLE pipe, std::string* text) {
    char buffer[4096];
    DWORD available = 0;
    while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD read = 0;
        if (!::ReadFile(pipe, buffer, sizeof buffer < available ? sizeof buffer : available, &read,
                        nullptr) ||
            read == 0)
            break;
        text->append(buffer, read);
    }
}

std::string WithoutCarriageReturns(std::string text) {
    std::string plain;
    for (const char c : text) {
        if (c != '\r') plain += c;
    }
    return plain;
}

// vistrelctl.exe (beside the controller) started with the test's desk, its
// output collected until it ends. Started without a console window of its own,
// so that a console control event can be sent to it alone.
class CtlProcess {
public:
    explicit CtlProcess(const std::string& arguments) {
        const std::string program = e2e::ProgramPath();
        const std::string path = program.substr(0, program.find_last_of('\\')) + "\\vistrelctl.exe";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE outWrite = nullptr, errWrite = nullptr;
        ::CreatePipe(&outRead_, &outWrite, &inherit, 0);
        ::CreatePipe(&errRead_, &errWrite, &inherit, 0);
        ::SetHandleInformation(outRead_, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(errRead_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = outWrite;
        startup.hStdError = errWrite;
        std::string commandLine = "\"" + path + "\" " + arguments;
        started_ = ::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                    CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process_) != 0;
        ::CloseHandle(outWrite);
        ::CloseHandle(errWrite);
    }
    ~CtlProcess() {
        if (started_) {
            if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(process_.hProcess, 99);
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
        ::CloseHandle(outRead_);
        ::CloseHandle(errRead_);
    }
    CtlProcess(const CtlProcess&) = delete;
    CtlProcess& operator=(const CtlProcess&) = delete;

    bool Started() const { return started_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool Running() const {
        return started_ && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }
    // Ctrl+C as a console sends it: to every process of the program's console,
    // which this one joins for the moment, ignoring the event itself.
    bool SendCtrlC() {
        ::FreeConsole();
        if (!::AttachConsole(process_.dwProcessId)) return false;
        ::SetConsoleCtrlHandler(nullptr, TRUE);
        const bool sent = ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) != 0;
        ::FreeConsole();
        return sent;
    }
    // Waits for the end (at most a minute) and collects what it wrote.
    CtlRun Finish() {
        CtlRun run;
        if (!started_) return run;
        std::string out, err;
        const DWORD start = ::GetTickCount();
        while (::WaitForSingleObject(process_.hProcess, 50) == WAIT_TIMEOUT &&
               ::GetTickCount() - start < 60000) {
            Drain(outRead_, &out);
            Drain(errRead_, &err);
        }
        Drain(outRead_, &out);
        Drain(errRead_, &err);
        run.out = WithoutCarriageReturns(out);
        run.err = WithoutCarriageReturns(err);
        ::GetExitCodeProcess(process_.hProcess, &run.status);
        return run;
    }

private:
    HANDLE outRead_ = nullptr;
    HANDLE errRead_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// Runs vistrelctl.exe with the test's desk and waits for it.
CtlRun RunCtl(const std::string& arguments) {
    CtlProcess process(arguments);
    return process.Finish();
}

// vistrelctl's cache of the monitors it identified, in the prefix's user profile.
std::wstring CachePath() {
    wchar_t folder[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    return std::wstring(folder) + L"\\Panelwright\\vistrelctl-monitors";
}

std::string CacheText() {
    std::string text;
    HANDLE file = ::CreateFileW(CachePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

class CtlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "default-desk.json"));
        // Each test starts from monitors vistrelctl has never seen.
        ::DeleteFileW(CachePath().c_str());
    }
    void TearDown() override {
        EXPECT_EQ(SimRegister(kMonitorOne, 0, 0xE0), 0) << "no claim left";
        EXPECT_EQ(SimRegister(kMonitorTwo, 0, 0xE0), 0) << "no claim left";
        e2e::DeleteSettingsTree();
    }
};

TEST_F(CtlTest, EveryVerbAgainstTheSimulatedDesk) {
    CtlRun run = RunCtl("detect");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out,
              "0  \\\\.\\DISPLAY1  TQ6600W  26114073  maker  lcd\n"
              "1  \\\\.\\DISPLAY2  TQ3300W  81200512  maker  lcd\n"
              "2  \\\\.\\DISPLAY2  KESTREL 19  -  other  LCD\n");
    run = RunCtl("--json detect");
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.out.rfind(
                  "[{\"index\":0,\"display\":\"\\\\\\\\.\\\\DISPLAY1\",\"model\":\"TQ6600W\"", 0),
              0u)
        << run.out;

    run = RunCtl("caps -m 1");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_NE(run.out.find("page 30: E2(00 01 02 04 11 21 24 2F)"), std::string::npos) << run.out;

    run = RunCtl("get 10");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, "60 100\n");
    run = RunCtl("set 10 70");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x10), 70);
    run = RunCtl("set 10 101");
    EXPECT_EQ(run.status, 2u);
    EXPECT_EQ(run.err,
              "vistrelctl: value 101 is above the maximum 100 of VCP code 10; nothing written\n");
    run = RunCtl("get E4 --page 30 -m 1 --json");
    EXPECT_EQ(run.out, "{\"monitor\":1,\"page\":48,\"code\":228,\"current\":4,\"maximum\":8}\n");

    run = RunCtl("mode game");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0x30, 0xE2), 17);
    run = RunCtl("mode");
    EXPECT_NE(run.out.find("* 17  Game mode\n"), std::string::npos) << run.out;

    run = RunCtl("volume 20");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x62), 20);
    EXPECT_EQ(RunCtl("volume").out, "20 30\n");
    run = RunCtl("reset sound");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x62), 15);

    run = RunCtl("register Evening");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(RunCtl("sets").out, "Evening  TQ6600W  Game mode\n");
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0, 0x10, 20));
    run = RunCtl("restore Evening");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x10), 70);
    run = RunCtl("restore Evening -m 1");
    EXPECT_EQ(run.status, 2u);
    EXPECT_EQ(RunCtl("delete Evening").status, 0u);
    EXPECT_EQ(RunCtl("sets").out, "");

    EXPECT_EQ(RunCtl("mode -m 9").status, 2u);
    run = RunCtl("frobnicate");
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.err,
              "vistrelctl: unknown command frobnicate (vistrelctl help shows the usage)\n");
}

// What a script does most, for the builds that run only a focused set.
TEST_F(CtlTest, DetectGetSetAndMode) {
    CtlRun run = RunCtl("detect");
    EXPECT_EQ(run.status, 0u) << run.err;
    // Only the first display's line: a 32-bit prefix here shows Wine's first
    // display alone.
    EXPECT_EQ(run.out.rfind("0  \\\\.\\DISPLAY1  TQ6600W  26114073  maker  lcd\n", 0), 0u)
        << run.out;
    run = RunCtl("get 10");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, "60 100\n");
    run = RunCtl("set 10 70");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x10), 70);
    run = RunCtl("mode game");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0x30, 0xE2), 17);
}

// The second run finds monitor 0 in the cache the first one wrote, keyed by the
// identity the maker library reads from its EDID, and skips identifying it.
TEST_F(CtlTest, ASecondRunFindsTheMonitorInTheCache) {
    DWORD start = ::GetTickCount();
    CtlRun run = RunCtl("get 10");
    const DWORD cold = ::GetTickCount() - start;
    ASSERT_EQ(run.status, 0u) << run.err;
    const std::string cache = CacheText();
    EXPECT_EQ(cache.rfind("vistrelctl-monitors 1 1 ", 0), 0u) << cache;
    EXPECT_NE(cache.find("\nORX-"), std::string::npos) << cache;
    EXPECT_NE(cache.find("\tmaker\t"), std::string::npos) << cache;

    start = ::GetTickCount();
    run = RunCtl("set 10 70");
    const DWORD warm = ::GetTickCount() - start;
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0x10), 70);
    // Identifying the monitor takes seconds at its waits; the write alone, a
    // fraction of one.
    EXPECT_LT(warm * 2, cold) << "cold " << cold << " ms, warm " << warm << " ms";
    EXPECT_EQ(RunCtl("get 10").out, "70 100\n");
    std::printf("cold get %lu ms, warm set %lu ms\n", static_cast<unsigned long>(cold),
                static_cast<unsigned long>(warm));
}

// Ctrl+C while vistrelctl holds the monitor: the command stops at its next
// step, gives the monitor back and ends with 130.
TEST_F(CtlTest, CtrlCGivesTheMonitorBackAndEndsWith130) {
    const int modeBefore = SimRegister(kMonitorOne, 0x30, 0xE2);
    ASSERT_NE(modeBefore, 17);
    CtlProcess ctl("mode game");
    ASSERT_TRUE(ctl.Started());
    const int own = static_cast<int>(ctl.ProcessId() & 0xFFFF);
    // Identification claims the monitor to read its identity blocks, seconds
    // before the mode is written.
    ASSERT_TRUE(e2e::WaitUntil(30000, [&] { return SimRegister(kMonitorOne, 0, 0xE0) == own; }))
        << "vistrelctl never claimed monitor 0";
    ASSERT_TRUE(ctl.SendCtrlC()) << ::GetLastError();
    const CtlRun run = ctl.Finish();
    EXPECT_EQ(run.status, 130u) << run.err;
    EXPECT_EQ(run.err, "vistrelctl: interrupted\n");
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0xE0), 0) << "the claim is given back";
    EXPECT_EQ(SimRegister(kMonitorOne, 0x30, 0xE2), modeBefore) << "nothing started after Ctrl+C";
}

TEST_F(CtlTest, RunsBesideTheControllerWithoutTakingItsClaim) {
    e2e::Program program;
    ASSERT_TRUE(program.Start()) << "the controller did not become resident";

    // A set registered from a script is the controller's own.
    ASSERT_EQ(RunCtl("register Script").status, 0u);

    // While the controller holds a monitor, vistrelctl leaves it alone.
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0, 0xE0,
                               static_cast<std::uint16_t>(program.ProcessId() & 0xFFFF)));
    CtlRun run = RunCtl("mode text");
    EXPECT_EQ(run.status, 3u);
    EXPECT_EQ(run.err,
              "vistrelctl: monitor 0 is in use by another program (owner register held)\n");
    EXPECT_EQ(SimRegister(kMonitorOne, 0, 0xE0), static_cast<int>(program.ProcessId() & 0xFFFF));
    EXPECT_NE(SimRegister(kMonitorOne, 0x30, 0xE2), 0);
    ASSERT_TRUE(SetSimRegister(kMonitorOne, 0, 0xE0, 0));

    // A mode switched by vistrelctl is what the colour page then shows.
    run = RunCtl("mode game");
    ASSERT_EQ(run.status, 0u) << run.err;
    ASSERT_NE(e2e::OpenSettings(program), nullptr);
    ASSERT_TRUE(e2e::SelectTab(program, e2e::kTabColor));
    HWND page = e2e::FindPage(program, 1047);
    ASSERT_NE(page, nullptr);
    HWND modes = ::GetDlgItem(page, 1010);
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
        const LRESULT selected = ::SendMessageW(modes, CB_GETCURSEL, 0, 0);
        return selected >= 0 && e2e::ComboText(modes, static_cast<int>(selected)) ==
                                    e2e::ResourceString(104, e2e::TestLanguage());
    })) << "the colour page shows Game mode";
    HWND names = ::GetDlgItem(page, 1044);
    ::SendMessageW(names, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageW(names, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return e2e::FindEntry(names, L"Script") >= 0; }))
        << "the colour page lists the set vistrelctl registered";

    EXPECT_TRUE(program.ExitFromTray(true));
}

}  // namespace
