#pragma once
// A DDC/CI API that behaves like one well-mannered maker monitor per handle,
// with scripted misbehaviour on top, and writes every call it receives to a
// trace shared with the test clock ("get E0", "set E1=10", "sleep 20"), so a
// test can assert traffic and waits in their exact interleaving.
//
// Registers below 0xE2 are standard codes; 0xE2 and above belong to the page
// last selected through 0xE1. Page 0x10 carries the four information blocks
// (length, offset, data window), which the fake serves from byte strings.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ddc_api.h"
#include "platform/desktop.h"
#include "platform/maker_library.h"
#include "platform/processes.h"
#include "support/virtual_clock.h"

namespace testing_support {

using Trace = std::vector<std::string>;

// The virtual clock, writing its waits into the trace as well.
class TracingClock : public VirtualClock {
public:
    explicit TracingClock(Trace& trace) : trace_(trace) {}
    void Sleep(std::uint32_t milliseconds) override;

private:
    Trace& trace_;
};

class ScriptedDdc : public platform::DdcApi {
public:
    explicit ScriptedDdc(Trace& trace) : trace_(trace) {}

    // ---- Displays and physical monitors ----
    // The physical monitors behind a display; a display without an entry has none.
    std::map<platform::DisplayHandle, std::vector<platform::PhysicalMonitor>> displays;
    // A count to report instead of the list's size (nonsense answers).
    std::map<platform::DisplayHandle, std::uint32_t> countOverride;
    std::map<platform::DisplayHandle, int> countResult;     // default 1
    std::map<platform::DisplayHandle, int> monitorsResult;  // default 1
    std::vector<platform::PhysicalMonitorHandle> destroyed;

    // ---- Capabilities ----
    std::map<platform::PhysicalMonitorHandle, std::string> capabilities;
    // Capability requests that fail before the first one succeeds.
    std::map<platform::PhysicalMonitorHandle, int> capabilityFailures;
    // A length to report instead of the text's size + 1.
    std::map<platform::PhysicalMonitorHandle, std::uint32_t> capabilityLength;
    // Reply without the terminating NUL, filling the whole buffer.
    bool unterminatedReply = false;

    // ---- Registers ----
    // Current and maximum of a register; (page 0, code) for standard codes.
    void SetRegister(std::uint16_t page, std::uint8_t code, std::uint32_t current,
                     std::uint32_t maximum = 0);
    std::uint32_t Register(std::uint16_t page, std::uint8_t code) const;
    // The next `count` reads of the register fail (the sleep still follows).
    void FailReads(std::uint16_t page, std::uint8_t code, int count);
    // Outcomes of the next reads of the register, one character each: 'x' fails,
    // anything else succeeds; reads after the pattern succeed.
    void ScriptReads(std::uint16_t page, std::uint8_t code, const std::string& pattern);
    // Every read of the register fails.
    void FailAllReads(std::uint16_t page, std::uint8_t code);
    // The next `count` writes of the register fail.
    void FailWrites(std::uint16_t page, std::uint8_t code, int count);
    // Outcomes of the next writes, as for ScriptReads.
    void ScriptWrites(std::uint16_t page, std::uint8_t code, const std::string& pattern);
    // Block b of page 0x10; `length` defaults to the data's size.
    void SetBlock(int block, const std::string& data, std::int64_t length = -1);
    std::uint16_t selectedPage = 0;

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

private:
    using Key = std::pair<std::uint16_t, std::uint8_t>;
    struct Reg {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        std::deque<bool> readFails;
        std::deque<bool> writeFails;
        bool alwaysFail = false;
    };
    struct Block {
        std::string data;
        std::uint32_t length = 0;
        std::uint32_t offset = 0;
    };
    Key KeyOf(std::uint8_t code) const;

    Trace& trace_;
    std::map<Key, Reg> registers_;
    std::map<int, Block> blocks_;
};

// Displays as user32 would report them.
class FakeDesktop : public platform::Desktop {
public:
    struct Display {
        platform::DisplayHandle handle = 0;
        platform::DisplayInfo info;
        bool infoFails = false;
    };
    std::vector<Display> displays;
    int enumResult = 1;

    // A display at (left, top) with the given device name, handle 0x100 + n.
    Display& Add(const std::string& device, std::int32_t left, std::int32_t top);

    int EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) override;
    int GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) override;
};

// The maker's library: a list of monitor positions, traced as "find" and "info n".
class FakeMakerLibrary : public platform::MakerLibrary {
public:
    explicit FakeMakerLibrary(Trace& trace) : trace_(trace) {}
    struct Position {
        std::int32_t x = 0;
        std::int32_t y = 0;
        int result = 0;
    };
    std::vector<Position> positions;
    // Calls of QrxFindMonitors that report 0 before the list shows.
    int emptyFinds = 0;
    // The flags argument of every call, in call order.
    std::vector<std::int32_t> findFlags;
    std::vector<std::int32_t> infoFlags;

    int QrxFindMonitors(std::int32_t* count, std::int32_t flags) override;
    int QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t flags) override;

private:
    Trace& trace_;
};

// A scripted process list.
class FakeProcesses : public platform::Processes {
public:
    std::uint32_t ownId = 0x1234;
    std::vector<platform::ProcessEntry> running;
    bool snapshotFails = false;
    int snapshots = 0;

    std::uint32_t OwnProcessId() override { return ownId; }
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override;
};

}  // namespace testing_support
