#pragma once
// vistrelctl's work, independent of the system it runs on: the command line in,
// text (or JSON) and an exit status out, monitors reached through the same
// ports, discovery and access layer as the controller's.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "ctl/identity_cache.h"
#include "ctl/set_store.h"
#include "monitor/monitor_list.h"
#include "platform/clock.h"
#include "platform/ddc_api.h"
#include "platform/desktop.h"
#include "platform/maker_library.h"
#include "platform/processes.h"

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitMissing = 2;        // no such monitor, feature, mode or set
inline constexpr int kExitCommunication = 3;  // the monitor did not answer, or is claimed
inline constexpr int kExitInterrupted = 130;  // Ctrl+C, after the claim was given back

struct CtlPorts {
    platform::DdcApi& ddc;
    platform::Desktop& desktop;
    platform::MakerLibrary& maker;
    platform::Processes& processes;
    platform::Clock& clock;
    SetStore& sets;
    // The name detect shows for an entry's display; szDevice when not given.
    std::function<std::string(const MonitorEntry&)> displayName;
    // Why the monitors could not be reached at all (a device without access),
    // asked when discovery found nothing; empty when there is no such reason.
    std::function<std::string()> transportProblem;
    // Characters of a set name as the user typed it; bytes when not given.
    std::function<std::size_t(const std::string&)> nameLength;
    // Raised by Ctrl+C; nothing new is started once it is set.
    const std::atomic<bool>* interrupted = nullptr;
    // What earlier runs learned of the monitors; null: every run identifies.
    IdentityCache* cache = nullptr;
    // The key entry `index` of the enumeration is known by in the cache, from
    // what the system tells without DDC/CI traffic (its EDID); empty when there
    // is none.
    std::function<std::string(const std::vector<MonitorEntry>&, std::size_t)> monitorKey;
};

// Runs one command line (without the program name). Output goes to *out, one
// line per error to *err.
int RunVistrelctl(const std::vector<std::string>& arguments, CtlPorts& ports, std::string* out,
                  std::string* err);
