// minfolib.dll for real Windows machines: the maker's monitors are the ones whose
// EDID carries the maker's manufacturer id; each is reported at the desktop
// position of the display it is attached to.
#undef UNICODE
#undef _UNICODE
#include <windows.h>

#include <setupapi.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/minfolib/maker_record.h"
#include "platform/minfolib/minfolib_api.h"

namespace {

// GUID_DEVINTERFACE_MONITOR, spelled out so no header needs initguid tricks.
const GUID kMonitorInterface = {
    0xE6F07B5F, 0xEE97, 0x4A90, {0xB0, 0x76, 0x33, 0xF5, 0x7B, 0xF4, 0xEA, 0xA7}};

// EDIDs are 128 bytes per block and at most 256 blocks; anything larger is not an EDID.
constexpr DWORD kLargestEdid = 256 * 128;

std::mutex scanLock;
std::vector<minfolib::MakerMonitor> lastScan;

BOOL CALLBACK CollectDisplay(HMONITOR display, HDC, LPRECT, LPARAM context) {
    auto& displays =
        *reinterpret_cast<std::vector<std::pair<std::string, platform::Rect>>*>(context);
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(display, &info)) {
        const RECT& rc = info.rcMonitor;
        displays.emplace_back(
            std::string(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice)),
            platform::Rect{rc.left, rc.top, rc.right, rc.bottom});
    }
    return TRUE;
}

std::vector<std::uint8_t> ReadEdidValue(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, "EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_BINARY || size == 0 || size > kLargestEdid) return {};
    std::vector<std::uint8_t> edid(size);
    if (RegQueryValueExA(key, "EDID", nullptr, &type, edid.data(), &size) != ERROR_SUCCESS)
        return {};
    edid.resize(size < edid.size() ? size : edid.size());
    return edid;
}

// The EDID lives in the device key of the monitor's device node, which the
// monitor's device interface path leads to.
std::vector<std::uint8_t> ReadEdid(HDEVINFO devices, const char* interfacePath) {
    SP_DEVICE_INTERFACE_DATA interfaceData;
    std::memset(&interfaceData, 0, sizeof interfaceData);
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiOpenDeviceInterfaceA(devices, interfacePath, 0, &interfaceData)) return {};

    SP_DEVINFO_DATA deviceData;
    std::memset(&deviceData, 0, sizeof deviceData);
    deviceData.cbSize = sizeof deviceData;
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(devices, &interfaceData, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return {};
    std::vector<std::uint8_t> detailBuffer(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(devices, &interfaceData, detail, required, nullptr,
                                          &deviceData))
        return {};

    HKEY key = SetupDiOpenDevRegKey(devices, &deviceData, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE || key == nullptr) return {};
    std::vector<std::uint8_t> edid = ReadEdidValue(key);
    RegCloseKey(key);
    return edid;
}

std::vector<minfolib::DisplayCandidate> CollectCandidates() {
    std::vector<std::pair<std::string, platform::Rect>> displays;
    EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&displays));

    std::vector<minfolib::DisplayCandidate> candidates;
    HDEVINFO devices = SetupDiGetClassDevsA(&kMonitorInterface, nullptr, nullptr,
                                            DIGCF_DEVICEINTERFACE | DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return candidates;

    for (const auto& [deviceName, rect] : displays) {
        DISPLAY_DEVICEA monitor;
        for (DWORD index = 0;; ++index) {
            std::memset(&monitor, 0, sizeof monitor);
            monitor.cb = sizeof monitor;
            if (!EnumDisplayDevicesA(deviceName.c_str(), index, &monitor,
                                     EDD_GET_DEVICE_INTERFACE_NAME))
                break;
            if ((monitor.StateFlags & DISPLAY_DEVICE_ACTIVE) == 0) continue;
            const std::string path(monitor.DeviceID,
                                   strnlen(monitor.DeviceID, sizeof monitor.DeviceID));
            if (path.empty()) continue;
            candidates.push_back(
                minfolib::DisplayCandidate{deviceName, rect, ReadEdid(devices, path.c_str())});
        }
    }
    SetupDiDestroyDeviceInfoList(devices);
    return candidates;
}

}  // namespace

extern "C" int MINFOLIB_CALL QrxFindMonitors(std::int32_t* count, std::int32_t flags) {
    if (count == nullptr) return -1;
    try {
        std::lock_guard<std::mutex> guard(scanLock);
        static bool scanned = false;
        if ((flags & 1) != 0 || !scanned) {
            lastScan = minfolib::SelectMakerMonitors(CollectCandidates());
            scanned = true;
        }
        *count = static_cast<std::int32_t>(lastScan.size());
        return *count;
    } catch (...) {
        // Never let an exception cross into a caller that cannot know about it.
        *count = 0;
        return -1;
    }
}

extern "C" int MINFOLIB_CALL QrxGetMonitorInfo(std::int32_t index, void* record, std::int32_t) {
    if (record == nullptr || index < 0) return -1;
    std::lock_guard<std::mutex> guard(scanLock);
    if (static_cast<std::size_t>(index) >= lastScan.size()) return -1;
    minfolib::WriteRecord(lastScan[static_cast<std::size_t>(index)],
                          static_cast<std::uint8_t*>(record));
    return 0;
}
