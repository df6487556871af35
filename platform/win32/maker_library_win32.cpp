#include "platform/win32/maker_library_win32.h"

#include "platform/minfolib/minfolib_api.h"

namespace platform {

int Win32MakerLibrary::QrxFindMonitors(std::int32_t* count, std::int32_t flags) {
    return ::QrxFindMonitors(count, flags);
}

int Win32MakerLibrary::QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record,
                                         std::int32_t flags) {
    return ::QrxGetMonitorInfo(index, record, flags);
}

}  // namespace platform
