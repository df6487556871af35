#include "monitor/mode_info_block.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t kEndOfRecords = 0xFF;
constexpr std::uint8_t kTypeVendor = 1;
constexpr std::uint8_t kTypeCompatibility = 4;
constexpr std::uint8_t kTypeModeMask = 5;
constexpr std::uint8_t kTypePresetMask = 6;
constexpr std::uint8_t kTypeVendor2 = 7;
constexpr std::uint8_t kTypeSound = 10;
constexpr std::uint8_t kTypeQuadCapability = 11;
constexpr std::uint8_t kTypeGammaMask = 14;
constexpr std::uint8_t kTypeFlagsSlot49 = 36;
constexpr std::uint32_t kCompatibleBit = 0x10;
constexpr std::uint32_t kSoundPresentBit = 0x80000000u;

struct ModeOverride {
    std::uint8_t type;
    DisplayMode mode;
};

// Record types that replace the catalogue flags of one mode. CAL (7) and DICOM-BL
// (9) have none and always keep their defaults.
constexpr ModeOverride kModeOverrides[] = {
    {18, 0},  {19, 1},  {20, 2},  {21, 3},  {22, 4},  {23, 5},  {24, 6},  {26, 8},  {34, 14},
    {40, 17}, {49, 22}, {50, 23}, {51, 24}, {58, 31}, {61, 33}, {62, 34}, {68, 36}, {88, 47},
};

int OverriddenMode(std::uint8_t type) {
    for (const ModeOverride& entry : kModeOverrides)
        if (entry.type == type) return entry.mode;
    return -1;
}

std::uint64_t LittleEndian(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return value;
}

}  // namespace

ModeInfoBlock DefaultModeInfo() {
    ModeInfoBlock block;
    for (int mode = 0; mode < kDisplayModeRows; ++mode)
        block.words[ModeInfoBlock::kFirstModeFlags + mode] =
            kDisplayModeCatalogue[mode].defaultFlags;
    return block;
}

bool ParseModeInfo(const std::uint8_t* data, std::size_t length, ModeInfoBlock* block) {
    if (block == nullptr || (data == nullptr && length != 0)) return false;
    length = std::min(length, kModeInfoDataMax);

    // The walk may look at a length byte or at type 14's four value bytes past the end
    // of the data; zero padding keeps those reads inside our own buffer.
    std::uint8_t buffer[kModeInfoDataMax + 8] = {};
    if (length != 0) std::memcpy(buffer, data, length);
    if (std::all_of(buffer, buffer + length, [](std::uint8_t b) { return b == 0; })) return false;

    ModeInfoBlock parsed = DefaultModeInfo();
    std::size_t pos = 0;
    while (pos < length && buffer[pos] != kEndOfRecords) {
        const std::uint8_t type = buffer[pos];
        const std::size_t valueLength = buffer[pos + 1];
        const std::uint8_t* value = buffer + pos + 2;
        const std::uint32_t word =
            static_cast<std::uint32_t>(LittleEndian(value, std::min<std::size_t>(valueLength, 4)));

        switch (type) {
            case kTypeVendor:
                parsed.words[ModeInfoBlock::kVendorWord] = word;
                break;
            case kTypeCompatibility:
                if ((word & kCompatibleBit) == 0) return false;
                break;
            case kTypeModeMask: {
                const std::uint64_t mask =
                    LittleEndian(value, std::min<std::size_t>(valueLength, 8));
                parsed.words[ModeInfoBlock::kModeMaskLow] = static_cast<std::uint32_t>(mask);
                parsed.words[ModeInfoBlock::kModeMaskHigh] = static_cast<std::uint32_t>(mask >> 32);
                break;
            }
            case kTypePresetMask:
                parsed.words[ModeInfoBlock::kPresetMask] = word;
                break;
            case kTypeVendor2:
                parsed.words[ModeInfoBlock::kVendorWord2] = word;
                break;
            case kTypeGammaMask:
                // Monitors send this one as a full word whatever its length byte says.
                parsed.words[ModeInfoBlock::kGammaMask] =
                    static_cast<std::uint32_t>(LittleEndian(value, 4));
                break;
            case kTypeSound:
                parsed.words[ModeInfoBlock::kSoundWord] = word != 0 ? (word | kSoundPresentBit) : 0;
                break;
            case kTypeQuadCapability:
                parsed.words[ModeInfoBlock::kQuadCapability] = word;
                break;
            case kTypeFlagsSlot49:
                parsed.words[ModeInfoBlock::kFlagsSlot49] = word;
                break;
            default: {
                const int mode = OverriddenMode(type);
                if (mode >= 0) parsed.words[ModeInfoBlock::kFirstModeFlags + mode] = word;
                break;
            }
        }

        pos += valueLength + 2;
        if (pos > kModeInfoDataMax - 1) break;
        if (pos + buffer[pos + 1] + 2 > kModeInfoDataMax) break;
    }
    *block = parsed;
    return true;
}
