// Starts a program and reports how long it took until its notification-area icon
// was there, for bench/footprint.sh: "<milliseconds> <process id>". The program is
// left running. Exit code 1 when no icon came within 60 s.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK CountTrayIcons(HWND window, LPARAM parameter) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "__winex11_tray_icon" && ::IsWindowVisible(window))
        ++*reinterpret_cast<int*>(parameter);
    return TRUE;
}

BOOL CALLBACK CountTrayIconsTopLevel(HWND window, LPARAM parameter) {
    CountTrayIcons(window, parameter);
    ::EnumChildWindows(window, CountTrayIcons, parameter);
    return TRUE;
}

int TrayIconCount() {
    int count = 0;
    ::EnumWindows(CountTrayIconsTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tray_start_time PROGRAM.exe\n");
        return 2;
    }
    const int before = TrayIconCount();
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // No standard handles: the program outlives us and must not keep our output
    // open, or whoever reads it would wait for the program to end.
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    for (int i = 0; i < 6000 && TrayIconCount() <= before; ++i) ::Sleep(10);
    ::QueryPerformanceCounter(&now);
    const bool shown = TrayIconCount() > before;
    std::printf("%lld %lu\n", (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart,
                static_cast<unsigned long>(process.dwProcessId));
    return shown ? 0 : 1;
}
