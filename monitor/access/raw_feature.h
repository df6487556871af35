#pragma once
// Single DDC/CI transactions. Each is followed by a fixed sleep whatever its
// outcome: the monitor needs the time to settle before it accepts the next
// command, and a failed transaction may still have reached it.
#include <cstdint>

#include "platform/clock.h"
#include "platform/ddc_api.h"
#include "platform/types.h"

// The delay every reader passes to GetFeature.
constexpr std::uint32_t kReadSettleMs = 20;

// Reads a VCP code. Both outputs are zeroed before the call, so a failed read
// reports 0 and 0. Fails at once, without traffic or sleep and leaving the
// outputs alone, when `handle` is null.
bool GetFeature(platform::DdcApi& ddc, platform::Clock& clock,
                const platform::PhysicalMonitorHandle* handle, std::uint8_t code,
                std::uint32_t* current, std::uint32_t* maximum, std::uint32_t delayMs);

// Writes a VCP code; succeeds only when the API reports exactly TRUE. Fails at
// once, without traffic or sleep, when `handle` is null.
bool SetFeature(platform::DdcApi& ddc, platform::Clock& clock,
                const platform::PhysicalMonitorHandle* handle, std::uint8_t code,
                std::uint32_t value, std::uint32_t delayMs);
