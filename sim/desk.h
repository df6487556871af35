#pragma once
// A desk of simulated monitors: the displays as user32 reports them, the
// physical monitors behind them as the Monitor Configuration API reaches them,
// and the maker's monitor-information library. Native tests hand a Desk to the
// code under test for all three ports; the stand-in DLLs wrap one as well.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/ddc_api.h"
#include "platform/desktop.h"
#include "platform/maker_library.h"
#include "sim/desk_config.h"
#include "sim/register_key.h"
#include "sim/state_file.h"
#include "sim/transaction.h"

namespace sim {

class SimMonitor;

class Desk : public platform::DdcApi, public platform::MakerLibrary, public platform::Desktop {
public:
    // Loads the state file named in the configuration, when there is one.
    Desk(DeskConfig config, platform::Clock& clock);
    ~Desk() override;
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // platform::Desktop
    int EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) override;
    int GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) override;

    // platform::DdcApi. Every physical-monitor list hands out fresh handles, as
    // the real API does; DestroyPhysicalMonitors invalidates them.
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

    // platform::MakerLibrary: one record per display position that shows at
    // least one connected maker monitor.
    int QrxFindMonitors(std::int32_t* count, std::int32_t flags) override;
    int QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t flags) override;

    // Displays, in configuration order; handles are opaque and non-zero.
    int DisplayCount() const;
    platform::DisplayHandle DisplayHandleOf(int display) const;
    // "\\.\DISPLAY2" -> that display's handle (compared without regard to case); 0 when unknown.
    platform::DisplayHandle DisplayByDeviceName(std::string_view device) const;

    // Monitors, numbered across the desk: display by display, then in the
    // display's order.
    int MonitorCount() const;
    // The monitor as configured: its factory settings, capability texts and id.
    const MonitorConfig& ConfigOf(int monitor) const;
    // A handle that stays valid for the desk's lifetime, for tests that talk to
    // a monitor directly. 0 for a bad index.
    platform::PhysicalMonitorHandle HandleOf(int monitor) const;
    // Monitor behind any live handle; -1 when the handle is unknown or destroyed.
    int MonitorOfHandle(platform::PhysicalMonitorHandle handle) const;

    // Registers seen from outside, without DDC/CI traffic, settling or faults.
    // Page 0x10 reads give the blocks' length and offset registers.
    bool ReadRegister(int monitor, RegisterKey key, std::uint16_t* current,
                      std::uint16_t* maximum = nullptr) const;
    // Sets a stored value directly, past read-only flags and maximum values, so
    // a test can put a monitor in any state; persisted like any write. False
    // when the register does not exist. Page 0x10 takes only offsets.
    bool SetRegister(int monitor, RegisterKey key, std::uint16_t current);
    std::uint16_t SelectedPage(int monitor) const;
    // Values written to page 0xE0 codes 0xE4-0xE7 and not yet committed.
    bool PendingQuad(int monitor, std::uint16_t values[4]) const;

    // Fault injection while running (the configuration can set the same).
    void FailNext(int monitor, std::uint32_t commands);
    void SetFailRate(int monitor, double rate, std::uint32_t seed);
    void FailReadsOf(int monitor, FailingRead read);
    void DropBlockRead(int monitor, BlockDrop drop);
    void SetConnected(int monitor, bool connected);
    void ClearFaults(int monitor);

    // Display changes: a display unplugged (gone from the desktop with its
    // monitors) or moved to another place on the desktop.
    void SetDisplayAttached(int display, bool attached);
    void SetDisplayRect(int display, const platform::Rect& rect);

    void SetSettleEnforcement(bool on);
    void SetSettleTolerance(std::uint32_t milliseconds);
    void SetLatency(Latency latency);

    std::vector<Transaction> Log() const;
    // Outcome of the last command any monitor received; Ok before the first.
    Outcome LastOutcome() const;
    void ClearLog();
    // Also appends every transaction, one Describe() line each, to a text file
    // that a test outside the process can read. An empty path stops it.
    void SetTrafficLog(const std::string& path);
    // Commands rejected because they arrived inside a settling time.
    std::size_t SettleViolations() const;

    // Writes every monitor's registers to the state file (done after every
    // successful write by itself). False, with a reason, when it could not.
    bool SaveState(std::string* error = nullptr);
    // Why the state file given at construction was not used, if it was not.
    std::string StateLoadProblem() const;

private:
    struct Display {
        platform::DisplayHandle handle = 0;
        int config = 0;             // index into the configuration's displays
        std::vector<int> monitors;  // desk-wide monitor indices
        bool attached = true;
    };
    struct Handle {
        platform::PhysicalMonitorHandle value = 0;
        int monitor = -1;
        bool fixed = false;  // handed to tests by HandleOf; never destroyed
    };

    SimMonitor* MonitorFor(platform::PhysicalMonitorHandle handle, int* index) const;
    SimMonitor* MonitorAt(int index) const;
    const Display* DisplayFor(platform::DisplayHandle handle) const;
    // Opens a transaction: finds the monitor and checks that it answers and
    // has settled. Returns null when the command goes no further.
    SimMonitor* Begin(platform::PhysicalMonitorHandle handle, Transaction* transaction);
    // Closes it: the next command's earliest tick, then the log.
    void Finish(SimMonitor& monitor, Transaction& transaction, std::uint32_t settleMs);
    void ApplyLatency(TransactionKind kind, std::size_t bytes);
    void Record(const Transaction& transaction);
    void LoadStateLocked();
    bool SaveStateLocked(std::string* error);
    // Takes in what another process wrote to the state file since we last
    // read or wrote it, so a test can change a monitor while a program runs.
    void RefreshFromStateFileLocked();

    mutable std::recursive_mutex mutex_;
    platform::Clock& clock_;
    DeskConfig config_;
    std::vector<Display> displays_;
    std::vector<std::unique_ptr<SimMonitor>> monitors_;
    std::vector<Handle> handles_;
    platform::PhysicalMonitorHandle nextHandle_ = 0;
    std::vector<Transaction> log_;
    std::string trafficLogPath_;
    std::size_t settleViolations_ = 0;
    std::string stateProblem_;
    StateStamp stateStamp_;
};

// Loads a configuration file and builds its desk, with its state file beside it.
// Null, with a reason, when the configuration is unusable.
std::unique_ptr<Desk> LoadDesk(const std::string& configPath, platform::Clock& clock,
                               std::string* error);

}  // namespace sim
