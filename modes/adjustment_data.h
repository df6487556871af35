#pragma once
// A saved adjustment data set: a monitor's colour settings as the user registered
// them under a name. Stored as a 172-byte binary value, little-endian, zero-filled,
// so an item that was not read keeps 0 in every word.
//
// The bytes come back from the registry, where another program or a damaged
// profile may have put anything: decoding accepts exactly 172 bytes and reads each
// text only within its own field.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One feature as read when the set was saved: value, the monitor's maximum, and
// whether the read succeeded.
struct AdjustmentItem {
    std::int32_t value = 0;
    std::int32_t maximum = 0;
    std::int32_t valid = 0;

    bool operator==(const AdjustmentItem&) const = default;
};

struct AdjustmentData {
    static constexpr std::size_t kSize = 172;
    static constexpr std::size_t kModelNameSize = 18;
    static constexpr std::size_t kSerialNumberSize = 18;
    static constexpr std::size_t kIdentitySize = 36;

    std::string modelName;               // at most 18 bytes kept
    std::string serialNumber;            // at most 18 bytes kept
    std::string identity;                // serial number followed by model name, at most 36 bytes
    std::int32_t mode = 0;               // page 0x30 code 0xE2 when saved
    std::int32_t colorTemperature = 0;   // page 0x30 code 0xE3; 0 when the mode has none
    AdjustmentItem brightness;           // VCP 0x10
    AdjustmentItem redGain;              // VCP 0x16
    AdjustmentItem greenGain;            // VCP 0x18
    AdjustmentItem blueGain;             // VCP 0x1A
    AdjustmentItem gamma;                // page 0x30 code 0xE4
    std::array<std::int32_t, 4> quad{};  // page 0xE0 codes 0xE4-0xE7
    std::int32_t quadValid = 0;
    AdjustmentItem contrast;  // VCP 0x12

    bool operator==(const AdjustmentData&) const = default;
};

using AdjustmentBytes = std::array<std::uint8_t, AdjustmentData::kSize>;

// Texts longer than their field are cut to it; a text that fills its field has no
// terminating zero, as sets of earlier versions were stored.
AdjustmentBytes EncodeAdjustmentData(const AdjustmentData& data);
// False, with *data untouched, unless size is exactly 172.
bool DecodeAdjustmentData(const std::uint8_t* bytes, std::size_t size, AdjustmentData* data);
