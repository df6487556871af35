// vistrelctl on Windows: the maker's monitors through the Monitor Configuration
// API and the maker library, the adjustment sets in the controller's registry.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "ctl/ctl_session.h"
#include "ctl/identity_cache.h"
#include "ctl/win/cache_file_win.h"
#include "modes/color_page.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/ddc_api_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/maker_library_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/registry_win32.h"

namespace {

std::atomic<bool> g_interrupted{false};
// Signalled once the monitors are given back, so a console that is being
// closed waits for that before Windows ends the process.
HANDLE g_released = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    g_interrupted.store(true);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // Windows ends the process when this returns (after at most 5 s).
        if (g_released != nullptr) ::WaitForSingleObject(g_released, 4000);
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    g_released = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);

    platform::Win32Clock clock;
    platform::Win32DdcApi ddc;
    platform::Win32Desktop desktop;
    platform::Win32MakerLibrary maker;
    platform::Win32Processes processes;
    platform::Win32Registry registry;
    RegistrySetStore sets(registry);

    WinIdentityCacheFile cacheFile;
    IdentityCache cache(cacheFile);

    CtlPorts ports{ddc, desktop, maker, processes, clock, sets, {}, {}, {}, &g_interrupted};
    ports.cache = &cache;
    // The maker library's record carries the EDID identity of each maker
    // monitor; other monitors have no key and are identified on every run.
    ports.monitorKey = [&maker](const std::vector<MonitorEntry>& entries, std::size_t index) {
        return MonitorKeyFromMakerLibrary(maker, entries, index);
    };
    // Set names are typed in the console's code page, as the controller's names
    // are in the ANSI one; a double-byte character counts once.
    ports.nameLength = [](const std::string& name) {
        return CharacterCount(name, [](unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; });
    };

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = RunVistrelctl(arguments, ports, &out, &err);
    if (g_released != nullptr) ::SetEvent(g_released);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}
