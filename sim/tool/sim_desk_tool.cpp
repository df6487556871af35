// simdesk: looks at and changes a simulated desk's monitors from a shell, for
// people writing desks and for end-to-end tests that poke a monitor while a
// program runs (the program's desk takes the change in at its next command).
//
//   simdesk DESK.json check
//   simdesk DESK.json show [MONITOR]
//   simdesk DESK.json get MONITOR REGISTER
//   simdesk DESK.json set MONITOR REGISTER VALUE
//   simdesk DESK.json reset
//   simdesk DESK.json luminance [MONITOR]
//
// MONITOR is a desk-wide index (0, 1, ...) or a monitor id; REGISTER is "10"
// or "30:E2". Values print and parse as decimal, or hex with 0x.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim/desk.h"
#include "sim/luminance_readout.h"
#include "sim/real_clock.h"

namespace {

int Usage() {
    std::fprintf(
        stderr,
        "usage: simdesk DESK.json check | show [MONITOR] | get MONITOR REGISTER |\n"
        "                         set MONITOR REGISTER VALUE | reset | luminance [MONITOR]\n");
    return 1;
}

int FindMonitor(const sim::Desk& desk, const std::string& text) {
    for (int m = 0; m < desk.MonitorCount(); ++m)
        if (desk.ConfigOf(m).id == text) return m;
    char* end = nullptr;
    const long index = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() && *end == '\0' && index >= 0 && index < desk.MonitorCount())
        return static_cast<int>(index);
    return -1;
}

bool ParseValue(const std::string& text, std::uint16_t* value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || parsed > 0xFFFF) return false;
    *value = static_cast<std::uint16_t>(parsed);
    return true;
}

void Show(const sim::Desk& desk, int monitor) {
    const sim::MonitorConfig& config = desk.ConfigOf(monitor);
    std::printf("%d %s%s%s%s\n", monitor, config.id.c_str(), config.maker ? " maker " : " other",
                config.model.c_str(), config.maker ? (" " + config.serial).c_str() : "");
    if (config.maker) std::printf("  page %02X\n", desk.SelectedPage(monitor));
    for (const auto& entry : config.registers) {
        std::uint16_t current = 0;
        std::uint16_t maximum = 0;
        if (!desk.ReadRegister(monitor, entry.first, &current, &maximum)) continue;
        std::printf("  %-6s %5u / %u%s\n", sim::FormatRegisterKey(entry.first).c_str(), current,
                    maximum, entry.second.readOnly ? " read-only" : "");
    }
}

// One line per monitor: the luminance of full white as the screen shows it now,
// then what it is made of. Monitors without luminance data say so.
void ShowLuminance(const sim::Desk& desk, int monitor) {
    sim::LuminanceReadout readout;
    if (!sim::ReadLuminance(desk, monitor, &readout)) {
        std::printf("%d %s unknown\n", monitor, desk.ConfigOf(monitor).id.c_str());
        return;
    }
    std::printf("%d %s %.2f white %.2f brightness %u/%u preset %u %s\n", monitor,
                desk.ConfigOf(monitor).id.c_str(), readout.luminance, readout.white,
                readout.brightness, readout.brightnessMaximum, readout.preset,
                readout.fromPrimaries ? "primaries" : "table");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string path = argv[1];
    const std::string command = argv[2];
    std::string error;
    auto desk = sim::LoadDesk(path, sim::RealClock(), &error);
    if (!desk) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (!desk->StateLoadProblem().empty())
        std::fprintf(stderr, "note: %s\n", desk->StateLoadProblem().c_str());

    if (command == "check" && argc == 3) {
        std::printf("%s: %d displays, %d monitors\n", path.c_str(), desk->DisplayCount(),
                    desk->MonitorCount());
        return 0;
    }
    if (command == "reset" && argc == 3) {
        std::error_code ec;
        std::filesystem::remove(sim::StatePathFor(path), ec);
        return ec ? 1 : 0;
    }
    if (command == "show" && (argc == 3 || argc == 4)) {
        for (int m = 0; m < desk->MonitorCount(); ++m)
            if (argc == 3 || FindMonitor(*desk, argv[3]) == m) Show(*desk, m);
        return 0;
    }
    if (command == "luminance" && (argc == 3 || argc == 4)) {
        const int only = argc == 4 ? FindMonitor(*desk, argv[3]) : -1;
        if (argc == 4 && only < 0) return Usage();
        for (int m = 0; m < desk->MonitorCount(); ++m)
            if (only < 0 || only == m) ShowLuminance(*desk, m);
        return 0;
    }
    if ((command == "get" && argc == 5) || (command == "set" && argc == 6)) {
        const int monitor = FindMonitor(*desk, argv[3]);
        sim::RegisterKey key;
        if (monitor < 0 || !sim::ParseRegisterKey(argv[4], &key)) return Usage();
        if (command == "get") {
            std::uint16_t current = 0;
            if (!desk->ReadRegister(monitor, key, &current)) {
                std::fprintf(stderr, "no register %s\n", argv[4]);
                return 1;
            }
            std::printf("%u\n", current);
            return 0;
        }
        std::uint16_t value = 0;
        if (!ParseValue(argv[5], &value)) return Usage();
        if (!desk->SetRegister(monitor, key, value)) {
            std::fprintf(stderr, "no register %s\n", argv[4]);
            return 1;
        }
        std::string problem;
        if (!desk->SaveState(&problem)) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 1;
        }
        return 0;
    }
    return Usage();
}
