#pragma once
// A monitor's mode information: which picture modes it has, what each mode lets
// the user adjust, and which presets and gamma steps it offers. Sixty 32-bit words,
// filled from the monitor's information block 1 when its record is built.
#include <cstddef>
#include <cstdint>

#include "monitor/display_mode.h"

struct ModeInfoBlock {
    static constexpr int kWords = 60;
    static constexpr int kVendorWord = 0;
    static constexpr int kModeMaskLow = 2;
    static constexpr int kModeMaskHigh = 3;
    static constexpr int kPresetMask = 4;
    static constexpr int kVendorWord2 = 5;
    static constexpr int kGammaMask = 6;
    static constexpr int kSoundWord = 7;
    static constexpr int kFirstModeFlags = 8;  // word 8 + mode value, modes 0-48
    static constexpr int kFlagsSlot49 = 57;
    static constexpr int kQuadCapability = 58;  // flags slot 50

    std::uint32_t words[kWords] = {};

    std::uint64_t ModeMask() const {
        return words[kModeMaskLow] | (std::uint64_t{words[kModeMaskHigh]} << 32);
    }
    bool HasMode(DisplayMode mode) const {
        const std::uint64_t bit = DisplayModeMaskBit(mode);
        return bit != 0 && (ModeMask() & bit) != 0;
    }
    // Capability flags of a mode (0-48); 0 for any other value.
    std::uint32_t ModeFlags(DisplayMode mode) const {
        return IsCatalogueRow(mode) ? words[kFirstModeFlags + mode] : 0;
    }
    std::uint32_t PresetMask() const { return words[kPresetMask]; }
    std::uint32_t GammaMask() const { return words[kGammaMask]; }
    std::uint32_t SoundWord() const { return words[kSoundWord]; }
    // The four-value set exists only on monitors that announce it in flags slot 50.
    bool HasQuadSet() const { return (words[kQuadCapability] & 0x09) != 0; }
};
static_assert(sizeof(ModeInfoBlock) == 240, "the mode information is 240 bytes");

// Largest block 1 the program reads.
constexpr std::size_t kModeInfoDataMax = 255;

// The block before any record is applied: zero, with the catalogue's default flags.
ModeInfoBlock DefaultModeInfo();

// Applies the records of block 1 (type, length, value) to the defaults. Fails for a
// block of only zero bytes and for a monitor whose compatibility record (type 4)
// lacks bit 0x10; *block is changed only on success. Bytes past 255 are ignored.
bool ParseModeInfo(const std::uint8_t* data, std::size_t length, ModeInfoBlock* block);
