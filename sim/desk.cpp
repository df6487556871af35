#include "sim/desk.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include <nlohmann/json.hpp>

#include "sim/settle_times.h"
#include "sim/sim_monitor.h"
#include "sim/state_file.h"

namespace sim {
namespace {

// Opaque handle ranges, far apart so a display handle passed where a physical
// monitor handle belongs (or the reverse) is caught.
constexpr platform::DisplayHandle kFirstDisplayHandle = 0x00010001;
constexpr platform::PhysicalMonitorHandle kFirstPhysicalHandle = 0x00C00004;

// Rough I2C timings at 100 kHz: a Get VCP Feature reply comes 40 ms after its
// request, a capabilities string arrives in 32-byte fragments 50 ms apart.
constexpr std::uint32_t kGetLatencyMs = 40;
constexpr std::uint32_t kSetLatencyMs = 2;
constexpr std::uint32_t kCapsFragmentMs = 50;
constexpr std::size_t kCapsFragmentBytes = 32;

constexpr std::uint32_t kPrimaryFlag = 1;  // MONITORINFOF_PRIMARY

bool SameDeviceName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void PutInt32(std::uint8_t* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void PutText(std::uint8_t* at, std::size_t room, const std::string& text) {
    std::memcpy(at, text.data(), std::min(room - 1, text.size()));
}

// The default key of a monitor in the state file: "DISPLAY2-1".
std::string DefaultId(const std::string& device, std::size_t index) {
    const auto slash = device.find_last_of('\\');
    const std::string base = slash == std::string::npos ? device : device.substr(slash + 1);
    return base + "-" + std::to_string(index + 1);
}

}  // namespace

Desk::Desk(DeskConfig config, platform::Clock& clock) : clock_(clock), config_(std::move(config)) {
    std::vector<std::string> ids;
    for (std::size_t d = 0; d < config_.displays.size(); ++d) {
        auto& displayConfig = config_.displays[d];
        Display display;
        display.handle = kFirstDisplayHandle + d * 0x10;
        display.config = static_cast<int>(d);
        for (std::size_t m = 0; m < displayConfig.monitors.size(); ++m) {
            auto& monitorConfig = displayConfig.monitors[m];
            if (monitorConfig.id.empty()) monitorConfig.id = DefaultId(displayConfig.device, m);
            // The state file needs one key per monitor.
            std::string id = monitorConfig.id;
            for (int n = 2; std::find(ids.begin(), ids.end(), id) != ids.end(); ++n)
                id = monitorConfig.id + "#" + std::to_string(n);
            monitorConfig.id = id;
            ids.push_back(id);
            display.monitors.push_back(static_cast<int>(monitors_.size()));
            monitors_.push_back(std::make_unique<SimMonitor>(monitorConfig));
        }
        displays_.push_back(display);
    }
    nextHandle_ = kFirstPhysicalHandle;
    for (std::size_t i = 0; i < monitors_.size(); ++i) {
        handles_.push_back(Handle{nextHandle_, static_cast<int>(i), true});
        nextHandle_ += 4;
    }
    LoadStateLocked();
}

Desk::~Desk() = default;

// ---- lookups ----

SimMonitor* Desk::MonitorAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= monitors_.size()) return nullptr;
    return monitors_[static_cast<std::size_t>(index)].get();
}

SimMonitor* Desk::MonitorFor(platform::PhysicalMonitorHandle handle, int* index) const {
    *index = -1;
    if (handle == 0) return nullptr;
    for (const auto& entry : handles_) {
        if (entry.value == handle) {
            *index = entry.monitor;
            return MonitorAt(entry.monitor);
        }
    }
    return nullptr;
}

const Desk::Display* Desk::DisplayFor(platform::DisplayHandle handle) const {
    for (const auto& display : displays_)
        if (display.handle == handle && handle != 0 && display.attached) return &display;
    return nullptr;
}

int Desk::DisplayCount() const {
    return static_cast<int>(displays_.size());
}

platform::DisplayHandle Desk::DisplayHandleOf(int display) const {
    if (display < 0 || static_cast<std::size_t>(display) >= displays_.size()) return 0;
    return displays_[static_cast<std::size_t>(display)].handle;
}

platform::DisplayHandle Desk::DisplayByDeviceName(std::string_view device) const {
    for (const auto& display : displays_)
        if (SameDeviceName(config_.displays[static_cast<std::size_t>(display.config)].device,
                           device))
            return display.handle;
    return 0;
}

int Desk::MonitorCount() const {
    return static_cast<int>(monitors_.size());
}

const MonitorConfig& Desk::ConfigOf(int monitor) const {
    static const MonitorConfig none;
    const SimMonitor* found = MonitorAt(monitor);
    return found ? found->config() : none;
}

platform::PhysicalMonitorHandle Desk::HandleOf(int monitor) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    for (const auto& entry : handles_)
        if (entry.fixed && entry.monitor == monitor) return entry.value;
    return 0;
}

int Desk::MonitorOfHandle(platform::PhysicalMonitorHandle handle) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    int index = -1;
    MonitorFor(handle, &index);
    return index;
}

// ---- platform::Desktop ----

int Desk::EnumDisplayMonitors(const std::function<bool(platform::DisplayHandle)>& visit) {
    std::vector<platform::DisplayHandle> handles;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        for (const auto& display : displays_)
            if (display.attached) handles.push_back(display.handle);
    }
    // The visitor may call back into the desk; no lock is held while it runs.
    for (auto handle : handles)
        if (!visit(handle)) break;
    return 1;
}

int Desk::GetMonitorInfo(platform::DisplayHandle display, platform::DisplayInfo* info) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Display* found = DisplayFor(display);
    if (found == nullptr || info == nullptr) return 0;
    const auto& config = config_.displays[static_cast<std::size_t>(found->config)];
    info->rcMonitor = config.rect;
    info->rcWork = config.work;
    info->dwFlags = config.primary ? kPrimaryFlag : 0;
    info->szDevice = config.device;
    return 1;
}

// ---- platform::DdcApi: physical monitors ----

int Desk::GetNumberOfPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display,
                                                  std::uint32_t* count) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Display* found = DisplayFor(display);
    if (found == nullptr || count == nullptr) return 0;
    *count = static_cast<std::uint32_t>(found->monitors.size());
    return 1;
}

int Desk::GetPhysicalMonitorsFromHMONITOR(platform::DisplayHandle display, std::uint32_t count,
                                          platform::PhysicalMonitor* monitors) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const Display* found = DisplayFor(display);
    if (found == nullptr || monitors == nullptr || count < found->monitors.size()) return 0;
    for (std::size_t i = 0; i < found->monitors.size(); ++i) {
        const int index = found->monitors[i];
        handles_.push_back(Handle{nextHandle_, index, false});
        monitors[i].handle = nextHandle_;
        monitors[i].description = MonitorAt(index)->config().description;
        nextHandle_ += 4;
    }
    return 1;
}

void Desk::DestroyPhysicalMonitors(std::uint32_t count, const platform::PhysicalMonitor* monitors) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (monitors == nullptr) return;
    for (std::uint32_t i = 0; i < count; ++i) {
        handles_.erase(std::remove_if(handles_.begin(), handles_.end(),
                                      [&](const Handle& h) {
                                          return !h.fixed && h.value == monitors[i].handle;
                                      }),
                       handles_.end());
    }
}

// ---- platform::DdcApi: commands ----

SimMonitor* Desk::Begin(platform::PhysicalMonitorHandle handle, Transaction* t) {
    RefreshFromStateFileLocked();
    t->time = clock_.TickCount();
    SimMonitor* monitor = MonitorFor(handle, &t->monitor);
    if (monitor == nullptr) {
        t->result = Outcome::BadHandle;
        Record(*t);
        return nullptr;
    }
    t->page = monitor->page();
    if (monitor->faults().disconnected) {
        t->result = Outcome::Disconnected;
        Record(*t);
        return nullptr;
    }
    if (config_.enforceSettle && monitor->settling) {
        const auto early =
            static_cast<std::int32_t>(t->time + config_.settleToleranceMs - monitor->readyAt);
        if (early < 0) {
            // A monitor still busy with the previous command does not acknowledge
            // this one; the host sees a failed transfer.
            ++settleViolations_;
            t->result = Outcome::TooEarly;
            Record(*t);
            return nullptr;
        }
    }
    return monitor;
}

void Desk::Finish(SimMonitor& monitor, Transaction& t, std::uint32_t settleMs) {
    monitor.settling = settleMs > 0;
    monitor.readyAt = clock_.TickCount() + settleMs;
    Record(t);
}

Outcome Desk::LastOutcome() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return log_.empty() ? Outcome::Ok : log_.back().result;
}

void Desk::Record(const Transaction& transaction) {
    log_.push_back(transaction);
    if (trafficLogPath_.empty()) return;
    std::ofstream file(trafficLogPath_, std::ios::app);
    file << Describe(transaction) << '\n';
}

void Desk::ApplyLatency(TransactionKind kind, std::size_t bytes) {
    if (config_.latency != Latency::DdcCi) return;
    switch (kind) {
        case TransactionKind::Get:
            clock_.Sleep(kGetLatencyMs);
            break;
        case TransactionKind::Set:
            clock_.Sleep(kSetLatencyMs);
            break;
        default: {
            const std::size_t fragments = (bytes + kCapsFragmentBytes - 1) / kCapsFragmentBytes;
            clock_.Sleep(
                static_cast<std::uint32_t>(std::max<std::size_t>(fragments, 1) * kCapsFragmentMs));
            break;
        }
    }
}

int Desk::GetCapabilitiesStringLength(platform::PhysicalMonitorHandle handle,
                                      std::uint32_t* length) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Transaction t;
    t.kind = TransactionKind::CapsLength;
    SimMonitor* monitor = Begin(handle, &t);
    if (monitor == nullptr) return 0;
    const std::string& caps = monitor->config().capabilities;
    ApplyLatency(t.kind, caps.size() + 1);
    if (length == nullptr)
        t.result = Outcome::Refused;
    else if (monitor->DrawFault(t.kind, RegisterKey{}))
        t.result = Outcome::Fault;
    else if (caps.empty())
        t.result = Outcome::Unsupported;
    else {
        *length = static_cast<std::uint32_t>(caps.size() + 1);
        t.value = *length;
    }
    Finish(*monitor, t, 0);
    return t.ok() ? 1 : 0;
}

int Desk::CapabilitiesRequestAndCapabilitiesReply(platform::PhysicalMonitorHandle handle,
                                                  char* buffer, std::uint32_t length) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Transaction t;
    t.kind = TransactionKind::CapsRequest;
    t.value = length;
    SimMonitor* monitor = Begin(handle, &t);
    if (monitor == nullptr) return 0;
    const std::string& caps = monitor->config().capabilities;
    ApplyLatency(t.kind, caps.size() + 1);
    if (buffer == nullptr || length < caps.size() + 1)
        t.result = Outcome::Refused;
    else if (monitor->DrawFault(t.kind, RegisterKey{}))
        t.result = Outcome::Fault;
    else if (caps.empty())
        t.result = Outcome::Unsupported;
    else {
        std::memcpy(buffer, caps.c_str(), caps.size() + 1);
    }
    Finish(*monitor, t, 0);
    return t.ok() ? 1 : 0;
}

int Desk::GetVCPFeatureAndVCPFeatureReply(platform::PhysicalMonitorHandle handle, std::uint8_t code,
                                          std::uint32_t* type, std::uint32_t* current,
                                          std::uint32_t* maximum) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Transaction t;
    t.kind = TransactionKind::Get;
    t.code = code;
    SimMonitor* monitor = Begin(handle, &t);
    if (monitor == nullptr) return 0;
    ApplyLatency(t.kind, 0);
    if (monitor->DrawFault(t.kind, monitor->Resolve(code))) {
        t.result = Outcome::Fault;
    } else {
        std::uint16_t value = 0;
        std::uint16_t limit = 0;
        std::uint32_t kind = 0;
        t.result = monitor->Get(code, &value, &limit, &kind);
        if (t.ok()) {
            t.value = value;
            t.maximum = limit;
            if (type) *type = kind;
            if (current) *current = value;
            if (maximum) *maximum = limit;
        }
    }
    Finish(*monitor, t, kSettleAfterRead);
    return t.ok() ? 1 : 0;
}

int Desk::SetVCPFeature(platform::PhysicalMonitorHandle handle, std::uint8_t code,
                        std::uint32_t value) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Transaction t;
    t.kind = TransactionKind::Set;
    t.code = code;
    t.value = value;
    SimMonitor* monitor = Begin(handle, &t);
    if (monitor == nullptr) return 0;
    ApplyLatency(t.kind, 0);
    // The settling time belongs to the register the write reached.
    const RegisterKey target = monitor->Resolve(code);
    if (monitor->DrawFault(t.kind, target))
        t.result = Outcome::Fault;
    else
        t.result = monitor->Set(code, value);
    Finish(*monitor, t, SettleAfterWrite(target));
    if (t.ok() && !config_.statePath.empty()) SaveStateLocked(nullptr);
    return t.ok() ? 1 : 0;
}

// ---- platform::MakerLibrary ----

int Desk::QrxFindMonitors(std::int32_t* count, std::int32_t /*flags*/) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::int32_t found = 0;
    for (const auto& display : displays_) {
        if (!display.attached) continue;
        for (int index : display.monitors) {
            SimMonitor* monitor = MonitorAt(index);
            if (monitor->config().maker && !monitor->faults().disconnected) {
                ++found;
                break;
            }
        }
    }
    if (count) *count = found;
    return found;
}

int Desk::QrxGetMonitorInfo(std::int32_t index, std::uint8_t* record, std::int32_t /*flags*/) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (record == nullptr || index < 0) return -1;
    std::int32_t seen = 0;
    for (const auto& display : displays_) {
        if (!display.attached) continue;
        const SimMonitor* first = nullptr;
        for (int m : display.monitors) {
            SimMonitor* monitor = MonitorAt(m);
            if (monitor->config().maker && !monitor->faults().disconnected) {
                first = monitor;
                break;
            }
        }
        if (first == nullptr) continue;
        if (seen++ != index) continue;
        const auto& config = config_.displays[static_cast<std::size_t>(display.config)];
        // The record as the maker library of real machines lays it out (its
        // first version): the EDID identity the monitor would carry, which the
        // simulator makes up from the model name and the serial number.
        std::memset(record, 0, kRecordSize);
        PutInt32(record + 0, kRecordSize);
        PutInt32(record + 4, 1);
        PutText(record + 8, 4, "ORX");
        std::uint32_t product = 0;
        for (const char c : first->config().model)
            product = product * 31 + static_cast<unsigned char>(c);
        PutInt32(record + 12, static_cast<std::int32_t>(product & 0xFFFF));
        std::uint32_t serial = 0;
        for (const char c : first->config().serial) {
            if (c >= '0' && c <= '9') serial = serial * 10 + static_cast<std::uint32_t>(c - '0');
        }
        PutInt32(record + 16, static_cast<std::int32_t>(serial));
        PutInt32(record + 20, config.rect.right - config.rect.left);
        PutInt32(record + 24, config.rect.bottom - config.rect.top);
        PutInt32(record + kRecordXOffset, config.rect.left);
        PutInt32(record + kRecordYOffset, config.rect.top);
        PutText(record + 36, 32, config.device);
        PutText(record + 68, 16, first->config().model);
        return 0;
    }
    return -1;
}

// ---- registers from outside ----

bool Desk::ReadRegister(int monitor, RegisterKey key, std::uint16_t* current,
                        std::uint16_t* maximum) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const SimMonitor* found = MonitorAt(monitor);
    std::uint16_t unused = 0;
    return found != nullptr && found->Peek(key, current ? current : &unused, maximum);
}

bool Desk::SetRegister(int monitor, RegisterKey key, std::uint16_t current) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    SimMonitor* found = MonitorAt(monitor);
    if (found == nullptr || !found->Poke(key, current)) return false;
    if (!config_.statePath.empty()) SaveStateLocked(nullptr);
    return true;
}

std::uint16_t Desk::SelectedPage(int monitor) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const SimMonitor* found = MonitorAt(monitor);
    return found ? found->page() : 0;
}

bool Desk::PendingQuad(int monitor, std::uint16_t values[4]) const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const SimMonitor* found = MonitorAt(monitor);
    if (found == nullptr || values == nullptr) return false;
    found->PendingQuad(values);
    return true;
}

// ---- faults and timing ----

void Desk::FailNext(int monitor, std::uint32_t commands) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) found->faults().failNext = commands;
}

void Desk::SetFailRate(int monitor, double rate, std::uint32_t seed) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) {
        found->faults().failRate = std::clamp(rate, 0.0, 1.0);
        found->faults().seed = seed;
        found->ReseedFaults();
    }
}

void Desk::FailReadsOf(int monitor, FailingRead read) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) found->faults().failReads.push_back(read);
}

void Desk::DropBlockRead(int monitor, BlockDrop drop) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) found->SetBlockDrop(drop);
}

void Desk::SetConnected(int monitor, bool connected) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) found->faults().disconnected = !connected;
}

void Desk::ClearFaults(int monitor) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SimMonitor* found = MonitorAt(monitor)) {
        found->faults() = FaultConfig{};
        found->SetBlockDrop(BlockDrop{});
        found->ReseedFaults();
    }
}

void Desk::SetDisplayAttached(int display, bool attached) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (display < 0 || static_cast<std::size_t>(display) >= displays_.size()) return;
    Display& changed = displays_[static_cast<std::size_t>(display)];
    changed.attached = attached;
    // An unplugged monitor answers nothing, whatever handle a program kept.
    for (int index : changed.monitors) MonitorAt(index)->faults().disconnected = !attached;
}

void Desk::SetDisplayRect(int display, const platform::Rect& rect) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (display < 0 || static_cast<std::size_t>(display) >= displays_.size()) return;
    auto& config = config_.displays[static_cast<std::size_t>(
        displays_[static_cast<std::size_t>(display)].config)];
    config.rect = rect;
    config.work = rect;
}

void Desk::SetTrafficLog(const std::string& path) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    trafficLogPath_ = path;
}

void Desk::SetSettleEnforcement(bool on) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    config_.enforceSettle = on;
}

void Desk::SetSettleTolerance(std::uint32_t milliseconds) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    config_.settleToleranceMs = milliseconds;
}

void Desk::SetLatency(Latency latency) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    config_.latency = latency;
}

std::vector<Transaction> Desk::Log() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return log_;
}

void Desk::ClearLog() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    log_.clear();
}

std::size_t Desk::SettleViolations() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return settleViolations_;
}

// ---- state file ----

void Desk::RefreshFromStateFileLocked() {
    if (config_.statePath.empty()) return;
    const StateStamp stamp = StampOf(config_.statePath);
    if (stamp == stateStamp_ || !stamp.exists) return;
    stateProblem_.clear();
    LoadStateLocked();
}

void Desk::LoadStateLocked() {
    if (config_.statePath.empty()) return;
    stateStamp_ = StampOf(config_.statePath);
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(config_.statePath, &text, &missing)) {
        if (!missing) stateProblem_ = config_.statePath + ": cannot be read";
        return;
    }
    const auto document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        stateProblem_ = config_.statePath + ": damaged, starting from the configuration";
        return;
    }
    const auto monitors = document.find("monitors");
    if (monitors == document.end() || !monitors->is_object()) {
        stateProblem_ = config_.statePath + ": has no monitors, starting from the configuration";
        return;
    }
    for (auto& monitor : monitors_) {
        const auto entry = monitors->find(monitor->config().id);
        if (entry == monitors->end()) continue;
        std::string problem;
        monitor->ImportState(*entry, &problem);
        if (!problem.empty()) {
            if (!stateProblem_.empty()) stateProblem_ += "; ";
            stateProblem_ += monitor->config().id + ": " + problem;
        }
    }
}

bool Desk::SaveStateLocked(std::string* error) {
    if (config_.statePath.empty()) {
        if (error) *error = "no state file";
        return false;
    }
    nlohmann::json monitors = nlohmann::json::object();
    for (const auto& monitor : monitors_) monitors[monitor->config().id] = monitor->ExportState();
    nlohmann::json document = nlohmann::json::object();
    document["format"] = 1;
    document["monitors"] = monitors;
    const std::string text =
        document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    const bool written = ReplaceFile(config_.statePath, text, error);
    if (written) stateStamp_ = StampOf(config_.statePath);
    return written;
}

bool Desk::SaveState(std::string* error) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return SaveStateLocked(error);
}

std::string Desk::StateLoadProblem() const {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return stateProblem_;
}

std::unique_ptr<Desk> LoadDesk(const std::string& configPath, platform::Clock& clock,
                               std::string* error) {
    DeskConfig config;
    if (!LoadDeskConfig(configPath, &config, error)) return nullptr;
    return std::make_unique<Desk>(std::move(config), clock);
}

}  // namespace sim
