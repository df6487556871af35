// vistrelctl on Linux: the maker's monitors over /dev/i2c-N, found through
// /sys/class/drm.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ctl/ctl_session.h"
#include "ctl/i2c_desk.h"
#include "ctl/identity_cache.h"
#include "ctl/linux/cache_file.h"
#include "ctl/linux/file_set_store.h"
#include "ctl/linux/i2c_dev.h"
#include "ctl/linux/linux_system.h"
#include "ctl/linux/sysfs_displays.h"

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted.store(true);
}

// UTF-8: every byte that does not continue a character starts one.
std::size_t Utf8Characters(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    // Ctrl+C (and a terminal that closes, or a kill) is taken in, not obeyed at
    // once: the command stops at its next step and gives the monitor back first.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);

    const char* drm = std::getenv("VISTRELCTL_SYSFS_DRM");
    const char* dev = std::getenv("VISTRELCTL_DEV");
    LinuxClock clock;
    LinuxProcesses processes;
    LinuxI2cBuses buses(dev != nullptr ? dev : "/dev");
    I2cDesk desk(ScanDrmConnectors(drm != nullptr ? drm : "/sys/class/drm"), buses, clock);
    const std::string setFile =
        DefaultSetFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    FileSetStore sets(setFile);
    FileIdentityCache cacheFile(
        DefaultCacheFilePath(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME")));
    IdentityCache cache(cacheFile);

    CtlPorts ports{desk, desk, desk, processes, clock, sets, {}, {}, {}, nullptr};
    ports.displayName = [&desk](const MonitorEntry& entry) {
        const I2cDisplay* display = desk.DisplayOf(entry.displayHandle);
        return display != nullptr ? display->connector : entry.displayInfo.szDevice;
    };
    ports.transportProblem = [&desk] { return desk.OpenProblem(); };
    ports.nameLength = Utf8Characters;
    ports.interrupted = &g_interrupted;
    ports.cache = &cache;
    ports.monitorKey = [&desk](const std::vector<MonitorEntry>& entries, std::size_t index) {
        const I2cDisplay* display = desk.DisplayOf(entries[index].displayHandle);
        return display != nullptr ? MonitorKeyFromEdid(display->edid) : std::string();
    };

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = RunVistrelctl(arguments, ports, &out, &err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
