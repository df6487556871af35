#pragma once
// The maker's monitor-information library. Only the desktop position of each of
// the maker's monitors is read from its record.
#include <cstdint>

namespace platform {

class MakerLibrary {
public:
    static constexpr int kRecordSize = 668;
    static constexpr int kRecordXOffset = 28;
    static constexpr int kRecordYOffset = 32;

    virtual ~MakerLibrary() = default;
    // Stores the number of maker monitors in *count. The result is not relied on.
    virtual int QrxFindMonitors(std::int32_t* count, std::int32_t flags) = 0;
    // Fills a 668-byte record; a result >= 0 means the record is valid.
    virtual int QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t flags) = 0;
};

}  // namespace platform
