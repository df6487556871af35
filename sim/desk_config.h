#pragma once
// The description of a simulated desk: its displays, the physical monitors
// behind each display and everything a monitor answers over DDC/CI. Read from
// JSON; the values given there are also the monitors' factory settings.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "sim/register_key.h"

namespace sim {

struct RegisterValue {
    std::uint16_t current = 0;
    std::uint16_t maximum = 0xFFFF;
    bool readOnly = false;
};

// Reads of a register that fail, as if the monitor's reply were garbled.
struct FailingRead {
    bool anyPage = true;  // false: only while `key.page` is selected
    RegisterKey key;
};

// A block transfer on page 0x10 that loses replies part of the way through.
struct BlockDrop {
    int block = -1;                // 0-3; -1 = none
    std::uint32_t afterWords = 0;  // data reads that succeed before the first drop
    std::uint32_t times = 1;       // consecutive data reads that are dropped
};

struct FaultConfig {
    std::uint32_t failNext = 0;  // the next n commands fail
    double failRate = 0.0;       // 0..1, share of commands that fail at random
    std::uint32_t seed = 1;      // seeds the failure rate, so a run can be repeated
    std::vector<FailingRead> failReads;
    BlockDrop dropBlockRead;
    bool disconnected = false;  // present on the desktop, silent on DDC/CI
};

struct MonitorConfig {
    std::string id;  // key in the state file; defaults to "DISPLAYn-i"
    bool maker = true;
    std::string description = "Generic PnP Monitor";
    std::string model;   // block 3 of a maker monitor
    std::string serial;  // block 2 of a maker monitor
    std::string capabilities;
    std::string extendedCapabilities;  // block 0 of a maker monitor
    // Standard codes and the maker pages 0x20, 0x30, 0xE0, 0xF0. Page 0x10 is
    // made from the blocks; 0xE0 and 0xE1 are added for maker monitors.
    std::map<RegisterKey, RegisterValue> registers;
    std::vector<std::uint8_t> modeRecord;  // block 1
    // Luminance of the red, green and blue primaries (page 0x30 codes 0xEF-0xF1,
    // tenths) per colour temperature preset: the primaries follow the preset
    // register 0x30:0xE3. Presets without an entry answer the registers' values.
    std::map<std::uint16_t, std::array<std::uint16_t, 3>> primariesByPreset;
    // Luminance of full white at full brightness per preset, for monitors that do
    // not report their primaries; only the simulator's luminance readout uses it.
    std::map<std::uint16_t, double> whiteLuminance;
    FaultConfig faults;
};

struct DisplayConfig {
    std::string device;  // "\\.\DISPLAY1"
    platform::Rect rect;
    platform::Rect work;
    bool primary = false;
    std::vector<MonitorConfig> monitors;
};

enum class Latency {
    None,   // commands take no time (unit tests)
    DdcCi,  // commands take about as long as on a real I2C bus (demos, benchmarks)
};

struct DeskConfig {
    std::vector<DisplayConfig> displays;
    Latency latency = Latency::None;
    bool enforceSettle = true;
    // Slack allowed on settling times; a real clock with whole-millisecond ticks
    // can measure a 20 ms sleep as 19 ms.
    std::uint32_t settleToleranceMs = 0;
    std::string statePath;  // empty: the monitors forget their settings at exit
};

// Parses a desk description. On failure `error` says what is wrong and where
// (for example "displays[1].monitors[0].registers: \"1G\" is not a register").
bool ParseDeskConfig(std::string_view json, DeskConfig* config, std::string* error);
// Reads and parses a file; the state file is set to StatePathFor(path).
bool LoadDeskConfig(const std::string& path, DeskConfig* config, std::string* error);
// "desk.json" -> "desk.state.json", beside the configuration.
std::string StatePathFor(const std::string& configPath);

}  // namespace sim
