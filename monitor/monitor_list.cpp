#include "monitor/monitor_list.h"

#include <cstring>
#include <utility>

#include "monitor/vcp.h"

namespace {

// Attempts and waits of the identification steps. Monitors that have just been
// connected, or that wake from standby, take a few seconds before the maker's
// library lists them and before they answer the capabilities request.
constexpr int kMatchAttempts = 5;
constexpr int kCapabilitiesAttempts = 50;
constexpr std::uint32_t kIdentifyRetryMs = 200;

// Plausibility limits for counts and lengths that come from the system or the
// monitor: anything beyond them is nonsense and is treated as a failure rather
// than allocated or walked.
constexpr std::uint32_t kMaxPhysicalPerDisplay = 256;
constexpr std::int32_t kMaxMakerMonitors = 256;
constexpr std::uint32_t kMaxCapabilitiesLength = 0xFFFF;
// Block 0 can never be longer than its 16-bit length register says.
constexpr std::size_t kExtendedCapabilitiesBufferSize = 65535;
// More digits than this cannot be a real display number and would overflow the
// order key.
constexpr std::size_t kMaxDisplayNumberDigits = 7;

// The number after "DISPLAY" in a device name such as "\\.\DISPLAY3"; -1 when
// the name has none.
std::int32_t DisplayNumberOf(const std::string& device) {
    static const std::string kDisplay = "DISPLAY";
    const std::size_t at = device.find(kDisplay);
    if (at == std::string::npos) return -1;
    std::size_t digit = at + kDisplay.size();
    std::int32_t number = 0;
    std::size_t digits = 0;
    while (digit < device.size() && device[digit] >= '0' && device[digit] <= '9') {
        if (++digits > kMaxDisplayNumberDigits) return -1;
        number = number * 10 + (device[digit] - '0');
        ++digit;
    }
    return digits == 0 ? -1 : number;
}

std::int32_t ReadInt32At(const std::uint8_t* record, int offset) {
    // The library's records are little-endian, like every machine it runs on.
    const std::uint32_t value = static_cast<std::uint32_t>(record[offset]) |
                                (static_cast<std::uint32_t>(record[offset + 1]) << 8) |
                                (static_cast<std::uint32_t>(record[offset + 2]) << 16) |
                                (static_cast<std::uint32_t>(record[offset + 3]) << 24);
    std::int32_t result = 0;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

// Texts from the monitor are NUL-terminated when sane; a reply that fills its
// buffer without a terminator is cut at the buffer's end.
std::string TextOf(const char* data, std::size_t size) {
    const void* nul = std::memchr(data, '\0', size);
    return std::string(data, nul ? static_cast<const char*>(nul) - data : size);
}

}  // namespace

MonitorList::MonitorList(platform::DdcApi& ddc, platform::Desktop& desktop,
                         platform::MakerLibrary& maker, platform::Processes& processes,
                         platform::Clock& clock, bool& lockHeld)
    : m_ddc(ddc),
      m_desktop(desktop),
      m_maker(maker),
      m_processes(processes),
      m_clock(clock),
      m_lockHeld(lockHeld) {}

MonitorList::~MonitorList() {
    ReleasePhysicalMonitors();
}

void MonitorList::ReleasePhysicalMonitors() {
    // Our id must not stay behind in a monitor we can no longer reach.
    ReleaseStillClaimed();
    // Windows keeps a physical monitor handle open until it is destroyed; a
    // program that rebuilds its list on every display change would otherwise
    // pile them up.
    for (const MonitorEntry& entry : m_entries) {
        platform::PhysicalMonitor monitor;
        monitor.handle = entry.physicalHandle;
        monitor.description = entry.description;
        m_ddc.DestroyPhysicalMonitors(1, &monitor);
    }
}

const MonitorEntry* MonitorList::GetEntry(std::size_t index) const {
    return index < m_entries.size() ? &m_entries[index] : nullptr;
}

bool MonitorList::Discover() {
    if (!Enumerate()) return false;
    bool anyUsable = false;
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        if (Identify(index)) anyUsable = true;
    }
    return anyUsable;
}

bool MonitorList::Enumerate() {
    ReleasePhysicalMonitors();
    m_physicalTotal = 0;
    m_entries.clear();
    m_numbering.clear();

    const int enumerated = m_desktop.EnumDisplayMonitors([this](platform::DisplayHandle display) {
        AddDisplay(display);
        return true;
    });
    AssignLabels();
    return enumerated == 1;
}

bool MonitorList::Identify(std::size_t index) {
    if (index >= m_entries.size()) return false;
    MonitorEntry& entry = m_entries[index];
    if (entry.usable) return true;
    if (!MatchMakerMonitor(index, true)) return false;
    if (!RequestCapabilities(index, true)) return false;
    if (!ParseCapabilities(entry.capabilities, entry.features)) return false;
    if (!HasControlRegisters(index)) return false;
    if (!ReadExtendedCapabilities(index) || entry.extendedCapabilities.empty()) return false;
    if (!ParseExtendedCapabilities(entry.extendedCapabilities, entry.extendedFeatures))
        return false;
    entry.usable = 1;
    return true;
}

bool MonitorList::IdentifyFrom(std::size_t index, const std::string& capabilities,
                               const std::string& extendedCapabilities) {
    if (index >= m_entries.size()) return false;
    MonitorEntry& entry = m_entries[index];
    if (entry.usable) return true;
    if (!MatchMakerMonitor(index, false)) return false;
    FeatureMap features;
    ExtendedFeatureMap extendedFeatures;
    if (!ParseCapabilities(capabilities, features)) return false;
    if (!HasFeature(features, vcp::kOwnerCode, -1) ||
        !HasFeature(features, vcp::kPageSelectCode, -1))
        return false;
    if (extendedCapabilities.empty() ||
        !ParseExtendedCapabilities(extendedCapabilities, extendedFeatures))
        return false;
    entry.capabilities = capabilities;
    entry.features = std::move(features);
    entry.extendedCapabilities = extendedCapabilities;
    entry.extendedFeatures = std::move(extendedFeatures);
    entry.usable = 1;
    return true;
}

bool MonitorList::SetCapabilities(std::size_t index, const std::string& capabilities) {
    if (index >= m_entries.size() || capabilities.size() > kMaxCapabilitiesLength) return false;
    m_entries[index].capabilities = capabilities;
    return true;
}

void MonitorList::AddDisplay(platform::DisplayHandle display) {
    if (display == 0) return;
    platform::DisplayInfo info;
    if (m_desktop.GetMonitorInfo(display, &info) != 1) return;
    std::uint32_t count = 0;
    if (m_ddc.GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count) != 1) return;
    if (count == 0 || count > kMaxPhysicalPerDisplay) return;
    std::vector<platform::PhysicalMonitor> monitors(count);
    if (m_ddc.GetPhysicalMonitorsFromHMONITOR(display, count, monitors.data()) != 1) return;

    const std::int32_t number = DisplayNumberOf(info.szDevice);
    for (std::uint32_t i = 0; i < count; ++i) {
        MonitorEntry entry;
        entry.displayHandle = display;
        entry.displayInfo = info;
        entry.physicalHandle = monitors[i].handle;
        entry.description = monitors[i].description;
        m_entries.push_back(std::move(entry));
        Numbering numbering;
        numbering.displayNumber = number;
        numbering.subIndex = count > 1 ? static_cast<std::int32_t>(i + 1) : 0;
        m_numbering.push_back(numbering);
    }
    m_physicalTotal += static_cast<std::int32_t>(count);
}

void MonitorList::AssignLabels() {
    // A device name without a display number (not seen from Windows itself, but
    // drivers name devices as they like) gets the next number above every real
    // one, so that labels and order keys stay unique and such displays sort last.
    std::int32_t highest = 0;
    for (const Numbering& numbering : m_numbering) {
        if (numbering.displayNumber > highest) highest = numbering.displayNumber;
    }
    std::int32_t next = highest + 1;
    std::int32_t current = 0;
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        const Numbering& numbering = m_numbering[index];
        std::int32_t number = numbering.displayNumber;
        if (number < 0) {
            // The physical monitors of one display are consecutive entries and
            // share the display's number.
            if (numbering.subIndex <= 1) current = next++;
            number = current;
        }
        MonitorEntry& entry = m_entries[index];
        entry.orderKey = number * 10 + numbering.subIndex;
        entry.label = std::to_string(number);
        if (numbering.subIndex > 0) entry.label += "-" + std::to_string(numbering.subIndex);
    }
}

bool MonitorList::MatchMakerMonitor(std::size_t index, bool retry) {
    if (index >= m_entries.size()) return false;
    const int attempts = retry ? kMatchAttempts : 1;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        std::int32_t count = 0;
        m_maker.QrxFindMonitors(&count, 1);
        if (count > 0) return TryMatchMakerMonitor(m_entries[index], count);
        if (retry) m_clock.Sleep(kIdentifyRetryMs);
    }
    return false;
}

bool MonitorList::TryMatchMakerMonitor(const MonitorEntry& entry, std::int32_t count) {
    // A larger count is capped, not refused: the library's first 256 records are
    // still worth matching, and no desktop has more displays than that.
    if (count > kMaxMakerMonitors) count = kMaxMakerMonitors;
    for (std::int32_t libraryIndex = 0; libraryIndex < count; ++libraryIndex) {
        std::uint8_t record[platform::MakerLibrary::kRecordSize] = {};
        if (m_maker.QrxGetMonitorInfo(libraryIndex, record, 0) < 0) continue;
        const std::int32_t x = ReadInt32At(record, platform::MakerLibrary::kRecordXOffset);
        const std::int32_t y = ReadInt32At(record, platform::MakerLibrary::kRecordYOffset);
        if (x == entry.displayInfo.rcMonitor.left && y == entry.displayInfo.rcMonitor.top)
            return true;
    }
    return false;
}

bool MonitorList::RequestCapabilities(std::size_t index, bool retry) {
    if (index >= m_entries.size()) return false;
    MonitorEntry& entry = m_entries[index];
    const int attempts = retry ? kCapabilitiesAttempts : 1;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        std::uint32_t length = 0;
        if (m_ddc.GetCapabilitiesStringLength(entry.physicalHandle, &length) == 1 &&
            length <= kMaxCapabilitiesLength) {
            // One byte more than asked for keeps a reply without its terminator
            // from running off the end.
            std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
            if (m_ddc.CapabilitiesRequestAndCapabilitiesReply(entry.physicalHandle, buffer.data(),
                                                              length) == 1) {
                entry.capabilities = TextOf(buffer.data(), length);
                return true;
            }
        }
        if (retry) m_clock.Sleep(kIdentifyRetryMs);
    }
    return false;
}

bool MonitorList::HasControlRegisters(std::size_t index) const {
    if (index >= m_entries.size()) return false;
    const FeatureMap& features = m_entries[index].features;
    return HasFeature(features, vcp::kOwnerCode, -1) &&
           HasFeature(features, vcp::kPageSelectCode, -1);
}

bool MonitorList::ReadExtendedCapabilities(std::size_t index) {
    if (index >= m_entries.size()) return false;
    MonitorEntry& entry = m_entries[index];
    CMonitorStatus probe;
    probe.m_phPhysicalMonitor = &entry.physicalHandle;

    // The block is read before the monitor's maker registers are known, so it
    // cannot go through AcquireMonitor's owner claim; the flag only has to let
    // ReadBlock use page 0x10.
    m_lockHeld = true;
    std::vector<std::uint8_t> buffer(kExtendedCapabilitiesBufferSize, 0);
    std::size_t length = 0;
    const bool read = ReadBlock(&probe, 0, buffer.data(), buffer.size(), false, &length);
    m_lockHeld = false;
    if (!read) return false;
    entry.extendedCapabilities = TextOf(reinterpret_cast<const char*>(buffer.data()), length);
    return true;
}
