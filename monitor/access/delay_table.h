#pragma once
// How long a monitor needs to settle after a write, per page and code. The
// maker's monitors drop or garble the next command when it arrives sooner.
#include <cstdint>
#include <optional>

// Page 0 is the standard MCCS code set. A code without a row (and so without a
// known settling time) must not be written: the result is empty.
std::optional<std::uint32_t> SettlingDelay(std::uint16_t page, std::uint8_t code);
