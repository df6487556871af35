#include "platform/minfolib/maker_record.h"

#include <cstring>

namespace minfolib {
namespace {

void Put32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
    at[2] = static_cast<std::uint8_t>(value >> 16);
    at[3] = static_cast<std::uint8_t>(value >> 24);
}

void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutText(std::uint8_t* at, std::size_t fieldSize, const std::string& text) {
    const std::size_t length = text.size() < fieldSize ? text.size() : fieldSize - 1;
    std::memcpy(at, text.data(), length);
    at[length] = 0;
}

}  // namespace

std::vector<MakerMonitor> SelectMakerMonitors(const std::vector<DisplayCandidate>& candidates) {
    std::vector<MakerMonitor> makers;
    for (const auto& candidate : candidates) {
        EdidIdentity identity;
        if (DecodeEdid(candidate.edid.data(), candidate.edid.size(), &identity) != EdidStatus::Ok)
            continue;
        if (identity.manufacturerId != kMakerManufacturerId) continue;
        makers.push_back(MakerMonitor{candidate.deviceName, candidate.rcMonitor, identity});
    }
    return makers;
}

void WriteRecord(const MakerMonitor& monitor, std::uint8_t* record) {
    std::memset(record, 0, kRecordSize);
    Put32(record + 0, static_cast<std::uint32_t>(kRecordSize));
    Put32(record + 4, kRecordLayoutVersion);
    PutText(record + 8, 4, monitor.identity.manufacturerId);
    Put16(record + 12, monitor.identity.productCode);
    Put32(record + 16, monitor.identity.serialNumber);
    const auto& rc = monitor.rcMonitor;
    // Unsigned arithmetic: a nonsensical rectangle must not overflow a signed subtraction.
    Put32(record + 20, static_cast<std::uint32_t>(rc.right) - static_cast<std::uint32_t>(rc.left));
    Put32(record + 24, static_cast<std::uint32_t>(rc.bottom) - static_cast<std::uint32_t>(rc.top));
    Put32(record + kRecordXOffset, static_cast<std::uint32_t>(rc.left));
    Put32(record + kRecordYOffset, static_cast<std::uint32_t>(rc.top));
    PutText(record + 36, 32, monitor.deviceName);
    PutText(record + 68, 16, monitor.identity.monitorName);
}

}  // namespace minfolib
