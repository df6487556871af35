#pragma once
// The VCP pages and codes the programs use, named once. Page 0 holds the standard
// MCCS codes and needs no selection; on the maker's pages, selected through the
// page-select register, the registers are numbered from 0xE2 upwards. The
// simulator keeps its own names for these: it checks this code and must not share
// its mistakes.
#include <cstdint>

namespace vcp {

// Pages.
inline constexpr std::uint16_t kStandardPage = 0;
inline constexpr std::uint16_t kBlockPage = 0x10;  // information blocks 0-3
inline constexpr std::uint16_t kReadinessPage = 0x20;
inline constexpr std::uint16_t kColorPage = 0x30;  // mode, colour temperature, gamma, primaries
inline constexpr std::uint16_t kQuadPage = 0xE0;   // the colour pages' four-value set
inline constexpr std::uint16_t kCommandPage = 0xF0;

// Standard codes (page 0).
inline constexpr std::uint8_t kFactoryColorCode = 0x08;  // restore factory colour defaults
inline constexpr std::uint8_t kBrightnessCode = 0x10;
inline constexpr std::uint8_t kContrastCode = 0x12;
inline constexpr std::uint8_t kRedGainCode = 0x16;
inline constexpr std::uint8_t kGreenGainCode = 0x18;
inline constexpr std::uint8_t kBlueGainCode = 0x1A;
inline constexpr std::uint8_t kVolumeCode = 0x62;
inline constexpr std::uint8_t kOwnerCode = 0xE0;  // process id of the controlling program, 0 = free
inline constexpr std::uint8_t kPageSelectCode = 0xE1;

// The first register of every maker page.
inline constexpr std::uint8_t kFirstPageCode = 0xE2;

// Page 0x10: block b has its length at kFirstBlockCode + 3 b, its read offset
// next to it and its data window after that.
inline constexpr std::uint8_t kFirstBlockCode = 0xE2;

// Page 0x20: ready when the first reads 1 and the second 0.
inline constexpr std::uint8_t kReadyCode = 0xE2;
inline constexpr std::uint8_t kBusyCode = 0xE6;

// Page 0x30.
inline constexpr std::uint8_t kModeCode = 0xE2;
inline constexpr std::uint8_t kColorTemperatureCode = 0xE3;
inline constexpr std::uint8_t kGammaCode = 0xE4;
// Read 0: the colour temperature's last preset is not offered.
inline constexpr std::uint8_t kPresetRangeCode = 0xE5;
// Luminance of the red, green and blue primaries, in tenths.
inline constexpr std::uint8_t kRedPrimaryCode = 0xEF;
inline constexpr std::uint8_t kGreenPrimaryCode = 0xF0;
inline constexpr std::uint8_t kBluePrimaryCode = 0xF1;

// Page 0xE0.
// The colour detail dialog's state: 1 while it adjusts, 2 on OK, 0 when it closes.
inline constexpr std::uint8_t kAdjustingCode = 0xE3;
inline constexpr std::uint8_t kQuadFirstCode = 0xE4;  // four registers from here
inline constexpr std::uint8_t kQuadCommitCode = 0xE8;

// Page 0xF0.
inline constexpr std::uint8_t kResetCode = 0xE2;
// Ends an adjustment session: 0 after colour adjustments and the match wizard, 10
// from the sound page.
inline constexpr std::uint8_t kEndAdjustmentCode = 0xE3;

}  // namespace vcp
