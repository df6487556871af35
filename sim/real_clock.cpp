#include "sim/real_clock.h"

#include <chrono>
#include <thread>

namespace sim {
namespace {

class SteadyClock : public platform::Clock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    std::uint32_t TickCount() override {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

platform::Clock& RealClock() {
    static SteadyClock clock;
    return clock;
}

}  // namespace sim
