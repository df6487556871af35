#pragma once
// Which registers a monitor's capability texts announce, and with which values.
// The simulated monitor uses this to accept only announced values, and the
// configuration loader to check that every announced register exists.
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "sim/register_key.h"

namespace sim {

struct ListedRegisters {
    // An empty value list means any value.
    std::map<RegisterKey, std::vector<std::uint8_t>> values;

    bool Lists(RegisterKey key) const { return values.count(key) != 0; }
    // True for registers that are not listed at all: the texts only restrict
    // what they mention.
    bool Allows(RegisterKey key, std::uint32_t value) const;
};

// The vcp(...) group of an MCCS capabilities string, as page-0 registers.
// False when there is no such group or its parentheses do not close.
bool ListCapabilities(std::string_view text, ListedRegisters* listed);
// The maker's page groups, "10(E2 E3 ...)30(E2(00 01) ...)". False when malformed.
bool ListExtendedCapabilities(std::string_view text, ListedRegisters* listed);

}  // namespace sim
