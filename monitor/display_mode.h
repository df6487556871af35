#pragma once
// The picture modes the program knows, indexed by the value of the monitors'
// picture-mode register (page 0x30, code 0xE2).
#include <cstdint>

#include "resources/controller/resource.h"

using DisplayMode = std::int32_t;

constexpr DisplayMode kFirstDisplayMode = 0;
constexpr DisplayMode kLastDisplayMode = 47;      // last value a monitor can hold
constexpr DisplayMode kModeNotChange = 48;        // "Not change the mode"; never written
constexpr DisplayMode kModeAdjustmentData = 255;  // stored settings: a named data set
constexpr int kDisplayModeRows = 49;

// Per-mode capability flags: what the user may adjust in that mode.
constexpr std::uint32_t kModeFlagBrightness = 0x0001;  // also gates the four-value set
constexpr std::uint32_t kModeFlagContrast = 0x0002;
constexpr std::uint32_t kModeFlagColorTemperature = 0x0004;
constexpr std::uint32_t kModeFlagGamma = 0x0008;
constexpr std::uint32_t kModeFlagGains = 0x0040;
constexpr std::uint32_t kModeFlagReset = 0x8000;

// String id of the rows without a mode; its text is a single blank.
constexpr std::int32_t kUnnamedModeStringId = IDS_MODE_UNNAMED;

struct DisplayModeRow {
    std::int32_t value;
    std::int32_t stringId;
    std::uint32_t defaultFlags;
};

// Rows 0-48, row k holding mode value k.
extern const DisplayModeRow kDisplayModeCatalogue[kDisplayModeRows];

bool IsCatalogueRow(DisplayMode mode);
// String id of a row; the blank row's id for values outside the catalogue.
std::int32_t DisplayModeStringId(DisplayMode mode);
// Catalogue flags of a row; 0 outside the catalogue.
std::uint32_t DisplayModeDefaultFlags(DisplayMode mode);
// Bit of a row in the 64-bit mode mask: bit k for rows 0-47, bit 63 for row 48, 0
// outside the catalogue.
std::uint64_t DisplayModeMaskBit(DisplayMode mode);
