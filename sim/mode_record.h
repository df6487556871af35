#pragma once
// A simulated monitor's mode information (information block 1), made from a
// description of what the monitor offers rather than written out byte by byte.
// The bytes come out as the maker's monitors send them: typed records of
// (type, length, little-endian value), closed by a 0xFF type.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace sim {

struct ModeRecordDescription {
    // Picture modes the monitor has (0-47; 48 sets the mask's top bit).
    std::vector<int> modes;
    std::uint32_t presetMask = 0;  // colour temperature presets offered, bit i = preset i
    std::uint32_t gammaMask = 0;   // gamma steps offered, bit i = step i
    std::uint32_t sound = 0;       // speaker capability; 0 sends no sound record
    std::uint32_t quad = 0;        // four-value set capability (bits 0x01 / 0x08)
    // Capability flags that differ from the program's defaults, per mode value.
    std::map<int, std::uint32_t> modeFlags;
    // Firmware compatibility word; monitors the program can drive have bit 0x10.
    std::uint32_t compatibility = 0x10;
    std::uint32_t vendor = 0x0102;
};

// Bytes of block 1. False, with a reason, for a mode out of range, flags for a
// mode that has no record type, or a description that does not fit in 255 bytes.
bool EncodeModeRecord(const ModeRecordDescription& description, std::vector<std::uint8_t>* bytes,
                      std::string* error);

// Reads a description from JSON, for example
//   {"modes": [0, 1, 2, 17], "presets": "0x1FFFFFF", "gammaSteps": "0x1FF",
//    "sound": 1, "quad": 1, "flags": {"17": "0x804D"}}
// Numbers may be JSON numbers or "0x" strings. Unknown keys are an error.
bool ParseModeRecordDescription(const nlohmann::json& json, ModeRecordDescription* description,
                                std::string* error);

}  // namespace sim
