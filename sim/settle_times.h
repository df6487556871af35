#pragma once
// How long the maker's monitors need after a command before they take the next.
#include <cstdint>

#include "sim/register_key.h"

namespace sim {

// Every reply needs 20 ms before the next request.
constexpr std::uint32_t kSettleAfterRead = 20;

// Settling time after a write to a register (page 0 for the standard codes and
// the two control registers). Registers the maker publishes no time for get
// the 50 ms that DDC/CI asks of a host after any Set VCP Feature.
std::uint32_t SettleAfterWrite(RegisterKey key);

}  // namespace sim
