#pragma once
// Kernel time: real sleeps and the millisecond tick count.
#include "platform/clock.h"

namespace platform {

class Win32Clock final : public Clock {
public:
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override;
};

}  // namespace platform
