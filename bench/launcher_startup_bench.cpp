// How long the launcher takes from process start until its window is up, for a
// disk description of four tabs and 32 items. Runs under Wine (or Windows):
//   launcher_startup_bench.exe LAUNCHER.exe [RUNS] [BASELINE.exe]
// Prints every run and the median; the target is 150 ms. With a baseline program
// (a bare window, started the same way from the same folder) the two take turns,
// so the launcher's figures are read against what any window program costs here
// at the same moment; the difference of the medians is the launcher's own.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Item(int tab, int index) {
    const std::string title = "Item " + std::to_string(tab) + "." + std::to_string(index);
    return "    <Button_Info><Title>" + title + "</Title><Caption>Caption of " + title +
           ".</Caption><Item>Document</Item><Document_File_Info><Model_Name></Model_Name>"
           "<Document_File_Name>Doc\\" +
           std::to_string(index) +
           ".pdf</Document_File_Name>"
           "</Document_File_Info></Button_Info>\n";
}

std::string Description() {
    static const char* const kTabs[] = {"Manual_Tab", "Application_Tab", "Utility_Tab"};
    static const int kItems[] = {11, 11, 10};
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Orvex_LCD_Utility_Disk>\n"
        "  <Launcher_Title>Startup Bench</Launcher_Title>\n";
    for (int tab = 0; tab < 3; ++tab) {
        xml +=
            std::string("  <") + kTabs[tab] + "><Title>Tab " + std::to_string(tab) + "</Title>\n";
        for (int i = 0; i < kItems[tab]; ++i) xml += Item(tab, i);
        xml += std::string("  </") + kTabs[tab] + ">\n";
    }
    xml +=
        "  <Information_Tab><Title>Information</Title><Info_Message>Bench</Info_Message>"
        "<Info_URL>http://www.orvex.example/</Info_URL></Information_Tab>\n</"
        "Orvex_LCD_Utility_Disk>\n";
    return xml;
}

bool WriteFile(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
    ::CloseHandle(file);
    return ok;
}

struct Search {
    DWORD process;
    bool found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search->process && ::IsWindowVisible(window) &&
        ::GetDlgItem(window, 1004) != nullptr) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

// Starts the program once from the disk folder and measures process start to a
// visible top-level window with child 1004, in milliseconds (10 s when none came).
double TimeOneStart(const std::string& program, const std::string& folder, bool* found) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    LARGE_INTEGER start, now;
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        *found = false;
        return 0;
    }
    Search search{process.dwProcessId, false};
    double elapsed = 0;
    while (!search.found && elapsed < 10000) {
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        ::QueryPerformanceCounter(&now);
        elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                  static_cast<double>(frequency.QuadPart);
        if (!search.found) ::Sleep(1);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    *found = search.found;
    return elapsed;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s window up: median %.1f ms, best %.1f ms, worst %.1f ms over %zu runs\n", name,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launcher_startup_bench LAUNCHER.exe [RUNS] [BASELINE.exe]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string disk =
        std::string(temp) + "launcher-startup-bench-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(disk.c_str(), nullptr);
    ::CreateDirectoryA((disk + "\\LauncherInfo").c_str(), nullptr);
    const std::string program = disk + "\\launcher.exe";
    if (!::CopyFileA(argv[1], program.c_str(), FALSE) ||
        !WriteFile(disk + "\\LauncherInfo\\LauncherInfo_EN.xml", Description()) ||
        !WriteFile(disk + "\\LauncherInfo\\LauncherInfo_JA.xml", Description())) {
        std::fprintf(stderr, "cannot prepare the bench disk in %s\n", disk.c_str());
        return 1;
    }

    // With a baseline the two programs take turns, run by run, so that both see
    // the same machine: a load that comes and goes weighs on both alike.
    const std::string baseline = disk + "\\baseline.exe";
    const bool withBaseline = argc > 3 && ::CopyFileA(argv[3], baseline.c_str(), FALSE);
    std::vector<double> launcherTimes, bareTimes;
    for (int run = 0; run < runs; ++run) {
        bool found = false;
        launcherTimes.push_back(TimeOneStart(program, disk, &found));
        std::printf("launcher run %d: %.1f ms%s\n", run + 1, launcherTimes.back(),
                    found ? "" : " (no window)");
        if (withBaseline) {
            bareTimes.push_back(TimeOneStart(baseline, disk, &found));
            std::printf("bare window run %d: %.1f ms%s\n", run + 1, bareTimes.back(),
                        found ? "" : " (no window)");
        }
    }
    Report("launcher", launcherTimes);
    if (withBaseline) {
        Report("bare window", bareTimes);
        const double launcher = Median(launcherTimes), bare = Median(bareTimes);
        std::printf(
            "launcher's own share: %.1f ms (median launcher %.1f ms - median bare window %.1f "
            "ms)\n",
            launcher - bare, launcher, bare);
        ::DeleteFileA(baseline.c_str());
    }
    ::DeleteFileA((disk + "\\LauncherInfo\\LauncherInfo_EN.xml").c_str());
    ::DeleteFileA((disk + "\\LauncherInfo\\LauncherInfo_JA.xml").c_str());
    ::RemoveDirectoryA((disk + "\\LauncherInfo").c_str());
    ::DeleteFileA(program.c_str());
    ::RemoveDirectoryA(disk.c_str());
    return 0;
}
