// EDIDs come from the registry as whatever a driver stored there; decoding them
// and building the maker record must stay inside their buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/minfolib/edid.h"
#include "platform/minfolib/maker_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    minfolib::EdidIdentity identity;
    minfolib::DecodeEdid(data, size, &identity);

    minfolib::DisplayCandidate candidate;
    candidate.deviceName = "\\\\.\\DISPLAY1";
    candidate.edid.assign(data, data + size);
    for (const auto& monitor : minfolib::SelectMakerMonitors({candidate})) {
        std::vector<std::uint8_t> record(minfolib::kRecordSize);
        minfolib::WriteRecord(monitor, record.data());
    }
    return 0;
}
