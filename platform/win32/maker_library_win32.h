#pragma once
// The maker's monitor-information library, called through the import table.
#include "platform/maker_library.h"

namespace platform {

class Win32MakerLibrary final : public MakerLibrary {
public:
    int QrxFindMonitors(std::int32_t* count, std::int32_t flags) override;
    int QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t flags) override;
};

}  // namespace platform
