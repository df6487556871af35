#pragma once
// Decoding of the identity fields of a monitor's EDID base block. Registry copies
// of EDIDs are regularly short, padded or damaged, so nothing here trusts a
// length, an offset or a text it has not checked.
#include <cstddef>
#include <cstdint>
#include <string>

namespace minfolib {

inline constexpr std::size_t kEdidBlockSize = 128;

enum class EdidStatus {
    Ok,
    TooShort,         // fewer than 128 bytes
    BadHeader,        // not 00 FF FF FF FF FF FF 00
    BadChecksum,      // the base block does not sum to 0 modulo 256
    BadManufacturer,  // reserved bit set, or a letter outside A..Z
};

struct EdidIdentity {
    std::string manufacturerId;  // three upper-case letters, e.g. "ORX"
    std::uint16_t productCode = 0;
    std::uint32_t serialNumber = 0;
    std::string monitorName;  // the monitor-name descriptor, empty when absent
};

// The PNP id held in EDID bytes 8 and 9 (big-endian, three 5-bit letters, 1 = 'A').
// Empty when the reserved top bit is set or a letter is out of range.
std::string ManufacturerIdFromCode(std::uint16_t code);

// Decodes the base block of `size` bytes at `data`. Extension blocks are ignored.
// `identity` is written only when the result is Ok.
EdidStatus DecodeEdid(const std::uint8_t* data, std::size_t size, EdidIdentity* identity);

}  // namespace minfolib
