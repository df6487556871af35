#include "sim/mode_record.h"

#include <cstdlib>

namespace sim {
namespace {

constexpr std::size_t kBlockLimit = 255;

// Record type that carries the flags of each picture mode, as the firmware numbers
// them; modes missing here cannot announce flags of their own.
const std::map<int, std::uint8_t>& FlagRecordTypes() {
    static const std::map<int, std::uint8_t> types = {
        {0, 18},  {1, 19},  {2, 20},  {3, 21},  {4, 22},  {5, 23},  {6, 24},  {8, 26},  {14, 34},
        {17, 40}, {22, 49}, {23, 50}, {24, 51}, {31, 58}, {33, 61}, {34, 62}, {36, 68}, {47, 88},
    };
    return types;
}

void Append(std::vector<std::uint8_t>* bytes, std::uint8_t type, std::uint64_t value,
            std::size_t length) {
    bytes->push_back(type);
    bytes->push_back(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < length; ++i)
        bytes->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::size_t WordLength(std::uint32_t value) {
    if (value <= 0xFF) return 1;
    if (value <= 0xFFFF) return 2;
    return 4;
}

bool ReadNumber(const nlohmann::json& json, const std::string& where, std::uint32_t* value,
                std::string* error) {
    if (json.is_number_unsigned()) {
        const auto number = json.get<std::uint64_t>();
        if (number <= 0xFFFFFFFFu) {
            *value = static_cast<std::uint32_t>(number);
            return true;
        }
    } else if (json.is_string()) {
        const std::string text = json.get<std::string>();
        char* end = nullptr;
        const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
        if (!text.empty() && end != nullptr && *end == '\0' && number <= 0xFFFFFFFFull) {
            *value = static_cast<std::uint32_t>(number);
            return true;
        }
    }
    if (error) *error = where + ": " + json.dump() + " is not a 32-bit number";
    return false;
}

bool ReadMode(const std::string& text, int* mode) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end == nullptr || *end != '\0' || value < 0 || value > 48) return false;
    *mode = static_cast<int>(value);
    return true;
}

}  // namespace

bool EncodeModeRecord(const ModeRecordDescription& description, std::vector<std::uint8_t>* bytes,
                      std::string* error) {
    std::uint64_t mask = 0;
    for (int mode : description.modes) {
        if (mode < 0 || mode > 48) {
            if (error) *error = "mode " + std::to_string(mode) + " is not 0-48";
            return false;
        }
        mask |= mode == 48 ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << mode);
    }
    std::vector<std::uint8_t> out;
    Append(&out, 1, description.vendor, WordLength(description.vendor));
    Append(&out, 4, description.compatibility, WordLength(description.compatibility));
    Append(&out, 5, mask, 8);
    Append(&out, 6, description.presetMask, 4);
    Append(&out, 14, description.gammaMask, 4);
    if (description.sound != 0) Append(&out, 10, description.sound, WordLength(description.sound));
    Append(&out, 11, description.quad, WordLength(description.quad));
    for (const auto& [mode, flags] : description.modeFlags) {
        const auto type = FlagRecordTypes().find(mode);
        if (type == FlagRecordTypes().end()) {
            if (error) *error = "mode " + std::to_string(mode) + " has no flags record";
            return false;
        }
        Append(&out, type->second, flags, flags <= 0xFFFF ? 2 : 4);
    }
    out.push_back(0xFF);
    if (out.size() > kBlockLimit) {
        if (error)
            *error = "mode information of " + std::to_string(out.size()) + " bytes exceeds 255";
        return false;
    }
    *bytes = std::move(out);
    return true;
}

bool ParseModeRecordDescription(const nlohmann::json& json, ModeRecordDescription* description,
                                std::string* error) {
    if (!json.is_object()) {
        if (error) *error = "modeInfo: expected an object";
        return false;
    }
    ModeRecordDescription parsed;
    for (const auto& [key, value] : json.items()) {
        const std::string where = "modeInfo." + key;
        if (key == "modes") {
            if (!value.is_array()) {
                if (error) *error = where + ": expected a list of mode values";
                return false;
            }
            for (const auto& mode : value) {
                if (!mode.is_number_integer() || mode.get<long long>() < 0 ||
                    mode.get<long long>() > 48) {
                    if (error) *error = where + ": " + mode.dump() + " is not a mode 0-48";
                    return false;
                }
                parsed.modes.push_back(mode.get<int>());
            }
        } else if (key == "presets") {
            if (!ReadNumber(value, where, &parsed.presetMask, error)) return false;
        } else if (key == "gammaSteps") {
            if (!ReadNumber(value, where, &parsed.gammaMask, error)) return false;
        } else if (key == "sound") {
            if (!ReadNumber(value, where, &parsed.sound, error)) return false;
        } else if (key == "quad") {
            if (!ReadNumber(value, where, &parsed.quad, error)) return false;
        } else if (key == "compatibility") {
            if (!ReadNumber(value, where, &parsed.compatibility, error)) return false;
        } else if (key == "vendor") {
            if (!ReadNumber(value, where, &parsed.vendor, error)) return false;
        } else if (key == "flags") {
            if (!value.is_object()) {
                if (error) *error = where + ": expected {\"mode\": flags}";
                return false;
            }
            for (const auto& [modeText, flags] : value.items()) {
                int mode = 0;
                if (!ReadMode(modeText, &mode)) {
                    if (error) *error = where + ": \"" + modeText + "\" is not a mode 0-48";
                    return false;
                }
                std::uint32_t word = 0;
                if (!ReadNumber(flags, where + "." + modeText, &word, error)) return false;
                parsed.modeFlags[mode] = word;
            }
        } else {
            if (error) *error = where + ": unknown key";
            return false;
        }
    }
    *description = std::move(parsed);
    return true;
}

}  // namespace sim
