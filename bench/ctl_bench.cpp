// vistrelctl, verb by verb, on the default simulated desk through the Linux
// transport at the byte level, on a virtual clock. For each command it prints
// the floor (what the bus and the mandated waits cost for the traffic the
// command must make) and our time (the waits we slept, the bytes we moved on a
// 100 kHz bus, and the CPU time of our own code, measured).
//
//   build/native-release/bin/ctl_bench [RUNS]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ctl/ctl_session.h"
#include "ctl/i2c_desk.h"
#include "ctl/identity_cache.h"
#include "ctl/linux/cache_file.h"
#include "ctl/linux/file_set_store.h"
#include "ctl/linux/sysfs_displays.h"
#include "monitor/access/delay_table.h"
#include "sim/byte_front.h"
#include "sim/desk.h"
#include "support/virtual_clock.h"

namespace fs = std::filesystem;

namespace {

// One byte on a 100 kHz I2C bus: eight bits and the acknowledge. Every message
// adds its address byte and start and stop conditions (about one more byte).
constexpr double kByteMs = 9.0 / 100.0;
double MessageMs(std::size_t bytes) {
    return (bytes + 2) * kByteMs;
}

std::vector<std::uint8_t> Edid(const std::string& id, const std::string& name) {
    std::vector<std::uint8_t> edid(128, 0);
    for (int i = 1; i < 7; ++i) edid[i] = 0xFF;
    const unsigned code = ((id[0] - 'A' + 1) << 10) | ((id[1] - 'A' + 1) << 5) | (id[2] - 'A' + 1);
    edid[8] = static_cast<std::uint8_t>(code >> 8);
    edid[9] = static_cast<std::uint8_t>(code);
    edid[18] = 1;
    edid[19] = 4;
    edid[57] = 0xFC;
    for (std::size_t i = 0; i < 13; ++i)
        edid[59 + i] = i < name.size() ? name[i] : (i == name.size() ? 0x0A : 0x20);
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) sum += edid[i];
    edid[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
    return edid;
}

struct Bus {
    double ms = 0;
};

class MeteredDevice : public platform::I2cDevice {
public:
    MeteredDevice(sim::ByteFront& front, Bus& bus) : m_front(front), m_bus(bus) {}
    platform::I2cResult Write(const std::uint8_t* data, std::size_t size) override {
        m_bus.ms += MessageMs(size);
        return m_front.Write(data, size) ? platform::I2cResult::Ok : platform::I2cResult::Nak;
    }
    platform::I2cResult Read(std::uint8_t* data, std::size_t size, std::size_t* received) override {
        m_bus.ms += MessageMs(size);
        return m_front.Read(data, size, received) ? platform::I2cResult::Ok
                                                  : platform::I2cResult::Nak;
    }

private:
    sim::ByteFront& m_front;
    Bus& m_bus;
};

class MeteredBuses : public platform::I2cBuses {
public:
    std::unique_ptr<platform::I2cDevice> Open(int bus, std::uint8_t, std::string*) override {
        return std::make_unique<MeteredDevice>(*fronts.at(static_cast<std::size_t>(bus)),
                                               this->bus);
    }
    std::vector<sim::ByteFront*> fronts;
    Bus bus;
};

class Owner : public platform::Processes {
public:
    std::uint32_t OwnProcessId() override { return 4242; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
        *processes = {{4242, "vistrelctl"}};
        return true;
    }
};

// What the traffic the monitors saw must cost at least: every request and its
// reply on the bus, the DDC/CI wait for the reply (or after a write), and the
// settling the maker's monitors need after it.
double FloorMs(const std::vector<sim::Transaction>& log,
               const std::vector<std::size_t>& capabilityLengths) {
    double floor = 0;
    for (const sim::Transaction& t : log) {
        switch (t.kind) {
            case sim::TransactionKind::Get:
                floor += MessageMs(5) + kVcpReplyWaitMs + MessageMs(11) + 20;
                break;
            case sim::TransactionKind::Set: {
                const std::uint16_t page = t.code >= 0xE2 ? t.page : 0;
                floor += MessageMs(7) + kSetVcpWaitMs + SettlingDelay(page, t.code).value_or(0);
                break;
            }
            default:
                break;
        }
    }
    for (const std::size_t length : capabilityLengths) {
        const std::size_t fragments = length / 32 + 1;
        floor += fragments * (MessageMs(6) + kCapabilitiesReplyWaitMs) +
                 MessageMs(length + fragments * 6);
    }
    return floor;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const fs::path folder = fs::temp_directory_path() / ("ctl-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "drm");
    fs::copy_file(VISTREL_DEFAULT_DESK, folder / "desk.json");

    testing_support::VirtualClock clock;
    std::string error;
    sim::DeskConfig config;
    if (!sim::LoadDeskConfig((folder / "desk.json").string(), &config, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // Without a state file: the simulator would write one after every Set, and
    // that time would be counted as ours.
    config.statePath.clear();
    auto desk = std::make_unique<sim::Desk>(std::move(config), clock);
    std::vector<std::unique_ptr<sim::ByteFront>> fronts;
    MeteredBuses buses;
    for (int m = 0; m < desk->MonitorCount(); ++m) {
        fronts.push_back(std::make_unique<sim::ByteFront>(*desk, m, clock));
        buses.fronts.push_back(fronts.back().get());
        const fs::path connector = folder / "drm" / ("card0-DP-" + std::to_string(m + 1));
        fs::create_directories(connector);
        const auto edid =
            desk->ConfigOf(m).maker ? Edid("ORX", desk->ConfigOf(m).model) : Edid("KST", "KESTREL");
        std::ofstream(connector / "edid", std::ios::binary)
            .write(reinterpret_cast<const char*>(edid.data()), 128);
        fs::create_directory_symlink("../../i2c-" + std::to_string(m), connector / "ddc");
    }
    FileSetStore sets((folder / "sets").string());
    Owner owner;

    const std::vector<std::vector<std::string>> commands = {
        {"detect"},
        {"caps"},
        {"get", "10"},
        {"get", "E3", "--page", "30"},
        {"set", "10", "70"},
        {"mode"},
        {"mode", "game"},
        {"volume"},
        {"volume", "20"},
        {"register", "bench"},
        {"restore", "bench"},
        {"reset", "sound"},
        {"sets"},
    };
    struct Figures {
        std::size_t transactions = 0;
        double floor = 0, ours = 0, cpu = 0;
        bool ok = true;
    };
    // Each run is a program run of its own: the cache is read from its file.
    const std::string cachePath = (folder / "cache/vistrelctl-monitors").string();
    const auto measure = [&](const std::vector<std::string>& words, bool warm) {
        Figures figures;
        for (int run = 0; run < runs; ++run) {
            if (warm) {
                // The run before leaves the cache as a warm run finds it.
                FileIdentityCache file(cachePath);
                IdentityCache cache(file);
                I2cDesk i2c(ScanDrmConnectors((folder / "drm").string()), buses, clock);
                CtlPorts ports{i2c, i2c, i2c, owner, clock, sets, {}, {}, {}, nullptr};
                ports.cache = &cache;
                ports.monitorKey = [&i2c](const std::vector<MonitorEntry>& entries,
                                          std::size_t index) {
                    return MonitorKeyFromEdid(i2c.DisplayOf(entries[index].displayHandle)->edid);
                };
                std::string out, err;
                RunVistrelctl(words, ports, &out, &err);
            }
            desk->ClearLog();
            clock.sleeps.clear();
            buses.bus.ms = 0;
            const auto start = std::chrono::steady_clock::now();
            FileIdentityCache file(warm ? cachePath : std::string());
            IdentityCache cache(file);
            I2cDesk i2c(ScanDrmConnectors((folder / "drm").string()), buses, clock);
            CtlPorts ports{i2c, i2c, i2c, owner, clock, sets, {}, {}, {}, nullptr};
            if (warm) {
                ports.cache = &cache;
                ports.monitorKey = [&i2c](const std::vector<MonitorEntry>& entries,
                                          std::size_t index) {
                    return MonitorKeyFromEdid(i2c.DisplayOf(entries[index].displayHandle)->edid);
                };
            }
            std::string out, err;
            const int status = RunVistrelctl(words, ports, &out, &err);
            const double cpu =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            if (status != kExitOk) {
                std::fprintf(stderr, "%s: %s", words[0].c_str(), err.c_str());
                figures.ok = false;
                return figures;
            }
            const std::vector<sim::Transaction> log = desk->Log();
            std::vector<std::size_t> capabilities;
            for (const sim::Transaction& t : log) {
                if (t.kind == sim::TransactionKind::CapsLength) capabilities.push_back(t.value - 1);
            }
            figures.transactions = log.size();
            figures.floor += FloorMs(log, capabilities);
            figures.ours += static_cast<double>(clock.TotalSlept()) + buses.bus.ms + cpu;
            figures.cpu += cpu;
        }
        figures.floor /= runs;
        figures.ours /= runs;
        figures.cpu /= runs;
        return figures;
    };
    const auto ratio = [](const Figures& f) {
        char text[16] = "-";
        if (f.floor > 0) std::snprintf(text, sizeof text, "%.3f", f.ours / f.floor);
        return std::string(text);
    };

    std::printf(
        "| command | cold: transactions | floor ms | ours ms | warm: transactions | floor ms | "
        "ours ms | ours / floor | our CPU ms |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& words : commands) {
        const Figures cold = measure(words, false);
        const Figures warm = measure(words, true);
        if (!cold.ok || !warm.ok) return 1;
        std::string name = "vistrelctl";
        for (const std::string& word : words) name += " " + word;
        std::printf("| `%s` | %zu | %.1f | %.1f | %zu | %.1f | %.1f | %s | %.2f |\n", name.c_str(),
                    cold.transactions, cold.floor, cold.ours, warm.transactions, warm.floor,
                    warm.ours, ratio(warm).c_str(), warm.cpu);
    }
    fs::remove_all(folder);
    return 0;
}
