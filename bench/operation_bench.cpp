// What each operation a user triggers costs beyond what the monitors demand:
// mode switch, restoring a set, the detail dialog's OK, the match wizard's Finish,
// the Auto Tonalis reaction, and the filter going on and off. Each runs against the
// default simulated desk with DDC/CI bus latency on a virtual clock, so nothing
// really sleeps: the virtual time an operation took is its floor (bus time from
// the traffic plus the waits the protocol mandates), and the wall time measured
// is our own work (with the simulator's, so it is rather overstated).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_desk.h"
#include "calmira/filter_session.h"
#include "match/match_wizard.h"
#include "modes/adjustment_restore.h"
#include "modes/adjustment_store.h"
#include "modes/app_rules.h"
#include "modes/mode_switcher.h"
#include "modes/stored_adjustments.h"
#include "modes/switching_step.h"
#include "monitor/gamma.h"
#include "monitor/monitor_list.h"
#include "monitor/status_build.h"
#include "sim/desk.h"
#include "support/memory_registry.h"
#include "support/scripted_foreground.h"
#include "support/virtual_clock.h"

namespace {

constexpr std::uint32_t kOwnProcess = 4242;
constexpr std::uint32_t kEditor = 0x501;
constexpr std::uint32_t kGame = 0x502;

class DeskProcesses : public platform::Processes {
public:
    std::uint32_t OwnProcessId() override { return kOwnProcess; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
        *processes = {{kOwnProcess, "vistrelddcci.exe"},
                      {kEditor, "C:\\Tools\\EDITOR.exe"},
                      {kGame, "C:\\Games\\GAME.exe"}};
        return true;
    }
};

// A display's gamma ramp with no driver behind it: the filter's floor is the
// ramp calls, which the simulator does not model. Each costs the time one
// SetDeviceGammaRamp with its device context took under Wine 8 on the dummy Xorg
// of tools/xserver.sh (200 calls, 2.8 ms each), spent on the virtual clock.
constexpr std::uint32_t kRampWriteMs = 3;
class TimedGammaDevice : public platform::GammaDevice {
public:
    platform::GammaContext Open(const std::string&) override { return 1; }
    bool GetRamp(platform::GammaContext, std::uint16_t* ramp) override {
        for (int i = 0; i < platform::kGammaRampEntries; ++i) ramp[i] = held[i];
        return true;
    }
    explicit TimedGammaDevice(platform::Clock& time) : time_(time) {}
    bool SetRamp(platform::GammaContext, const std::uint16_t* ramp) override {
        ++writes;
        time_.Sleep(kRampWriteMs);
        for (int i = 0; i < platform::kGammaRampEntries; ++i) held[i] = ramp[i];
        return true;
    }
    void Close(platform::GammaContext) override {}
    std::uint16_t held[platform::kGammaRampEntries] = {};
    std::uint64_t writes = 0;

private:
    platform::Clock& time_;
};

// The default desk, its monitors found and their records built.
struct Rig {
    Rig() {
        std::string error;
        sim::DeskConfig config;
        ok = bench::LoadDefaultDesk(&config, &error);
        desk = std::make_unique<sim::Desk>(std::move(config), time);
        list =
            std::make_unique<MonitorList>(*desk, *desk, *desk, processes, programClock, lockHeld);
        ok = ok && list->Discover() && BuildMonitorStatus(*list, all) >= 2;
        desk->ClearLog();
    }
    CMonitorStatus& First() { return *all.At(0); }

    testing_support::VirtualClock time;
    bench::ProgramClock programClock{time};
    DeskProcesses processes;
    bool lockHeld = false;
    std::unique_ptr<sim::Desk> desk;
    std::unique_ptr<MonitorList> list;
    CMonitorStatusAll all;
    testing_support::MemoryRegistry store;
    CRegistry registry{&store};
    bool ok = false;
};

// Runs `operation` once per iteration (with `between` untimed before it) and
// sets the counters: floor = virtual time the operation took, own = wall time.
void Measure(
    benchmark::State& state, Rig& rig, const std::function<bool()>& operation,
    const std::function<void()>& between = [] {}) {
    std::uint64_t transactions = 0, floorMs = 0, waitsMs = 0;
    std::chrono::steady_clock::duration own{};
    for (auto _ : state) {
        state.PauseTiming();
        between();
        rig.desk->ClearLog();
        const std::uint32_t startTick = rig.time.TickCount();
        const std::uint64_t startWaits = rig.programClock.waited;
        rig.time.sleeps.clear();
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        const bool done = operation();
        own += std::chrono::steady_clock::now() - start;

        state.PauseTiming();
        transactions += rig.desk->Log().size();
        floorMs += rig.time.TickCount() - startTick;
        waitsMs += rig.programClock.waited - startWaits;
        if (!done) {
            state.SkipWithError("the operation failed on the simulated desk");
            break;
        }
        state.ResumeTiming();
    }
    const double runs = static_cast<double>(state.iterations() > 0 ? state.iterations() : 1);
    const double ownMs = std::chrono::duration<double, std::milli>(own).count() / runs;
    const double floor = static_cast<double>(floorMs) / runs;
    state.counters["transactions"] = static_cast<double>(transactions) / runs;
    state.counters["bus_ms"] = (static_cast<double>(floorMs) - static_cast<double>(waitsMs)) / runs;
    state.counters["waits_ms"] = static_cast<double>(waitsMs) / runs;
    state.counters["floor_ms"] = floor;
    state.counters["own_ms"] = ownMs;
    // A real run takes floor + own; the goal is at most 1.01 x the floor.
    state.counters["ratio"] = floor > 0 ? (floor + ownMs) / floor : 0.0;
    state.counters["own_per_floor"] = floor > 0 ? ownMs / floor : 0.0;
}

// Two modes the first monitor offers, to switch between.
bool TwoModes(const CMonitorStatus& record, DisplayMode modes[2]) {
    int found = 0;
    for (DisplayMode mode = kFirstDisplayMode; mode <= kLastDisplayMode && found < 2; ++mode)
        if ((record.m_ModeInfo.ModeMask() & DisplayModeMaskBit(mode)) != 0) modes[found++] = mode;
    return found == 2;
}

// The first monitor's mode as the simulator holds it.
DisplayMode ModeOnDesk(Rig& rig) {
    std::uint16_t mode = 0xFFFF;
    rig.desk->ReadRegister(0, {0x30, 0xE2}, &mode);
    return mode;
}

void BM_ModeSwitch(benchmark::State& state) {
    Rig rig;
    DisplayMode modes[2] = {};
    if (!rig.ok || !TwoModes(rig.First(), modes)) return state.SkipWithError("desk not ready");
    CStoredAdjustments sets(rig.store);
    CModeSwitcher switcher(*rig.list, rig.all, sets);
    int next = 0;
    Measure(state, rig, [&] {
        const DisplayMode mode = modes[next ^= 1];
        switcher.PutModeOn(rig.First(), mode);
        return ModeOnDesk(rig) == mode;
    });
}

void BM_RestoreSet(benchmark::State& state) {
    Rig rig;
    AdjustmentData data;
    bool read = false;
    if (rig.ok && rig.list->AcquireMonitor(rig.First().m_phPhysicalMonitor, true)) {
        read = rig.list->IsMonitorReady(&rig.First()) &&
               ReadAdjustmentData(*rig.list, rig.First(), &data);
        rig.list->ReleaseMonitor(rig.First().m_phPhysicalMonitor);
    }
    if (!read) return state.SkipWithError("desk not ready");
    // Two sets a few steps apart, so that every restore has levels to write.
    AdjustmentStore store(rig.store);
    AdjustmentData other = data;
    other.brightness.value =
        data.brightness.value > 10 ? data.brightness.value - 10 : data.brightness.value + 10;
    other.redGain.value =
        data.redGain.value > 10 ? data.redGain.value - 10 : data.redGain.value + 10;
    store.Write("Reading", data);
    store.Write("Evening", other);
    CStoredAdjustments sets(rig.store);
    CModeSwitcher switcher(*rig.list, rig.all, sets);
    int next = 0;
    Measure(state, rig, [&] {
        return switcher.ApplySet((next ^= 1) != 0 ? "Evening" : "Reading", nullptr) > 0;
    });
}

void BM_DetailDialogOk(benchmark::State& state) {
    Rig rig;
    if (!rig.ok) return state.SkipWithError("desk not ready");
    CMonitorStatus& record = rig.First();
    Measure(state, rig, [&] {
        bool ended = false;
        if (rig.list->AcquireMonitor(record.m_phPhysicalMonitor, true)) {
            // Adjustment state 2 (kept), then the adjustment is over.
            ended = rig.list->WriteFeature(&record, 0xE0, 0xE3, 2, false) &&
                    EndColorAdjustment(*rig.list, record);
        }
        rig.list->ReleaseMonitor(record.m_phPhysicalMonitor);
        return ended;
    });
}

void BM_MatchFinish(benchmark::State& state) {
    Rig rig;
    MatchWizard wizard(*rig.list, rig.all);
    const bool ready = rig.ok && MatchWizard::MarkCandidates(rig.all) >= 2 && wizard.Start() &&
                       wizard.SaveStates() && wizard.ReadMasterMode() && wizard.ReadMasterColor() &&
                       wizard.ReadMasterBrightness() && wizard.PrepareLimit();
    if (!ready) return state.SkipWithError("the wizard could not be prepared on the desk");
    const std::uint32_t limit = wizard.state().brightnessLimit;
    std::uint32_t next = 0;
    Measure(state, rig, [&] {
        next = next == limit / 2 ? limit / 3 : limit / 2;
        return wizard.SetMasterBrightness(next) && wizard.Transfer(next);
    });
}

void BM_AutoTonalisReaction(benchmark::State& state) {
    Rig rig;
    DisplayMode modes[2] = {};
    if (!rig.ok || !TwoModes(rig.First(), modes)) return state.SkipWithError("desk not ready");
    StoreAppModeRule(rig.registry, {"EDITOR", modes[0], ""});
    StoreAppModeRule(rig.registry, {"GAME", modes[1], ""});
    const std::vector<AppModeRule> rules = LoadAppModeRules(rig.registry);
    testing_support::ScriptedForeground windows;
    testing_support::ScriptedForeground::Window window;
    window.processId = kEditor;
    const platform::WindowHandle editor = windows.Open(window);
    window.processId = kGame;
    const platform::WindowHandle game = windows.Open(window);
    CForegroundWatch watch(windows, rig.processes);
    CStoredAdjustments sets(rig.store);
    CModeSwitcher switcher(*rig.list, rig.all, sets);
    Measure(
        state, rig,
        [&] {
            const SwitchingStepResult step =
                RunSwitchingStep(watch, switcher, rig.registry, rules, nullptr, false);
            return step.evaluated && step.target.kind == SwitchTarget::Kind::Mode &&
                   ModeOnDesk(rig) == step.target.mode;
        },
        [&] {
            // The user brings the other application to the front; the next timer
            // period sees it.
            windows.foreground = windows.foreground == editor ? game : editor;
            rig.time.Advance(100);
        });
}

class RampScreens : public calmira::FilterScreens, public calmira::FilterUser {
public:
    RampScreens(platform::GammaDevice& device, platform::Clock& clock) {
        for (const char* name : {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"}) {
            displays.push_back(std::make_unique<CGamma>(device, clock));
            displays.back()->Init(name);
        }
    }
    bool LoadImage(const std::string&) override { return true; }
    void Show(const calmira::FilterState& state, bool reset) override {
        for (auto& display : displays) {
            if (reset) display->ApplyLuminance(0);
            display->ApplyLuminance(state.luminance);
        }
    }
    void Hide() override {
        for (auto& display : displays) display->RestoreRamp();
    }
    void SetAlpha(std::int32_t) override {}
    void ApplyLuminance(std::int32_t luminance, bool reset) override {
        for (auto& display : displays) {
            if (reset) display->ApplyLuminance(0);
            display->ApplyLuminance(luminance);
        }
    }
    void DefaultImageFailed(const std::string&) override {}
    void FileFailed(const std::string&) override {}
    std::string EntryText(int number) override { return "Image" + std::to_string(number); }
    std::vector<std::unique_ptr<CGamma>> displays;
};

void BM_FilterOnAndOff(benchmark::State& state) {
    Rig rig;
    // The ramp calls stand for the bus: they are not the program's own waits.
    TimedGammaDevice device(rig.time);
    RampScreens screens(device, rig.programClock);
    calmira::CFilterSession session(screens, screens, {{"amber.bmp", 64, -20, 64, -20}},
                                    "C:\\data\\", calmira::FilterState());
    std::uint64_t writes = 0;
    Measure(state, rig, [&] {
        const std::uint64_t before = device.writes;
        const bool on = session.Select(1) == 1;
        const bool off = session.Select(0) == 0;
        writes += device.writes - before;
        return on && off;
    });
    state.counters["ramp_writes"] =
        static_cast<double>(writes) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_ModeSwitch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RestoreSet)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetailDialogOk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatchFinish)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AutoTonalisReaction)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterOnAndOff)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
