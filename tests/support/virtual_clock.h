#pragma once
// A clock that never sleeps: every wait is recorded and advances virtual time,
// so a test can assert the exact sequence of waits a piece of code made.
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace testing_support {

class VirtualClock : public platform::Clock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
    std::uint32_t TickCount() override { return now; }

    void Advance(std::uint32_t milliseconds) { now += milliseconds; }
    std::uint64_t TotalSlept() const {
        std::uint64_t total = 0;
        for (auto s : sleeps) total += s;
        return total;
    }

    std::uint32_t now = 0;
    std::vector<std::uint32_t> sleeps;
};

}  // namespace testing_support
