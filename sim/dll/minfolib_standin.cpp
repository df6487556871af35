// minfolib.dll for Wine: the simulated maker monitors, each reported at the
// position of the real display that carries its configured device name. The
// simulator's own rectangles only say which display is which; the desktop
// Wine shows may be laid out differently (or lack a display).
#include <windows.h>

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/maker_library.h"
#include "platform/minfolib/minfolib_api.h"
#include "sim/dll/desk_host.h"

namespace {

struct RealDisplay {
    std::string device;
    RECT rect;
};

BOOL CALLBACK CollectDisplay(HMONITOR display, HDC, LPRECT, LPARAM context) {
    auto& displays = *reinterpret_cast<std::vector<RealDisplay>*>(context);
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(display, &info)) {
        displays.push_back(
            RealDisplay{std::string(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice)),
                        info.rcMonitor});
    }
    return TRUE;
}

std::int32_t Read32(const std::uint8_t* at) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
        (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24));
}

void Write32(std::uint8_t* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    at[0] = static_cast<std::uint8_t>(bits);
    at[1] = static_cast<std::uint8_t>(bits >> 8);
    at[2] = static_cast<std::uint8_t>(bits >> 16);
    at[3] = static_cast<std::uint8_t>(bits >> 24);
}

using Record = std::vector<std::uint8_t>;

std::mutex scanLock;
std::vector<Record> lastScan;

// The simulator's records carry its configured positions; each is traced back to
// the simulated display at that position and moved to the real display of the
// same name. A simulated display the desktop does not have reports nothing.
std::vector<Record> Scan(sim::Desk& desk) {
    std::vector<RealDisplay> realDisplays;
    EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&realDisplays));

    std::vector<Record> records;
    std::int32_t count = 0;
    desk.QrxFindMonitors(&count, 1);
    for (std::int32_t index = 0; index < count; ++index) {
        Record record(platform::MakerLibrary::kRecordSize, 0);
        if (desk.QrxGetMonitorInfo(index, record.data(), 0) < 0) continue;
        const std::int32_t x = Read32(record.data() + platform::MakerLibrary::kRecordXOffset);
        const std::int32_t y = Read32(record.data() + platform::MakerLibrary::kRecordYOffset);

        std::string device;
        for (int display = 0; display < desk.DisplayCount() && device.empty(); ++display) {
            platform::DisplayInfo info;
            if (desk.GetMonitorInfo(desk.DisplayHandleOf(display), &info) &&
                info.rcMonitor.left == x && info.rcMonitor.top == y) {
                device = info.szDevice;
            }
        }
        for (const auto& real : realDisplays) {
            if (!device.empty() && _stricmp(real.device.c_str(), device.c_str()) == 0) {
                Write32(record.data() + platform::MakerLibrary::kRecordXOffset, real.rect.left);
                Write32(record.data() + platform::MakerLibrary::kRecordYOffset, real.rect.top);
                records.push_back(record);
                break;
            }
        }
    }
    return records;
}

}  // namespace

extern "C" int MINFOLIB_CALL QrxFindMonitors(std::int32_t* count, std::int32_t flags) {
    if (count == nullptr) return -1;
    *count = 0;
    sim::Desk* desk = sim_dll::DeskOrNull();
    if (desk == nullptr) return 0;
    try {
        std::lock_guard<std::mutex> guard(scanLock);
        static bool scanned = false;
        if ((flags & 1) != 0 || !scanned) {
            lastScan = Scan(*desk);
            scanned = true;
        }
        *count = static_cast<std::int32_t>(lastScan.size());
        return *count;
    } catch (...) {
        return -1;
    }
}

extern "C" int MINFOLIB_CALL QrxGetMonitorInfo(std::int32_t index, void* record, std::int32_t) {
    if (record == nullptr || index < 0) return -1;
    std::lock_guard<std::mutex> guard(scanLock);
    if (static_cast<std::size_t>(index) >= lastScan.size()) return -1;
    std::memcpy(record, lastScan[static_cast<std::size_t>(index)].data(),
                platform::MakerLibrary::kRecordSize);
    return 0;
}
