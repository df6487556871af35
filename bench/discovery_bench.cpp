// Discovery of 1, 2 and 4 of the maker's monitors, each on its own display, on a
// simulated desk with a DDC/CI-like bus latency and a virtual clock. Nothing
// really sleeps, so the measured time is the program's (and the simulator's)
// own work; the counters set it against the time a real desk would take.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "bench_desk.h"
#include "monitor/monitor_list.h"
#include "platform/processes.h"
#include "sim/desk.h"
#include "support/virtual_clock.h"

namespace {

class NoOtherProcesses : public platform::Processes {
public:
    std::uint32_t OwnProcessId() override { return 4242; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
        processes->clear();
        return true;
    }
};

// `count` copies of the first maker monitor of the default desk, one per display,
// side by side.
bool MakeDesk(int count, sim::DeskConfig* desk, std::string* error) {
    sim::DeskConfig defaults;
    if (!bench::LoadDefaultDesk(&defaults, error)) return false;
    const sim::MonitorConfig* maker = nullptr;
    for (const auto& display : defaults.displays) {
        for (const auto& monitor : display.monitors) {
            if (monitor.maker && maker == nullptr) maker = &monitor;
        }
    }
    if (maker == nullptr) {
        *error = "the default desk has no maker monitor";
        return false;
    }
    *desk = sim::DeskConfig();
    desk->latency = defaults.latency;
    for (int i = 0; i < count; ++i) {
        sim::DisplayConfig display;
        display.device = "\\\\.\\DISPLAY" + std::to_string(i + 1);
        display.rect = {1280 * i, 0, 1280 * (i + 1), 1024};
        display.work = display.rect;
        display.primary = i == 0;
        display.monitors.push_back(*maker);
        display.monitors.back().id = "bench-" + std::to_string(i + 1);
        desk->displays.push_back(display);
    }
    return true;
}

void BM_Discovery(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    sim::DeskConfig config;
    std::string error;
    if (!MakeDesk(count, &config, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    testing_support::VirtualClock time;
    bench::ProgramClock programClock(time);
    sim::Desk desk(config, time);
    NoOtherProcesses processes;
    bool lockHeld = false;
    MonitorList monitors(desk, desk, desk, processes, programClock, lockHeld);

    std::uint64_t transactions = 0;
    std::uint64_t simulatedMs = 0;
    std::chrono::steady_clock::duration measured{};
    for (auto _ : state) {
        state.PauseTiming();
        desk.ClearLog();
        const std::uint32_t startTick = time.TickCount();
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        const bool found = monitors.Discover();
        measured += std::chrono::steady_clock::now() - start;

        state.PauseTiming();
        transactions += desk.Log().size();
        simulatedMs += time.TickCount() - startTick;
        time.sleeps.clear();
        std::size_t usable = 0;
        for (const auto& entry : monitors.Entries()) usable += entry.usable;
        if (!found || usable != static_cast<std::size_t>(count)) {
            state.SkipWithError("discovery did not find every simulated monitor");
            state.ResumeTiming();
            break;
        }
        state.ResumeTiming();
    }

    const double runs = static_cast<double>(state.iterations() > 0 ? state.iterations() : 1);
    const double measuredMs = std::chrono::duration<double, std::milli>(measured).count() / runs;
    const double waitsMs = static_cast<double>(programClock.waited) / runs;
    const double desktopMs = static_cast<double>(simulatedMs) / runs;
    state.counters["transactions"] = static_cast<double>(transactions) / runs;
    state.counters["waits_ms"] = waitsMs;
    state.counters["bus_ms"] = desktopMs - waitsMs;
    state.counters["measured_ms"] = measuredMs;
    // How much longer than the monitors themselves demand a real discovery takes
    // because of the program's own work.
    state.counters["overhead_ratio"] = desktopMs > 0 ? measuredMs / desktopMs : 0.0;
}

BENCHMARK(BM_Discovery)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
