#include "ctl/linux/sysfs_displays.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// An EDID is 128 bytes per block and at most 256 blocks.
constexpr std::uintmax_t kMaxEdidSize = 128 * 256;

// "i2c-7" -> 7; -1 for anything else.
int BusNumber(const std::string& name) {
    if (name.rfind("i2c-", 0) != 0 || name.size() == 4 || name.size() > 10) return -1;
    int number = 0;
    for (std::size_t i = 4; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return -1;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

int ConnectorBus(const fs::path& connector) {
    std::error_code error;
    const fs::path ddc = connector / "ddc";
    if (fs::is_symlink(ddc, error)) {
        const int bus = BusNumber(fs::read_symlink(ddc, error).filename().string());
        if (bus >= 0) return bus;
    }
    // Some drivers give the connector its own adapter, shown as a folder.
    int found = -1;
    for (fs::directory_iterator it(connector, error), end; !error && it != end;
         it.increment(error)) {
        const int bus = BusNumber(it->path().filename().string());
        if (bus >= 0 && (found < 0 || bus < found)) found = bus;
    }
    return found;
}

}  // namespace

std::vector<I2cDisplay> ScanDrmConnectors(const std::string& drmRoot) {
    std::vector<fs::path> connectors;
    std::error_code error;
    for (fs::directory_iterator it(drmRoot, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // card0-DP-1 is a connector; card0 and renderD128 are devices.
        if (name.rfind("card", 0) == 0 && name.find('-') != std::string::npos)
            connectors.push_back(it->path());
    }
    std::sort(connectors.begin(), connectors.end());

    std::vector<I2cDisplay> displays;
    for (const fs::path& connector : connectors) {
        if (FirstLine(connector / "status") == "disconnected") continue;
        I2cDisplay display;
        display.connector = connector.filename().string();
        display.bus = ConnectorBus(connector);
        // Read to the end rather than by size: sysfs may report any size for a
        // file it makes up on reading.
        std::ifstream in(connector / "edid", std::ios::binary);
        char c;
        while (display.edid.size() < kMaxEdidSize && in.get(c))
            display.edid.push_back(static_cast<std::uint8_t>(c));
        error.clear();
        displays.push_back(std::move(display));
    }
    return displays;
}
