#pragma once
// Which of the desktop's monitors are the maker's, and the record the library
// hands out for each. The controller reads only x and y; the other fields help
// whoever inspects a record by hand.
//
// Record layout (668 bytes, little-endian, zero where unused):
//   0  uint32  record size (668)
//   4  uint32  layout version (1)
//   8  char[4] EDID manufacturer id, NUL-terminated
//  12  uint16  EDID product code
//  14  uint16  reserved
//  16  uint32  EDID serial number
//  20  int32   display width in pixels
//  24  int32   display height in pixels
//  28  int32   desktop x of the display's top-left corner
//  32  int32   desktop y of the display's top-left corner
//  36  char[32] display device name ("\\.\DISPLAY2"), NUL-terminated
//  68  char[16] monitor name from the EDID, NUL-terminated
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/minfolib/edid.h"
#include "platform/types.h"

namespace minfolib {

// The maker's PNP manufacturer id as its monitors carry it in their EDIDs.
inline constexpr char kMakerManufacturerId[] = "ORX";

inline constexpr std::size_t kRecordSize = 668;
inline constexpr std::size_t kRecordXOffset = 28;
inline constexpr std::size_t kRecordYOffset = 32;
inline constexpr std::uint32_t kRecordLayoutVersion = 1;

// One monitor attached to a display of the desktop, with its EDID as read.
struct DisplayCandidate {
    std::string deviceName;  // szDevice of the display the monitor is attached to
    platform::Rect rcMonitor;
    std::vector<std::uint8_t> edid;
};

struct MakerMonitor {
    std::string deviceName;
    platform::Rect rcMonitor;
    EdidIdentity identity;
};

// The candidates whose EDID decodes and carries the maker's id, in the given order.
std::vector<MakerMonitor> SelectMakerMonitors(const std::vector<DisplayCandidate>& candidates);

// Writes the whole 668-byte record.
void WriteRecord(const MakerMonitor& monitor, std::uint8_t* record);

}  // namespace minfolib
