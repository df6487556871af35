#pragma once
// What the monitor benchmarks share: the default simulated desk as they run it,
// and a clock that tells the program's own waits from the bus time the
// simulator spends on the same virtual clock.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "sim/desk.h"

namespace bench {

class ProgramClock : public platform::Clock {
public:
    explicit ProgramClock(platform::Clock& time) : time_(time) {}
    void Sleep(std::uint32_t milliseconds) override {
        waited += milliseconds;
        time_.Sleep(milliseconds);
    }
    std::uint32_t TickCount() override { return time_.TickCount(); }

    std::uint64_t waited = 0;

private:
    platform::Clock& time_;
};

// The default desk with the DDC/CI bus latency and no state file, so that runs
// start alike and leave nothing behind.
inline bool LoadDefaultDesk(sim::DeskConfig* config, std::string* error) {
    if (!sim::LoadDeskConfig(VISTREL_DEFAULT_DESK, config, error)) return false;
    config->latency = sim::Latency::DdcCi;
    config->statePath.clear();
    return true;
}

}  // namespace bench
