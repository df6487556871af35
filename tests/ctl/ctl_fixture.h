#pragma once
// The default simulated desk as vistrelctl sees it on Linux: every monitor on a
// DRM connector of its own (a fake /sys/class/drm in a temporary folder, with
// EDIDs and ddc links), reached byte by byte through the simulator's DDC/CI
// front behind the I2C port. The test runs whole command lines against it.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ctl/ctl_session.h"
#include "ctl/i2c_desk.h"
#include "ctl/identity_cache.h"
#include "ctl/linux/cache_file.h"
#include "ctl/linux/file_set_store.h"
#include "ctl/linux/sysfs_displays.h"
#include "sim/byte_front.h"
#include "sim/desk.h"
#include "support/virtual_clock.h"

namespace ctltest {

namespace fs = std::filesystem;

constexpr std::uint32_t kOwnProcessId = 0x2345;
constexpr std::uint32_t kControllerProcessId = 0x0BCD;
constexpr int kFirstBus = 3;

// A 128-byte EDID base block with a manufacturer id, serial and monitor name.
inline std::vector<std::uint8_t> Edid(const std::string& manufacturer, std::uint32_t serial,
                                      const std::string& name) {
    std::vector<std::uint8_t> edid(128, 0);
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(std::begin(header), std::end(header), edid.begin());
    const unsigned code = ((manufacturer[0] - 'A' + 1) << 10) | ((manufacturer[1] - 'A' + 1) << 5) |
                          (manufacturer[2] - 'A' + 1);
    edid[8] = static_cast<std::uint8_t>(code >> 8);
    edid[9] = static_cast<std::uint8_t>(code);
    for (int i = 0; i < 4; ++i) edid[12 + i] = static_cast<std::uint8_t>(serial >> (8 * i));
    edid[18] = 1;
    edid[19] = 4;
    std::uint8_t* descriptor = &edid[54];
    descriptor[3] = 0xFC;
    for (std::size_t i = 0; i < 13; ++i)
        descriptor[5 + i] = i < name.size() ? name[i] : (i == name.size() ? 0x0A : 0x20);
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) sum += edid[i];
    edid[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
    return edid;
}

// A virtual clock that lets a test act at a point in time (Ctrl+C mid-command).
class HookedClock : public testing_support::VirtualClock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        VirtualClock::Sleep(milliseconds);
        if (onSleep) onSleep();
    }
    std::function<void()> onSleep;
};

class SimI2cDevice : public platform::I2cDevice {
public:
    explicit SimI2cDevice(sim::ByteFront& front) : m_front(front) {}
    platform::I2cResult Write(const std::uint8_t* data, std::size_t size) override {
        return m_front.Write(data, size) ? platform::I2cResult::Ok : platform::I2cResult::Nak;
    }
    platform::I2cResult Read(std::uint8_t* data, std::size_t size, std::size_t* received) override {
        return m_front.Read(data, size, received) ? platform::I2cResult::Ok
                                                  : platform::I2cResult::Nak;
    }

private:
    sim::ByteFront& m_front;
};

class SimI2cBuses : public platform::I2cBuses {
public:
    std::unique_ptr<platform::I2cDevice> Open(int bus, std::uint8_t address,
                                              std::string* problem) override {
        opened.push_back(bus);
        if (address != 0x37 || fronts.count(bus) == 0) {
            *problem = "no bus " + std::to_string(bus);
            return nullptr;
        }
        if (!refuse.empty()) {
            *problem = refuse;
            return nullptr;
        }
        return std::make_unique<SimI2cDevice>(*fronts.at(bus));
    }
    std::map<int, sim::ByteFront*> fronts;
    std::vector<int> opened;
    std::string refuse;  // every open fails with this problem
};

class DeskProcesses : public platform::Processes {
public:
    std::uint32_t OwnProcessId() override { return kOwnProcessId; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override {
        *processes = running;
        return true;
    }
    std::vector<platform::ProcessEntry> running = {{kOwnProcessId, "vistrelctl"}, {1, "init"}};
};

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

class CtlDesk : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("ctl-" + std::to_string(::getpid()) + "-" +
                                              info->test_suite_name() + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "drm");
        fs::copy_file(fs::path(VISTREL_SOURCE_DIR) / "sim/configs/default-desk.json",
                      folder / "desk.json");
        LoadSimulatedDesk();
        ASSERT_TRUE(desk);
        for (int m = 0; m < desk->MonitorCount(); ++m) {
            const sim::MonitorConfig& config = desk->ConfigOf(m);
            const fs::path connector = folder / "drm" / ("card0-DP-" + std::to_string(m + 1));
            fs::create_directories(connector);
            std::ofstream(connector / "status") << "connected\n";
            const auto edid =
                config.maker ? Edid("ORX", 1000 + m, config.model) : Edid("KST", 77, "KESTREL 19");
            std::ofstream(connector / "edid", std::ios::binary)
                .write(reinterpret_cast<const char*>(edid.data()),
                       static_cast<std::streamsize>(edid.size()));
            fs::create_directory_symlink("../../i2c-" + std::to_string(kFirstBus + m),
                                         connector / "ddc");
        }
        sets = std::make_unique<FileSetStore>(
            (folder / "config/panelwright/vistrelctl-sets").string());
    }
    // (Re)loads the desk from folder/desk.json, each monitor on its bus.
    void LoadSimulatedDesk() {
        fronts.clear();
        desk.reset();
        std::string error;
        desk = sim::LoadDesk((folder / "desk.json").string(), clock, &error);
        ASSERT_TRUE(desk) << error;
        for (int m = 0; m < desk->MonitorCount(); ++m) {
            fronts.push_back(std::make_unique<sim::ByteFront>(*desk, m, clock));
            buses.fronts[kFirstBus + m] = fronts.back().get();
        }
    }
    void TearDown() override {
        fronts.clear();
        desk.reset();
        fs::remove_all(folder);
    }

    RunResult Run(const std::vector<std::string>& arguments) {
        I2cDesk i2c(ScanDrmConnectors((folder / "drm").string()), buses, clock);
        CtlPorts ports{i2c, i2c, i2c, processes, clock, *sets, {}, {}, {}, &interrupted};
        ports.displayName = [&i2c](const MonitorEntry& entry) {
            const I2cDisplay* display = i2c.DisplayOf(entry.displayHandle);
            return display != nullptr ? display->connector : std::string();
        };
        ports.transportProblem = [&i2c] { return i2c.OpenProblem(); };
        // Each run is a process of its own: the cache is read from its file.
        FileIdentityCache cacheFile(CachePath());
        IdentityCache cache(cacheFile);
        if (cached) {
            ports.cache = &cache;
            ports.monitorKey = [&i2c](const std::vector<MonitorEntry>& entries, std::size_t index) {
                const I2cDisplay* display = i2c.DisplayOf(entries[index].displayHandle);
                return display != nullptr ? MonitorKeyFromEdid(display->edid) : std::string();
            };
        }
        RunResult result;
        result.status = RunVistrelctl(arguments, ports, &result.out, &result.err);
        return result;
    }

    std::string CachePath() const {
        return (folder / "cache/panelwright/vistrelctl-monitors").string();
    }

    std::uint16_t Register(int monitor, std::uint16_t page, std::uint8_t code) {
        std::uint16_t current = 0;
        EXPECT_TRUE(desk->ReadRegister(monitor, sim::RegisterKey{page, code}, &current));
        return current;
    }
    // Writes that took effect on a monitor, as "30:E2=17" / "E0=9029".
    std::vector<std::string> Writes(int monitor) const {
        std::vector<std::string> writes;
        for (const sim::Transaction& t : desk->Log()) {
            if (t.monitor != monitor || t.kind != sim::TransactionKind::Set || !t.ok()) continue;
            char text[32];
            if (t.code >= 0xE2 && t.page != 0)
                std::snprintf(text, sizeof text, "%02X:%02X=%u", t.page, t.code, t.value);
            else
                std::snprintf(text, sizeof text, "%02X=%u", t.code, t.value);
            writes.push_back(text);
        }
        return writes;
    }

    fs::path folder;
    HookedClock clock;
    std::unique_ptr<sim::Desk> desk;
    std::vector<std::unique_ptr<sim::ByteFront>> fronts;
    SimI2cBuses buses;
    DeskProcesses processes;
    std::unique_ptr<FileSetStore> sets;
    std::atomic<bool> interrupted{false};
    bool cached = false;  // runs keep what they identified between them
};

}  // namespace ctltest
