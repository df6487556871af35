#include "ctl/i2c_desk.h"

#include <cstring>

#include "ctl/ddc_wire.h"
#include "platform/minfolib/maker_record.h"

namespace {

constexpr platform::PhysicalMonitorHandle kFirstMonitorHandle = 0x100;
// Far enough apart that no two displays' rectangles touch.
constexpr std::int32_t kDisplaySpacing = 0x10000;
// A capabilities string longer than this is a monitor that never says "end".
constexpr std::size_t kMaxCapabilitiesLength = 0x4000;

int DisplayIndex(platform::DisplayHandle display, std::size_t count) {
    if (display == 0 || display > count) return -1;
    return static_cast<int>(display - 1);
}

platform::Rect RectOf(int index) {
    platform::Rect rect;
    rect.left = index * kDisplaySpacing;
    rect.top = 0;
    rect.right = rect.left + 1;
    rect.bottom = 1;
    return rect;
}

}  // namespace

I2cDesk::I2cDesk(std::vector<I2cDisplay> displays, platform::I2cBuses& buses,
                 platform::Clock& clock)
    : m_displays(std::move(displays)), m_buses(buses), m_clock(clock) {}

I2cDesk::~I2cDesk() = default;

const I2cDisplay* I2cDesk::DisplayOf(platform::DisplayHandle display) const {
    const int index = DisplayIndex(display, m_displays.size());
    return index < 0 ? nullptr : &m_displays[static_cast<std::size_t>(index)];
}

int I2cDesk::EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) {
    for (std::size_t i = 0; i < m_displays.size(); ++i) {
        if (!visit(static_cast<platform::DisplayHandle>(i + 1))) break;
    }
    return 1;
}

int I2cDesk::GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) {
    const int index = DisplayIndex(display, m_displays.size());
    if (index < 0 || info == nullptr) return 0;
    info->rcMonitor = RectOf(index);
    info->rcWork = info->rcMonitor;
    info->dwFlags = index == 0 ? 1u : 0u;
    // Numbered like Windows numbers its displays, so labels and order keys follow
    // the connectors' order.
    info->szDevice = "\\\\.\\DISPLAY" + std::to_string(index + 1);
    return 1;
}

int I2cDesk::GetNumberOfPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display,
                                                     std::uint32_t* count) {
    const I2cDisplay* shown = DisplayOf(display);
    if (shown == nullptr || count == nullptr) return 0;
    *count = shown->bus >= 0 ? 1 : 0;
    return 1;
}

int I2cDesk::GetPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display, std::uint32_t count,
                                             platform::PhysicalMonitor* monitors) {
    const int index = DisplayIndex(display, m_displays.size());
    if (index < 0 || monitors == nullptr || count != 1 ||
        m_displays[static_cast<std::size_t>(index)].bus < 0)
        return 0;
    monitors[0].handle = kFirstMonitorHandle + static_cast<platform::PhysicalMonitorHandle>(index);
    minfolib::EdidIdentity identity;
    const auto& edid = m_displays[static_cast<std::size_t>(index)].edid;
    monitors[0].description =
        minfolib::DecodeEdid(edid.data(), edid.size(), &identity) == minfolib::EdidStatus::Ok &&
                !identity.monitorName.empty()
            ? identity.monitorName
            : "Generic PnP Monitor";
    return 1;
}

void I2cDesk::DestroyPhysicalMonitors(std::uint32_t, const platform::PhysicalMonitor*) {
    // The buses stay open until the desk goes: discovery drops its handles on
    // every run, and opening a bus again costs nothing the monitor cares about.
}

platform::I2cDevice* I2cDesk::DeviceFor(platform::PhysicalMonitorHandle monitor) {
    if (monitor < kFirstMonitorHandle || monitor - kFirstMonitorHandle >= m_displays.size())
        return nullptr;
    const int index = static_cast<int>(monitor - kFirstMonitorHandle);
    const auto open = m_devices.find(index);
    if (open != m_devices.end()) return open->second.get();
    const I2cDisplay& display = m_displays[static_cast<std::size_t>(index)];
    if (display.bus < 0) return nullptr;
    std::string problem;
    std::unique_ptr<platform::I2cDevice> device =
        m_buses.Open(display.bus, ddcci::kMonitorAddress, &problem);
    if (!device) {
        if (m_openProblem.empty()) m_openProblem = problem;
        return nullptr;
    }
    return (m_devices[index] = std::move(device)).get();
}

bool I2cDesk::Exchange(platform::I2cDevice& device, const std::vector<std::uint8_t>& request,
                       std::uint32_t waitMs, std::size_t replySize, bool askAgain,
                       const std::function<bool(const std::vector<std::uint8_t>&)>& accept) {
    std::vector<std::uint8_t> reply(replySize);
    for (int attempt = 1; attempt <= kMessageAttempts; ++attempt) {
        const platform::I2cResult written = device.Write(request.data(), request.size());
        // The monitor needs the wait to prepare its reply, and after a failed
        // write before it listens again.
        m_clock.Sleep(waitMs);
        if (written != platform::I2cResult::Ok) continue;
        for (int read = 1; read <= kReplyReads; ++read) {
            if (read > 1) m_clock.Sleep(waitMs);
            std::size_t received = 0;
            if (device.Read(reply.data(), reply.size(), &received) != platform::I2cResult::Ok)
                continue;
            std::vector<std::uint8_t> payload;
            if (ddcci::DecodeReply(reply.data(), received, &payload) != ddcci::ReplyStatus::Ok)
                continue;
            if (accept(payload)) return true;
        }
        if (!askAgain) return false;
    }
    return false;
}

bool I2cDesk::ReadCapabilities(platform::PhysicalMonitorHandle monitor, std::string* text) {
    platform::I2cDevice* device = DeviceFor(monitor);
    if (device == nullptr) return false;
    std::string whole;
    while (whole.size() <= kMaxCapabilitiesLength) {
        const auto offset = static_cast<std::uint16_t>(whole.size());
        std::string fragment;
        const bool answered = Exchange(
            *device, ddcci::CapabilitiesRequest(offset), kCapabilitiesReplyWaitMs,
            ddcci::kCapabilitiesReplySize, true, [&](const std::vector<std::uint8_t>& payload) {
                return ddcci::ParseCapabilitiesReply(payload, offset, &fragment);
            });
        if (!answered) return false;
        // Some monitors end the string with its NUL instead of an empty fragment.
        const std::size_t nul = fragment.find('\0');
        if (nul != std::string::npos) {
            whole.append(fragment, 0, nul);
            break;
        }
        if (fragment.empty()) break;
        whole += fragment;
    }
    if (whole.size() > kMaxCapabilitiesLength) return false;
    *text = whole;
    return true;
}

int I2cDesk::GetCapabilitiesStringLength(platform::PhysicalMonitorHandle monitor,
                                         std::uint32_t* length) {
    if (length == nullptr) return 0;
    // The string is fetched here, as the Windows call does, and handed out by
    // the request that follows.
    std::string text;
    if (!ReadCapabilities(monitor, &text)) return 0;
    m_capabilities[static_cast<int>(monitor - kFirstMonitorHandle)] = text;
    *length = static_cast<std::uint32_t>(text.size() + 1);
    return 1;
}

int I2cDesk::CapabilitiesRequestAndCapabilitiesReply(platform::PhysicalMonitorHandle monitor,
                                                     char* buffer, std::uint32_t length) {
    if (buffer == nullptr || length == 0 || DeviceFor(monitor) == nullptr) return 0;
    const auto cached = m_capabilities.find(static_cast<int>(monitor - kFirstMonitorHandle));
    std::string text;
    if (cached != m_capabilities.end()) {
        text = cached->second;
        m_capabilities.erase(cached);
    } else if (!ReadCapabilities(monitor, &text)) {
        return 0;
    }
    const std::size_t copied = text.size() < length - 1 ? text.size() : length - 1;
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return 1;
}

int I2cDesk::GetVCPFeatureAndVCPFeatureReply(platform::PhysicalMonitorHandle monitor,
                                             std::uint8_t code, std::uint32_t* type,
                                             std::uint32_t* current, std::uint32_t* maximum) {
    platform::I2cDevice* device = DeviceFor(monitor);
    if (device == nullptr) return 0;
    ddcci::VcpReply reply;
    const bool answered =
        Exchange(*device, ddcci::GetVcpRequest(code), kVcpReplyWaitMs, ddcci::kVcpReplySize, false,
                 [&](const std::vector<std::uint8_t>& payload) {
                     return ddcci::ParseVcpReply(payload, code, &reply);
                 });
    if (!answered || !reply.supported) return 0;
    if (type != nullptr) *type = reply.type;
    if (current != nullptr) *current = reply.current;
    if (maximum != nullptr) *maximum = reply.maximum;
    return 1;
}

int I2cDesk::SetVCPFeature(platform::PhysicalMonitorHandle monitor, std::uint8_t code,
                           std::uint32_t value) {
    platform::I2cDevice* device = DeviceFor(monitor);
    if (device == nullptr || value > 0xFFFF) return 0;
    const std::vector<std::uint8_t> request =
        ddcci::SetVcpRequest(code, static_cast<std::uint16_t>(value));
    for (int attempt = 1; attempt <= kMessageAttempts; ++attempt) {
        const platform::I2cResult written = device->Write(request.data(), request.size());
        m_clock.Sleep(kSetVcpWaitMs);
        if (written == platform::I2cResult::Ok) return 1;
    }
    return 0;
}

int I2cDesk::QrxFindMonitors(std::int32_t* count, std::int32_t) {
    if (count == nullptr) return -1;
    std::int32_t found = 0;
    for (const I2cDisplay& display : m_displays) {
        minfolib::EdidIdentity identity;
        if (minfolib::DecodeEdid(display.edid.data(), display.edid.size(), &identity) ==
                minfolib::EdidStatus::Ok &&
            identity.manufacturerId == minfolib::kMakerManufacturerId)
            ++found;
    }
    *count = found;
    return found;
}

int I2cDesk::QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t) {
    if (record == nullptr || index < 0) return -1;
    std::vector<minfolib::DisplayCandidate> candidates;
    for (std::size_t i = 0; i < m_displays.size(); ++i) {
        minfolib::DisplayCandidate candidate;
        candidate.deviceName = "\\\\.\\DISPLAY" + std::to_string(i + 1);
        candidate.rcMonitor = RectOf(static_cast<int>(i));
        candidate.edid = m_displays[i].edid;
        candidates.push_back(std::move(candidate));
    }
    const std::vector<minfolib::MakerMonitor> makers = minfolib::SelectMakerMonitors(candidates);
    if (static_cast<std::size_t>(index) >= makers.size()) return -1;
    minfolib::WriteRecord(makers[static_cast<std::size_t>(index)], record);
    return 0;
}
