#pragma once
// A simulated desk of the maker's monitors for the record tests: discovery runs
// against it, and the tests read back the exact DDC/CI traffic each monitor saw.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "monitor/monitor_list.h"
#include "monitor/monitor_status_all.h"
#include "platform/processes.h"
#include "sim/desk.h"
#include "sim/mode_record.h"
#include "support/virtual_clock.h"

namespace rec_testing {

constexpr std::uint32_t kOwnProcessId = 0x1234;

class OwnProcess : public platform::Processes {
public:
    std::uint32_t OwnProcessId() override { return kOwnProcessId; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
        *processes = running;
        return true;
    }
    std::vector<platform::ProcessEntry> running = {{kOwnProcessId, "vistrelddcci.exe"},
                                                   {0x0777, "calibrator.exe"}};
};

inline std::vector<std::uint8_t> ModeRecord(std::vector<int> modes,
                                            std::map<int, std::uint32_t> flags = {},
                                            std::uint32_t quad = 0x01) {
    sim::ModeRecordDescription description;
    description.modes = std::move(modes);
    description.presetMask = 0x7FFF;
    description.gammaMask = 0x1FF;
    description.quad = quad;
    description.modeFlags = std::move(flags);
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(sim::EncodeModeRecord(description, &bytes, &error)) << error;
    return bytes;
}

inline sim::MonitorConfig MakerMonitor(const std::string& serial, const std::string& model,
                                       std::vector<std::uint8_t> modeRecord) {
    sim::MonitorConfig monitor;
    monitor.id = serial + model;
    monitor.maker = true;
    monitor.serial = serial;
    monitor.model = model;
    monitor.capabilities =
        "(prot(monitor)type(lcd)vcp(02 10 12 16 18 1A 62 E0 E1)mswhql(1)mccs_ver(2.1))";
    monitor.extendedCapabilities =
        "10(E2 E3 E4 E5 E6 E7 E8 E9 EA EB EC ED)20(E2 E6)"
        "30(E2(00 01 03 11 16) E3(00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F) E4 E5)"
        "E0(E3(00 01 02) E4 E5 E6 E7 E8)";
    const std::pair<sim::RegisterKey, sim::RegisterValue> registers[] = {
        {{0, 0x02}, {1, 2}},          {{0, 0x10}, {60, 100}},    {{0, 0x12}, {50, 100}},
        {{0, 0x16}, {236, 255}},      {{0, 0x18}, {241, 255}},   {{0, 0x1A}, {255, 255}},
        {{0, 0x62}, {15, 30}},        {{0x20, 0xE2}, {1, 1}},    {{0x20, 0xE6}, {0, 1}},
        {{0x30, 0xE2}, {17, 47}},     {{0x30, 0xE3}, {6, 24}},   {{0x30, 0xE4}, {4, 8}},
        {{0x30, 0xE5}, {1, 1, true}}, {{0xE0, 0xE3}, {0, 2}},    {{0xE0, 0xE4}, {50, 100}},
        {{0xE0, 0xE5}, {51, 100}},    {{0xE0, 0xE6}, {52, 100}}, {{0xE0, 0xE7}, {53, 100}},
        {{0xE0, 0xE8}, {0, 1}},
    };
    for (const auto& [key, value] : registers) monitor.registers[key] = value;
    monitor.modeRecord = std::move(modeRecord);
    return monitor;
}

inline sim::DisplayConfig Display(int number, int left, std::vector<sim::MonitorConfig> monitors) {
    sim::DisplayConfig display;
    display.device = "\\\\.\\DISPLAY" + std::to_string(number);
    display.rect = {left, 0, left + 1280, 1024};
    display.work = display.rect;
    display.primary = left == 0;
    display.monitors = std::move(monitors);
    return display;
}

// One line per command a monitor received: "get E0", "set E1=10".
inline std::vector<std::string> Traffic(const sim::Desk& desk, int monitor) {
    std::vector<std::string> lines;
    for (const sim::Transaction& t : desk.Log()) {
        if (t.monitor != monitor) continue;
        char line[32];
        if (t.kind == sim::TransactionKind::Get)
            std::snprintf(line, sizeof line, "get %02X", t.code);
        else if (t.kind == sim::TransactionKind::Set)
            std::snprintf(line, sizeof line, "set %02X=%X", t.code, t.value);
        else
            continue;
        lines.push_back(line);
    }
    return lines;
}

inline int Count(const std::vector<std::string>& lines, const std::string& line) {
    int n = 0;
    for (const auto& l : lines) n += l == line;
    return n;
}

class MakerDeskTest : public ::testing::Test {
protected:
    void Start(std::vector<sim::DisplayConfig> displays) {
        sim::DeskConfig config;
        config.displays = std::move(displays);
        list.reset();  // it releases its handles through the old desk
        desk = std::make_unique<sim::Desk>(std::move(config), clock);
        list = std::make_unique<MonitorList>(*desk, *desk, *desk, processes, clock, lockHeld);
    }

    testing_support::VirtualClock clock;
    OwnProcess processes;
    bool lockHeld = false;
    std::unique_ptr<sim::Desk> desk;
    std::unique_ptr<MonitorList> list;
    CMonitorStatusAll all;
};

}  // namespace rec_testing
