#pragma once
// Addresses of a simulated monitor's registers. Page 0 holds the standard VCP
// codes; the maker's pages (0x10, 0x20, 0x30, 0xE0, 0xF0) are reached by first
// writing the page number to VCP 0xE1.
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

struct RegisterKey {
    std::uint16_t page = 0;
    std::uint8_t code = 0;

    auto operator<=>(const RegisterKey&) const = default;
};

// Text form used in configurations and state files: "10" for a standard code,
// "30:E2" for a register of a maker page (hexadecimal, either case).
std::string FormatRegisterKey(RegisterKey key);
bool ParseRegisterKey(std::string_view text, RegisterKey* key);

}  // namespace sim
