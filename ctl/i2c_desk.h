#pragma once
// The displays of a machine without the Monitor Configuration API, reached over
// their DDC/CI I2C buses. It answers the same three ports as the Windows
// adapters do (desktop, DDC/CI calls, maker library), so discovery and the access
// layer build the same records here as there.
//
// Every display gets one physical monitor when it has a bus. Desktop positions
// do not exist here; each display gets a rectangle of its own so that the maker
// library's match by position finds exactly its monitor.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/ddc_api.h"
#include "platform/desktop.h"
#include "platform/i2c_bus.h"
#include "platform/maker_library.h"

struct I2cDisplay {
    std::string connector;           // "card0-DP-1"
    int bus = -1;                    // /dev/i2c-N; -1 when the connector has none
    std::vector<std::uint8_t> edid;  // as the kernel read it; may be empty
};

// Waits the DDC/CI standard asks of the host: between a request and the read
// of its reply, and after a message that has no reply.
inline constexpr std::uint32_t kVcpReplyWaitMs = 40;
inline constexpr std::uint32_t kCapabilitiesReplyWaitMs = 50;
inline constexpr std::uint32_t kSetVcpWaitMs = 50;
// A request the monitor did not acknowledge is sent again, this many times in
// all. A reply that comes back garbled, short or empty is read again, not asked
// for again: some registers (the information blocks' data window) move on with
// every request, so a second request would hand back the next word as if it
// were this one. Only capabilities fragments, which name their offset, are
// asked for again once their reads are spent.
inline constexpr int kMessageAttempts = 3;
inline constexpr int kReplyReads = 3;

class I2cDesk : public platform::DdcApi, public platform::Desktop, public platform::MakerLibrary {
public:
    I2cDesk(std::vector<I2cDisplay> displays, platform::I2cBuses& buses, platform::Clock& clock);
    ~I2cDesk() override;

    // platform::Desktop
    int EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) override;
    int GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) override;

    // platform::DdcApi
    int GetNumberOfPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display,
                                                std::uint32_t* count) override;
    int GetPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display, std::uint32_t count,
                                        platform::PhysicalMonitor* monitors) override;
    int GetCapabilitiesStringLength(platform::PhysicalMonitorHandle monitor,
                                    std::uint32_t* length) override;
    int CapabilitiesRequestAndCapabilitiesReply(platform::PhysicalMonitorHandle monitor,
                                                char* buffer, std::uint32_t length) override;
    int GetVCPFeatureAndVCPFeatureReply(platform::PhysicalMonitorHandle monitor, std::uint8_t code,
                                        std::uint32_t* type, std::uint32_t* current,
                                        std::uint32_t* maximum) override;
    int SetVCPFeature(platform::PhysicalMonitorHandle monitor, std::uint8_t code,
                      std::uint32_t value) override;
    void DestroyPhysicalMonitors(std::uint32_t count,
                                 const platform::PhysicalMonitor* monitors) override;

    // platform::MakerLibrary: the displays whose EDID carries the maker's id.
    int QrxFindMonitors(std::int32_t* count, std::int32_t flags) override;
    int QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t flags) override;

    const std::vector<I2cDisplay>& Displays() const { return m_displays; }
    // The display behind a display handle; null when unknown.
    const I2cDisplay* DisplayOf(platform::DisplayHandle display) const;
    // The first reason a bus could not be opened ("permission denied ..."),
    // empty when every bus opened.
    const std::string& OpenProblem() const { return m_openProblem; }

private:
    platform::I2cDevice* DeviceFor(platform::PhysicalMonitorHandle monitor);
    bool ReadCapabilities(platform::PhysicalMonitorHandle monitor, std::string* text);
    // One request and its reply, sent again on a garbled or missing reply.
    // `accept` tells a reply to this request from a stray one.
    bool Exchange(platform::I2cDevice& device, const std::vector<std::uint8_t>& request,
                  std::uint32_t waitMs, std::size_t replySize, bool askAgain,
                  const std::function<bool(const std::vector<std::uint8_t>&)>& accept);

    std::vector<I2cDisplay> m_displays;
    platform::I2cBuses& m_buses;
    platform::Clock& m_clock;
    std::map<int, std::unique_ptr<platform::I2cDevice>> m_devices;  // by display index
    std::map<int, std::string> m_capabilities;                      // by display index
    std::string m_openProblem;
};
