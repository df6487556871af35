// Prints what monitor discovery finds on this desktop: the maker library's
// records, then every physical monitor with its label, order key, usable flag
// and capabilities. A quick look at a desk without starting the controller.
#include <cstdio>
#include <string>

#include "monitor/capabilities.h"
#include "monitor/monitor_list.h"
#include "platform/maker_library.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/ddc_api_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/maker_library_win32.h"
#include "platform/win32/processes_win32.h"

namespace {

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// "10 12 14(05 06 08)": codes in order, the values listed after a code that has
// particular values (a value of -1 stands for any value and is not shown).
template <typename Map, typename KeyText>
std::string DescribeFeatures(const Map& features, KeyText keyText) {
    std::string text;
    for (auto it = features.begin(); it != features.end();) {
        const auto key = it->first;
        std::string values;
        for (; it != features.end() && !(it->first < key) && !(key < it->first); ++it) {
            if (it->second < 0) continue;
            values += values.empty() ? "(" : " ";
            values += Hex(static_cast<unsigned>(it->second), 2);
        }
        if (!text.empty()) text += ' ';
        text += keyText(key);
        if (!values.empty()) text += values + ")";
    }
    return text.empty() ? "(none)" : text;
}

void PrintMakerLibrary(platform::MakerLibrary& maker) {
    std::int32_t count = 0;
    maker.QrxFindMonitors(&count, 1);
    std::printf("maker library: %d monitor(s)\n", static_cast<int>(count));
    for (std::int32_t index = 0; index < count; ++index) {
        std::uint8_t record[platform::MakerLibrary::kRecordSize] = {};
        const int result = maker.QrxGetMonitorInfo(index, record, 0);
        std::int32_t x = 0;
        std::int32_t y = 0;
        for (int b = 3; b >= 0; --b) {
            x = static_cast<std::int32_t>((static_cast<std::uint32_t>(x) << 8) |
                                          record[platform::MakerLibrary::kRecordXOffset + b]);
            y = static_cast<std::int32_t>((static_cast<std::uint32_t>(y) << 8) |
                                          record[platform::MakerLibrary::kRecordYOffset + b]);
        }
        if (result >= 0) {
            std::printf("  [%d] at %d,%d\n", static_cast<int>(index), static_cast<int>(x),
                        static_cast<int>(y));
        } else {
            std::printf("  [%d] no record (%d)\n", static_cast<int>(index), result);
        }
    }
}

void PrintEntry(std::size_t index, const MonitorEntry& entry) {
    const auto& rc = entry.displayInfo.rcMonitor;
    std::printf("entry %u: label %s, order key %d, %s\n", static_cast<unsigned>(index),
                entry.label.c_str(), static_cast<int>(entry.orderKey),
                entry.usable ? "usable" : "not usable");
    std::printf("  display %s at %d,%d-%d,%d%s\n", entry.displayInfo.szDevice.c_str(),
                static_cast<int>(rc.left), static_cast<int>(rc.top), static_cast<int>(rc.right),
                static_cast<int>(rc.bottom),
                (entry.displayInfo.dwFlags & 1u) != 0 ? " (primary)" : "");
    std::printf("  description: %s\n", entry.description.c_str());
    std::printf("  capabilities: %s\n",
                entry.capabilities.empty() ? "(none)" : entry.capabilities.c_str());
    std::printf(
        "  standard features: %s\n",
        DescribeFeatures(entry.features, [](std::uint8_t code) { return Hex(code, 2); }).c_str());
    std::printf("  extended capabilities: %s\n",
                entry.extendedCapabilities.empty() ? "(none)" : entry.extendedCapabilities.c_str());
    std::printf("  extended features: %s\n",
                DescribeFeatures(entry.extendedFeatures, [](const ExtendedFeatureKey& key) {
                    return Hex(key.page, 2) + ":" + Hex(key.code, 2);
                }).c_str());
}

}  // namespace

int main() {
    platform::Win32DdcApi ddc;
    platform::Win32Desktop desktop;
    platform::Win32MakerLibrary maker;
    platform::Win32Processes processes;
    platform::Win32Clock clock;
    bool lockHeld = false;

    PrintMakerLibrary(maker);

    MonitorList monitors(ddc, desktop, maker, processes, clock, lockHeld);
    const bool anyUsable = monitors.Discover();
    std::printf("discovery: %u entr%s, %d physical monitor(s), %s\n",
                static_cast<unsigned>(monitors.GetCount()), monitors.GetCount() == 1 ? "y" : "ies",
                static_cast<int>(monitors.PhysicalTotal()),
                anyUsable ? "at least one usable" : "none usable");
    for (std::size_t index = 0; index < monitors.GetCount(); ++index)
        PrintEntry(index, *monitors.GetEntry(index));
    std::fflush(stdout);
    return 0;
}
