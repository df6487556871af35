#include "sim/dll/desk_host.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "sim/real_clock.h"

namespace sim_dll {
namespace {

// The desk's settling checks run on the wall clock here. Whole-millisecond ticks
// can measure a program's 20 ms sleep as 19 ms, so a small slack is always allowed.
constexpr std::uint32_t kMinimumSettleTolerance = 2;

std::once_flag loadOnce;
std::unique_ptr<sim::Desk> desk;

std::string ThisModuleFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&ThisModuleFolder), &self)) {
        return std::string();
    }
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Wine hands a Linux path such as /work/desk.json to the program unchanged; its
// kernel32 can tell which DOS path that is. On Windows the lookup does not exist.
std::string DosPathOf(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    using ToDos = WCHAR*(CDECL*)(const char*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toDos = kernel ? reinterpret_cast<ToDos>(reinterpret_cast<void*>(
                              GetProcAddress(kernel, "wine_get_dos_file_name")))
                        : nullptr;
    if (toDos == nullptr) return path;
    WCHAR* wide = toDos(path.c_str());
    if (wide == nullptr) return path;
    std::string converted;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes > 1) {
        converted.resize(static_cast<std::size_t>(bytes));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, converted.data(), bytes, nullptr, nullptr);
        converted.resize(static_cast<std::size_t>(bytes - 1));
    }
    HeapFree(GetProcessHeap(), 0, wide);
    return converted.empty() ? path : converted;
}

// An environment variable as a DOS path; empty when it is not set (or too long to be a path).
std::string PathFromEnvironment(const char* name) {
    static char value[32768];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value) return std::string();
    return DosPathOf(std::string(value, length));
}

std::string ConfigPath() {
    const std::string configured = PathFromEnvironment("VISTREL_SIM_CONFIG");
    return configured.empty() ? ThisModuleFolder() + "sim-desk.json" : configured;
}

void Complain(const std::string& message) {
    const std::string line = "simulated monitors: " + message + "\n";
    OutputDebugStringA(line.c_str());
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void Load() {
    const std::string path = ConfigPath();
    sim::DeskConfig config;
    std::string error;
    if (!sim::LoadDeskConfig(path, &config, &error)) {
        Complain("unavailable: " +
                 (error.find(path) == std::string::npos ? path + ": " + error : error));
        return;
    }
    if (config.settleToleranceMs < kMinimumSettleTolerance)
        config.settleToleranceMs = kMinimumSettleTolerance;
    desk = std::make_unique<sim::Desk>(std::move(config), sim::RealClock());
    const std::string stateProblem = desk->StateLoadProblem();
    if (!stateProblem.empty()) Complain("state file not used: " + stateProblem);
    // Tests outside the process watch the traffic through this file.
    const std::string trafficLog = PathFromEnvironment("VISTREL_SIM_TRAFFIC_LOG");
    if (!trafficLog.empty()) desk->SetTrafficLog(trafficLog);
}

}  // namespace

sim::Desk* DeskOrNull() {
    try {
        std::call_once(loadOnce, Load);
    } catch (...) {
        return nullptr;
    }
    return desk.get();
}

platform::DisplayHandle SimDisplayOf(sim::Desk& simDesk, HMONITOR display) {
    if (display == nullptr) return 0;
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(display, &info)) return 0;
    return simDesk.DisplayByDeviceName(
        std::string(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice)));
}

}  // namespace sim_dll
