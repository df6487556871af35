#include "monitor/display_mode.h"

namespace {

constexpr DisplayModeRow Blank(std::int32_t value) {
    return {value, kUnnamedModeStringId, 0};
}

}  // namespace

const DisplayModeRow kDisplayModeCatalogue[kDisplayModeRows] = {
    {0, IDS_MODE_TEXT, 0x800D},
    {1, IDS_MODE_PICTURE, 0x8005},
    {2, IDS_MODE_MOVIE, 0x8005},
    {3, IDS_MODE_CUSTOM, 0x804D},
    {4, IDS_MODE_SRGB, 0x0001},
    {5, IDS_MODE_EXTERNAL, 0x0001},
    {6, IDS_MODE_VIEWER, 0x0000},
    {7, IDS_MODE_CAL, 0x0001},
    {8, IDS_MODE_DICOM, 0x0001},
    {9, IDS_MODE_DICOM_BL, 0x0001},
    Blank(10),
    Blank(11),
    Blank(12),
    Blank(13),
    {14, IDS_MODE_CAD, 0x8007},
    Blank(15),
    Blank(16),
    {17, IDS_MODE_GAME, 0x804D},
    Blank(18),
    Blank(19),
    Blank(20),
    Blank(21),
    {22, IDS_MODE_USER1, 0x804D},
    {23, IDS_MODE_USER2, 0x804D},
    {24, IDS_MODE_USER3, 0x804D},
    Blank(25),
    Blank(26),
    Blank(27),
    Blank(28),
    Blank(29),
    Blank(30),
    {31, IDS_MODE_CALMIRA, 0x804D},
    Blank(32),
    {33, IDS_MODE_CINEMA, 0x8007},
    {34, IDS_MODE_PAPER, 0x8001},
    Blank(35),
    {36, IDS_MODE_ECO, 0x8001},
    Blank(37),
    Blank(38),
    Blank(39),
    Blank(40),
    Blank(41),
    Blank(42),
    Blank(43),
    Blank(44),
    Blank(45),
    Blank(46),
    {47, IDS_MODE_USER, 0x804D},
    {48, IDS_MODE_NOT_CHANGE, 0x0000},
};

bool IsCatalogueRow(DisplayMode mode) {
    return mode >= 0 && mode < kDisplayModeRows;
}

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
