#pragma once
// Small desks built in code, and a host that talks to one monitor the way the
// controller does, for the simulator's own tests.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sim/desk.h"
#include "support/virtual_clock.h"

namespace simtest {

// A maker monitor with every kind of register: standard codes, readiness,
// mode and colour, the four-value set and the command page.
inline sim::MonitorConfig MakerMonitor(const std::string& model = "TQ6600W",
                                       const std::string& serial = "12345678") {
    sim::MonitorConfig m;
    m.maker = true;
    m.model = model;
    m.serial = serial;
    m.capabilities = "(prot(monitor)type(lcd)model(" + model +
                     ")vcp(08 10 12 16 18 1A 60(01 03 11) 62 E0 E1)mswhql(1)mccs_ver(2.1))";
    m.extendedCapabilities =
        "10(E2 E3 E4 E5 E6 E7 E8 E9 EA EB EC ED)20(E2 E6)30(E2(00 01 11) E3 E4 E5)"
        "E0(E3 E4 E5 E6 E7 E8)F0(E2(04) E3(00 0A))";
    m.modeRecord = {0x04, 0x01, 0x10, 0x05, 0x02, 0x03, 0x00, 0xFF};
    auto reg = [&m](std::uint16_t page, std::uint8_t code, std::uint16_t current,
                    std::uint16_t maximum, bool readOnly = false) {
        m.registers[sim::RegisterKey{page, code}] = sim::RegisterValue{current, maximum, readOnly};
    };
    reg(0, 0x10, 60, 100);
    reg(0, 0x12, 50, 100);
    reg(0, 0x16, 200, 255);
    reg(0, 0x18, 210, 255);
    reg(0, 0x1A, 220, 255);
    reg(0, 0x60, 3, 17);
    reg(0, 0x62, 15, 30);
    reg(0x20, 0xE2, 1, 1);
    reg(0x20, 0xE6, 0, 1);
    reg(0x30, 0xE2, 1, 47);
    reg(0x30, 0xE3, 6, 24);
    reg(0x30, 0xE4, 4, 8);
    reg(0x30, 0xE5, 1, 1, true);
    reg(0xE0, 0xE3, 0, 2);
    for (std::uint8_t code = 0xE4; code <= 0xE7; ++code) reg(0xE0, code, 50, 100);
    reg(0xE0, 0xE8, 0, 1);
    reg(0xF0, 0xE2, 0, 255);
    reg(0xF0, 0xE3, 0, 255);
    return m;
}

inline sim::MonitorConfig OtherMonitor() {
    sim::MonitorConfig m;
    m.maker = false;
    m.capabilities = "(prot(monitor)vcp(10 12)mswhql(1)mccs_ver(2.2))";
    m.registers[sim::RegisterKey{0, 0x10}] = sim::RegisterValue{80, 100, false};
    m.registers[sim::RegisterKey{0, 0x12}] = sim::RegisterValue{70, 100, false};
    return m;
}

inline sim::DisplayConfig Display(int number, int x, int y, int width, int height) {
    sim::DisplayConfig d;
    d.device = "\\\\.\\DISPLAY" + std::to_string(number);
    d.rect = platform::Rect{x, y, x + width, y + height};
    d.work = d.rect;
    d.primary = number == 1;
    return d;
}

// Unique per run, so test programs running side by side (several builds on one
// machine) never share a scratch file.
inline std::string ScratchName(const std::string& stem) {
    std::random_device random;
    return stem + "-" + std::to_string(random()) + std::to_string(random());
}

// One display, one maker monitor.
inline sim::DeskConfig SingleMakerDesk() {
    sim::DeskConfig desk;
    desk.displays.push_back(Display(1, 0, 0, 1280, 1024));
    desk.displays[0].monitors.push_back(MakerMonitor());
    return desk;
}

// Talks to one monitor of a desk and keeps the clock moving like a careful host.
struct Host {
    explicit Host(sim::DeskConfig config, int monitor = 0)
        : desk(std::move(config), clock), handle(desk.HandleOf(monitor)) {}

    bool Get(std::uint8_t code, std::uint32_t* current = nullptr,
             std::uint32_t* maximum = nullptr) {
        std::uint32_t type = 0;
        std::uint32_t c = 0;
        std::uint32_t m = 0;
        const bool ok = desk.GetVCPFeatureAndVCPFeatureReply(handle, code, &type, &c, &m) == 1;
        if (current) *current = c;
        if (maximum) *maximum = m;
        clock.Sleep(20);
        return ok;
    }
    // Waits generously after a write; tests of the settling times wait exactly.
    bool Set(std::uint8_t code, std::uint32_t value, std::uint32_t wait = 5000) {
        const bool ok = desk.SetVCPFeature(handle, code, value) == 1;
        clock.Sleep(wait);
        return ok;
    }
    std::uint32_t Read(std::uint8_t code) {
        std::uint32_t current = 0;
        Get(code, &current);
        return current;
    }
    sim::Outcome LastResult() const {
        const auto log = desk.Log();
        return log.empty() ? sim::Outcome::Ok : log.back().result;
    }
    // The block transfer of page 0x10 as the controller performs it.
    bool ReadBlock(int block, std::vector<std::uint8_t>* bytes) {
        const std::uint8_t base = static_cast<std::uint8_t>(0xE2 + 3 * block);
        std::uint32_t length = 0;
        if (!Set(0xE1, 0x10, 20) || !Get(base, &length) || !Set(base + 1, 0, 20)) return false;
        bytes->clear();
        for (std::uint32_t word = 0; word < (length + 3) / 4; ++word) {
            std::uint32_t current = 0;
            std::uint32_t maximum = 0;
            if (!Get(base + 2, &current, &maximum)) return false;
            bytes->push_back(static_cast<std::uint8_t>(maximum >> 8));
            bytes->push_back(static_cast<std::uint8_t>(maximum));
            bytes->push_back(static_cast<std::uint8_t>(current >> 8));
            bytes->push_back(static_cast<std::uint8_t>(current));
        }
        bytes->resize(length);
        return true;
    }

    testing_support::VirtualClock clock;
    sim::Desk desk;
    platform::PhysicalMonitorHandle handle;
};

}  // namespace simtest
