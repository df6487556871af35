// Hostile input for the simulator: desk descriptions, state file entries and
// command sequences. None may crash, hang or trip the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/desk.h"
#include "sim/desk_config.h"
#include "sim/sim_monitor.h"
#include "sim/sim_test_support.h"
#include "support/virtual_clock.h"

namespace {

void ExerciseDesk(sim::Desk& desk, testing_support::VirtualClock& clock) {
    desk.EnumDisplayMonitors([&](platform::DisplayHandle display) {
        platform::DisplayInfo info;
        desk.GetMonitorInfo(display, &info);
        std::uint32_t count = 0;
        if (desk.GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count) != 1 || count > 64)
            return true;
        std::vector<platform::PhysicalMonitor> monitors(count);
        if (desk.GetPhysicalMonitorsFromHMONITOR(display, count, monitors.data()) != 1) return true;
        for (const auto& monitor : monitors) {
            std::uint32_t length = 0;
            if (desk.GetCapabilitiesStringLength(monitor.handle, &length) == 1 && length < 70000) {
                std::string text(length, '\0');
                desk.CapabilitiesRequestAndCapabilitiesReply(monitor.handle, text.data(), length);
            }
            std::uint32_t type = 0, current = 0, maximum = 0;
            for (std::uint8_t code : {0x10, 0xE0, 0xE2, 0xE4}) {
                clock.Sleep(5000);
                desk.GetVCPFeatureAndVCPFeatureReply(monitor.handle, code, &type, &current,
                                                     &maximum);
            }
        }
        desk.DestroyPhysicalMonitors(count, monitors.data());
        return true;
    });
    std::int32_t makers = 0;
    desk.QrxFindMonitors(&makers, 1);
    std::uint8_t record[platform::MakerLibrary::kRecordSize];
    for (std::int32_t i = 0; i < makers && i < 16; ++i) desk.QrxGetMonitorInfo(i, record, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    testing_support::VirtualClock clock;
    switch (data[0] % 3) {
        case 0: {
            sim::DeskConfig config;
            std::string error;
            if (!sim::ParseDeskConfig(rest, &config, &error)) break;
            config.statePath.clear();
            sim::Desk desk(config, clock);
            ExerciseDesk(desk, clock);
            break;
        }
        case 1: {
            const auto state = nlohmann::json::parse(rest.begin(), rest.end(), nullptr, false);
            if (state.is_discarded()) break;
            sim::SimMonitor monitor(simtest::MakerMonitor());
            std::string problem;
            monitor.ImportState(state, &problem);
            monitor.ExportState().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            break;
        }
        default: {
            // Four bytes a command: kind, code, value (16 bits); then a wait.
            sim::Desk desk(simtest::SingleMakerDesk(), clock);
            const auto handle = desk.HandleOf(0);
            for (std::size_t at = 0; at + 5 <= rest.size(); at += 5) {
                const auto byte = [&](std::size_t i) {
                    return static_cast<std::uint8_t>(rest[at + i]);
                };
                const std::uint32_t value = static_cast<std::uint32_t>(byte(2) << 8 | byte(3));
                std::uint32_t type = 0, current = 0, maximum = 0;
                switch (byte(0) % 6) {
                    case 0:
                        desk.GetVCPFeatureAndVCPFeatureReply(handle, byte(1), &type, &current,
                                                             &maximum);
                        break;
                    case 1:
                        desk.SetVCPFeature(handle, byte(1), value);
                        break;
                    case 2:
                        desk.FailNext(0, byte(1) % 4);
                        break;
                    case 3:
                        desk.DropBlockRead(
                            0, sim::BlockDrop{byte(1) % 5 - 1, byte(2) % 8u, byte(3) % 4u});
                        break;
                    case 4:
                        desk.SetFailRate(0, byte(1) / 255.0, value);
                        break;
                    default:
                        desk.SetConnected(0, byte(1) % 2 == 0);
                        break;
                }
                clock.Sleep(byte(4) * 16u);
            }
            break;
        }
    }
    return 0;
}
