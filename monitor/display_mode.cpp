#include "monitor/display_mode.h"

namespace {

constexpr DisplayModeRow Blank(std::int32_t value) { return {value, kUnnamedModeStringId, 0}; }

}  // namespace

const DisplayModeRow kDisplayModeCatalogue[kDisplayModeRows] = {
    {0, 111, 0x800D},  // Text
    {1, 112, 0x8005},  // Picture
    {2, 113, 0x8005},  // Movie
    {3, 114, 0x804D},  // Custom
    {4, 115, 0x0001},  // sRGB
    {5, 153, 0x0001},  // External
    {6, 168, 0x0000},  // Viewer
    {7, 185, 0x0001},  // CAL
    {8, 183, 0x0001},  // DICOM
    {9, 184, 0x0001},  // DICOM-BL
    Blank(10), Blank(11), Blank(12), Blank(13),
    {14, 226, 0x8007},  // CAD
    Blank(15), Blank(16),
    {17, 104, 0x804D},  // Game
    Blank(18), Blank(19), Blank(20), Blank(21),
    {22, 105, 0x804D},  // User1
    {23, 106, 0x804D},  // User2
    {24, 107, 0x804D},  // User3
    Blank(25), Blank(26), Blank(27), Blank(28), Blank(29), Blank(30),
    {31, 108, 0x804D},  // Calmira
    Blank(32),
    {33, 109, 0x8007},  // Cinema
    {34, 110, 0x8001},  // Paper
    Blank(35),
    {36, 118, 0x8001},  // Eco
    Blank(37), Blank(38), Blank(39), Blank(40), Blank(41),
    Blank(42), Blank(43), Blank(44), Blank(45), Blank(46),
    {47, 119, 0x804D},  // User
    {48, 156, 0x0000},  // Not change the mode
};

bool IsCatalogueRow(DisplayMode mode) { return mode >= 0 && mode < kDisplayModeRows; }

std::int32_t DisplayModeStringId(DisplayMode mode) {
    return IsCatalogueRow(mode) ? kDisplayModeCatalogue[mode].stringId : kUnnamedModeStringId;
}

std::uint32_t DisplayModeDefaultFlags(DisplayMode mode) {
    return IsCatalogueRow(mode) ? kDisplayModeCatalogue[mode].defaultFlags : 0;
}

std::uint64_t DisplayModeMaskBit(DisplayMode mode) {
    if (mode == kModeNotChange) return std::uint64_t{1} << 63;
    if (mode >= kFirstDisplayMode && mode <= kLastDisplayMode) return std::uint64_t{1} << mode;
    return 0;
}
