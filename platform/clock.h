#pragma once
#include <cstdint>

namespace platform {

// Time as the programs use it: fixed sleeps between monitor transactions and a
// millisecond tick count for the two waits that are measured.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace platform
