#include "ctl/ctl_session.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>

#include "ctl/command_line.h"
#include "ctl/json_text.h"
#include "ctl/mode_names.h"
#include "modes/adjustment_restore.h"
#include "modes/color_page.h"
#include "modes/mode_lists.h"
#include "modes/sound.h"
#include "monitor/access/delay_table.h"
#include "monitor/monitor_status_all.h"
#include "monitor/status_build.h"
#include "monitor/vcp.h"

namespace {

constexpr int kSerialNumberBlock = 2;
constexpr int kModelNameBlock = 3;

std::string Hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

// The text between "key(" and its closing parenthesis in a capabilities string.
std::string CapabilitiesField(const std::string& capabilities, const std::string& key) {
    std::string lower = capabilities;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::size_t at = lower.find(key + "(");
    if (at == std::string::npos) return {};
    const std::size_t begin = at + key.size() + 1;
    const std::size_t end = capabilities.find(')', begin);
    if (end == std::string::npos) return {};
    return capabilities.substr(begin, end - begin);
}

// Holds the owner register for the length of one command: given back when the
// command ends, whichever way it ends.
class Claim {
public:
    Claim(MonitorList& list, const platform::PhysicalMonitorHandle* handle)
        : m_list(list), m_handle(handle), m_held(list.AcquireMonitor(handle, true)) {}
    ~Claim() { m_list.ReleaseMonitor(m_handle); }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    bool Held() const { return m_held; }

private:
    MonitorList& m_list;
    const platform::PhysicalMonitorHandle* m_handle;
    bool m_held;
};

class Session {
public:
    Session(const Command& command, CtlPorts& ports, std::string* out, std::string* err,
            bool useCache)
        : m_command(command),
          m_ports(ports),
          m_out(*out),
          m_err(*err),
          m_list(ports.ddc, ports.desktop, ports.maker, ports.processes, ports.clock, m_lockHeld),
          m_useCache(useCache && ports.cache != nullptr && command.verb != Verb::Detect) {
        // Only a claim whose owner has exited is taken over: another copy of
        // vistrelctl, or the controller, may be in the middle of its work.
        m_list.SetReplaceableProgram("");
    }

    ~Session() { m_list.ReleaseStillClaimed(); }

    int Run();
    // Keeps what this run identified afresh for the next runs.
    void Learn();
    // The command failed before it changed anything, on a monitor whose facts
    // came from the cache: they may be wrong, and the command is run once more
    // with the monitor identified afresh.
    bool CacheSuspect(int status) const {
        if (!m_usedCache || m_committed || m_claimRefused || Interrupted()) return false;
        return status == kExitCommunication || status == kExitMissing;
    }
    // The keys of the monitors whose facts came from the cache.
    std::vector<std::string> CachedKeys() const {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < m_fromCache.size(); ++i) {
            if (m_fromCache[i]) keys.push_back(m_keys[i]);
        }
        return keys;
    }

private:
    int Fail(int status, const std::string& message) {
        m_err += "vistrelctl: " + message + "\n";
        return status;
    }
    bool Interrupted() const {
        return m_ports.interrupted != nullptr && m_ports.interrupted->load();
    }
    int Finish(int status) {
        if (Interrupted() && status == kExitOk) return Fail(kExitInterrupted, "interrupted");
        return status;
    }

    void Discover();
    // Identifies one entry, from the cache when it knows the monitor; true when
    // the entry is a usable maker monitor with its record.
    bool IdentifyEntry(std::size_t index);
    // The verb is about to change the monitor: from here on a failure is the
    // monitor's, not the cache's.
    void Commit() { m_committed = true; }
    std::string MonitorName(std::size_t entry) const { return "monitor " + std::to_string(entry); }
    // The entry the command is about: -m N, else the maker monitor on the lowest
    // display, else the first entry. False with the status in *status.
    bool SelectEntry(std::size_t* entry, int* status);
    std::string TransportProblem() const;
    CMonitorStatus* RecordOf(std::size_t entry) const;
    // The maker monitor's record for the command's monitor.
    CMonitorStatus* MakerRecord(std::size_t* entry, int* status);
    bool EnsureCapabilities(std::size_t entry);

    int Detect();
    int Caps();
    int GetOrSet();
    int Mode();
    int Sets();
    int Register();
    int Restore();
    int Delete();
    int Volume();
    int Reset();

    // Checks after a claim: held, and (for adjustments) the monitor ready.
    int ClaimProblem(const Claim& claim, std::size_t entry) {
        if (Interrupted()) return Fail(kExitInterrupted, "interrupted");
        if (!claim.Held()) {
            m_claimRefused = true;
            return Fail(kExitCommunication,
                        MonitorName(entry) + " is in use by another program (owner register held)");
        }
        return kExitOk;
    }
    int ReadyProblem(const CMonitorStatus& record, std::size_t entry) {
        if (!m_list.IsMonitorReady(&record))
            return Fail(kExitCommunication,
                        MonitorName(entry) + " does not take adjustments now (not ready)");
        return kExitOk;
    }

    const Command& m_command;
    CtlPorts& m_ports;
    std::string& m_out;
    std::string& m_err;
    bool m_lockHeld = false;
    MonitorList m_list;
    CMonitorStatusAll m_all;
    // Records for monitors that are not the maker's, with just their standard
    // features, so page-0 codes can be read and written on them too.
    std::vector<std::unique_ptr<CMonitorStatus>> m_plain;
    const bool m_useCache;
    // Per entry: its key in the cache, and whether its facts came from there.
    std::vector<std::string> m_keys;
    std::vector<bool> m_fromCache;
    bool m_usedCache = false;
    bool m_committed = false;
    bool m_claimRefused = false;
};

void Session::Discover() {
    m_list.Enumerate();
    m_keys.assign(m_list.GetCount(), std::string());
    m_fromCache.assign(m_list.GetCount(), false);
    if (m_ports.monitorKey) {
        for (std::size_t i = 0; i < m_list.GetCount(); ++i)
            m_keys[i] = m_ports.monitorKey(m_list.Entries(), i);
    }
    // Identifying a maker monitor reads its extended capabilities block word by
    // word, seconds at the monitors' pace; only the monitors the command is
    // about are identified. The default is the maker monitor on the lowest
    // display: displays are tried in that order until one is.
    if (m_command.verb == Verb::Detect) {
        for (std::size_t i = 0; i < m_list.GetCount(); ++i) m_list.Identify(i);
        BuildMonitorStatus(m_list, m_all);
    } else if (m_command.monitor) {
        IdentifyEntry(static_cast<std::size_t>(*m_command.monitor));
    } else {
        std::vector<std::size_t> order(m_list.GetCount());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return static_cast<std::uint32_t>(m_list.GetEntry(a)->orderKey) <
                   static_cast<std::uint32_t>(m_list.GetEntry(b)->orderKey);
        });
        for (const std::size_t i : order) {
            if (Interrupted() || IdentifyEntry(i)) break;
        }
    }
    m_all.SelectFirstMonitor();
}

bool Session::IdentifyEntry(std::size_t index) {
    if (index >= m_list.GetCount()) return false;
    const KnownMonitor* known = m_useCache ? m_ports.cache->Find(m_keys[index]) : nullptr;
    if (known != nullptr) {
        if (known->maker) {
            if (m_list.IdentifyFrom(index, known->capabilities, known->extendedCapabilities) &&
                AddKnownMonitorStatus(m_list, index, known->serial, known->model, known->modeInfo,
                                      m_all)) {
                m_fromCache[index] = m_usedCache = true;
                return true;
            }
        } else {
            // Known as another maker's: by its EDID, or by capabilities without
            // the maker's control registers. Anything else is asked again.
            FeatureMap features;
            const bool controls = ParseCapabilities(known->capabilities, features) &&
                                  HasFeature(features, vcp::kOwnerCode, -1) &&
                                  HasFeature(features, vcp::kPageSelectCode, -1);
            if ((!controls || !m_list.MatchMakerMonitor(index, false)) &&
                m_list.SetCapabilities(index, known->capabilities)) {
                m_fromCache[index] = m_usedCache = true;
                return false;
            }
        }
        m_ports.cache->Drop(m_keys[index]);
    }
    if (!m_list.Identify(index)) return false;
    return BuildMonitorStatusOf(m_list, index, m_all);
}

void Session::Learn() {
    if (m_ports.cache == nullptr) return;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].empty() || m_fromCache[i]) continue;
        const MonitorEntry& entry = *m_list.GetEntry(i);
        KnownMonitor known;
        known.key = m_keys[i];
        known.capabilities = entry.capabilities;
        if (const CMonitorStatus* record = RecordOf(i)) {
            known.maker = true;
            known.extendedCapabilities = entry.extendedCapabilities;
            known.serial = record->m_strSerialNumber;
            known.model = record->m_strModelName;
            known.modeInfo = record->m_ModeInfo;
            m_ports.cache->Put(known);
            continue;
        }
        // Kept as another maker's only when that is certain: a maker monitor
        // that failed to identify this time (held, slow, a bad bus) is not.
        if (entry.capabilities.empty()) continue;
        FeatureMap features;
        const bool controls = ParseCapabilities(entry.capabilities, features) &&
                              HasFeature(features, vcp::kOwnerCode, -1) &&
                              HasFeature(features, vcp::kPageSelectCode, -1);
        if (!controls || !m_list.MatchMakerMonitor(i, false)) m_ports.cache->Put(known);
    }
}

CMonitorStatus* Session::RecordOf(std::size_t entry) const {
    const MonitorEntry* found = m_list.GetEntry(entry);
    if (found == nullptr) return nullptr;
    for (int i = 0; i < m_all.Count(); ++i) {
        if (m_all.At(i)->m_phPhysicalMonitor == &found->physicalHandle) return m_all.At(i);
    }
    return nullptr;
}

std::string Session::TransportProblem() const {
    return m_ports.transportProblem ? m_ports.transportProblem() : std::string();
}

bool Session::SelectEntry(std::size_t* entry, int* status) {
    if (m_list.GetCount() == 0) {
        const std::string problem = TransportProblem();
        *status = problem.empty() ? Fail(kExitMissing, "no DDC/CI monitor found")
                                  : Fail(kExitCommunication, problem);
        return false;
    }
    if (m_command.monitor) {
        if (static_cast<std::size_t>(*m_command.monitor) >= m_list.GetCount()) {
            *status = Fail(kExitMissing, "no monitor " + std::to_string(*m_command.monitor) +
                                             " (detect lists 0 to " +
                                             std::to_string(m_list.GetCount() - 1) + ")");
            return false;
        }
        *entry = static_cast<std::size_t>(*m_command.monitor);
    } else {
        // The maker monitor on the lowest display, as the controller chooses its
        // current monitor, but among every monitor discovery found usable: one
        // that another program holds right now is still the one meant.
        *entry = 0;
        std::int32_t lowest = 0xFFFF;
        for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
            const MonitorEntry& found = *m_list.GetEntry(i);
            if (found.usable &&
                static_cast<std::uint32_t>(found.orderKey) < static_cast<std::uint32_t>(lowest)) {
                lowest = found.orderKey;
                *entry = i;
            }
        }
    }
    if (!m_list.GetEntry(*entry)->usable) {
        const std::string problem = TransportProblem();
        if (!problem.empty()) {
            *status = Fail(kExitCommunication, problem);
            return false;
        }
    }
    return true;
}

CMonitorStatus* Session::MakerRecord(std::size_t* entry, int* status) {
    if (!SelectEntry(entry, status)) return nullptr;
    CMonitorStatus* record = RecordOf(*entry);
    if (record != nullptr) return record;
    const MonitorEntry& found = *m_list.GetEntry(*entry);
    if (!found.usable) {
        *status = Fail(kExitMissing, m_command.monitor ? MonitorName(*entry) +
                                                             " is not one of the maker's monitors"
                                                       : "no maker monitor found");
        return nullptr;
    }
    // A maker monitor without a record: its identity could not be read under a
    // claim. The owner register tells whether someone else holds it.
    CMonitorStatus probe;
    probe.m_phPhysicalMonitor = &found.physicalHandle;
    probe.m_Features = found.features;
    std::uint32_t owner = 0;
    std::uint32_t maximum = 0;
    if (m_list.ReadFeature(&probe, vcp::kStandardPage, vcp::kOwnerCode, &owner, &maximum, false,
                           true) &&
        owner != 0) {
        m_claimRefused = true;
        *status = Fail(kExitCommunication,
                       MonitorName(*entry) + " is in use by another program (owner register held)");
    } else {
        *status = Fail(kExitCommunication, MonitorName(*entry) + " did not tell its identity");
    }
    return nullptr;
}

bool Session::EnsureCapabilities(std::size_t entry) {
    const MonitorEntry* found = m_list.GetEntry(entry);
    if (found == nullptr) return false;
    if (!found->capabilities.empty()) return true;
    return m_list.RequestCapabilities(entry, false) &&
           !m_list.GetEntry(entry)->capabilities.empty();
}

int Session::Run() {
    if (Interrupted()) return Fail(kExitInterrupted, "interrupted");
    // The saved sets alone need no monitor.
    if (m_command.verb != Verb::Sets && m_command.verb != Verb::Delete) Discover();
    switch (m_command.verb) {
        case Verb::Detect:
            return Finish(Detect());
        case Verb::Caps:
            return Finish(Caps());
        case Verb::Get:
        case Verb::Set:
            return Finish(GetOrSet());
        case Verb::Mode:
            return Finish(Mode());
        case Verb::Sets:
            return Finish(Sets());
        case Verb::Register:
            return Finish(Register());
        case Verb::Restore:
            return Finish(Restore());
        case Verb::Delete:
            return Finish(Delete());
        case Verb::Volume:
            return Finish(Volume());
        case Verb::Reset:
            return Finish(Reset());
        case Verb::Help:
            break;
    }
    return kExitOk;
}

int Session::Detect() {
    if (m_list.GetCount() == 0) {
        const std::string problem = TransportProblem();
        return problem.empty() ? Fail(kExitMissing, "no DDC/CI monitor found")
                               : Fail(kExitCommunication, problem);
    }
    std::string json = "[";
    std::string text;
    for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
        if (Interrupted()) break;
        const MonitorEntry& entry = *m_list.GetEntry(i);
        const CMonitorStatus* record = RecordOf(i);
        EnsureCapabilities(i);
        // The maker library matches by desktop position, which a second monitor
        // of the same display shares; only one with the maker's control
        // registers is the maker's.
        bool maker = record != nullptr || entry.usable != 0;
        if (!maker && m_list.MatchMakerMonitor(i, false)) {
            FeatureMap features;
            maker = ParseCapabilities(entry.capabilities, features) &&
                    HasFeature(features, vcp::kOwnerCode, -1) &&
                    HasFeature(features, vcp::kPageSelectCode, -1);
        }
        const std::string display =
            m_ports.displayName ? m_ports.displayName(entry) : entry.displayInfo.szDevice;
        std::string model = record != nullptr ? record->m_strModelName
                                              : CapabilitiesField(entry.capabilities, "model");
        if (model.empty()) model = entry.description;
        const std::string serial = record != nullptr ? record->m_strSerialNumber : std::string();
        const std::string type = CapabilitiesField(entry.capabilities, "type");
        json += std::string(i == 0 ? "" : ",") + "{\"index\":" + std::to_string(i) +
                ",\"display\":" + JsonQuote(display) + ",\"model\":" + JsonQuote(model) +
                ",\"serial\":" + JsonQuote(serial) + ",\"maker\":" + (maker ? "true" : "false") +
                ",\"type\":" + JsonQuote(type) +
                ",\"usable\":" + (record != nullptr ? "true" : "false") + "}";
        text += std::to_string(i) + "  " + display + "  " + (model.empty() ? "-" : model) + "  " +
                (serial.empty() ? "-" : serial) + "  " + (maker ? "maker" : "other") + "  " +
                (type.empty() ? "-" : type) + (maker && record == nullptr ? "  (not usable)" : "") +
                "\n";
    }
    m_out += m_command.json ? json + "]\n" : text;
    // Monitors behind a bus that cannot be opened are listed, but cannot be used.
    const std::string problem = TransportProblem();
    if (!problem.empty()) return Fail(kExitCommunication, problem);
    return kExitOk;
}

int Session::Caps() {
    std::size_t entry = 0;
    int status = kExitOk;
    if (!SelectEntry(&entry, &status)) return status;
    if (!EnsureCapabilities(entry))
        return Fail(kExitCommunication, MonitorName(entry) + " did not send its capabilities");
    const MonitorEntry& found = *m_list.GetEntry(entry);
    if (m_command.raw) {
        if (m_command.json) {
            m_out += "{\"capabilities\":" + JsonQuote(found.capabilities) +
                     ",\"extended\":" + JsonQuote(found.extendedCapabilities) + "}\n";
        } else {
            m_out += found.capabilities + "\n";
            if (!found.extendedCapabilities.empty()) m_out += found.extendedCapabilities + "\n";
        }
        return kExitOk;
    }
    FeatureMap features = found.features;
    if (features.empty()) ParseCapabilities(found.capabilities, features);

    // Codes in order, each with its listed values (none: any value).
    std::string text = "vcp:";
    std::string json = "{\"vcp\":{";
    for (auto it = features.begin(); it != features.end();) {
        const std::uint8_t code = it->first;
        std::string values;
        std::string jsonValues;
        for (; it != features.end() && it->first == code; ++it) {
            if (it->second < 0) continue;
            values += (values.empty() ? "" : " ") + Hex2(static_cast<unsigned>(it->second));
            jsonValues += (jsonValues.empty() ? "" : ",") + std::to_string(it->second);
        }
        text += " " + Hex2(code) + (values.empty() ? "" : "(" + values + ")");
        json += (json.back() == '{' ? "" : ",") + JsonQuote(Hex2(code)) + ":" +
                (jsonValues.empty() ? "null" : "[" + jsonValues + "]");
    }
    text += "\n";
    json += "},\"pages\":{";
    const ExtendedFeatureMap& extended = found.extendedFeatures;
    for (auto it = extended.begin(); it != extended.end();) {
        const std::uint16_t page = it->first.page;
        text += "page " + Hex2(page) + ":";
        json += (json.back() == '{' ? "" : ",") + JsonQuote(Hex2(page)) + ":{";
        for (; it != extended.end() && it->first.page == page;) {
            const ExtendedFeatureKey key = it->first;
            std::string values;
            std::string jsonValues;
            for (; it != extended.end() && it->first == key; ++it) {
                if (it->second < 0) continue;
                values += (values.empty() ? "" : " ") + Hex2(static_cast<unsigned>(it->second));
                jsonValues += (jsonValues.empty() ? "" : ",") + std::to_string(it->second);
            }
            text += " " + Hex2(key.code) + (values.empty() ? "" : "(" + values + ")");
            json += (json.back() == '{' ? "" : ",") + JsonQuote(Hex2(key.code)) + ":" +
                    (jsonValues.empty() ? "null" : "[" + jsonValues + "]");
        }
        text += "\n";
        json += "}";
    }
    json += "}}\n";
    m_out += m_command.json ? json : text;
    return kExitOk;
}

int Session::GetOrSet() {
    const auto code = ParseHexNumber(m_command.arguments[0], 0xFF);
    if (!code)
        return Fail(kExitUsage,
                    "CODE is a VCP code from 00 to FF (hexadecimal): " + m_command.arguments[0]);
    std::optional<std::uint32_t> value;
    if (m_command.verb == Verb::Set) {
        value = ParseValue(m_command.arguments[1], 0xFFFF);
        if (!value)
            return Fail(kExitUsage, "VALUE is a number from 0 to 65535: " + m_command.arguments[1]);
    }
    const std::uint16_t page = m_command.page;
    const auto code8 = static_cast<std::uint8_t>(*code);
    const std::string what =
        page == 0 ? "VCP code " + Hex2(code8) : "page " + Hex2(page) + " code " + Hex2(code8);

    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = nullptr;
    if (page != 0) {
        record = MakerRecord(&entry, &status);
        if (record == nullptr) return status;
        if (!HasExtendedFeature(record->m_ExtFeatures, page, code8, -1))
            return Fail(kExitMissing, MonitorName(entry) + " does not list " + what);
    } else {
        if (!SelectEntry(&entry, &status)) return status;
        record = RecordOf(entry);
        if (record == nullptr) {
            if (!EnsureCapabilities(entry))
                return Fail(kExitCommunication,
                            MonitorName(entry) + " did not send its capabilities");
            auto plain = std::make_unique<CMonitorStatus>();
            plain->m_bUsable = 1;
            plain->m_phPhysicalMonitor = &m_list.GetEntry(entry)->physicalHandle;
            ParseCapabilities(m_list.GetEntry(entry)->capabilities, plain->m_Features);
            record = plain.get();
            m_plain.push_back(std::move(plain));
        }
        if (!HasFeature(record->m_Features, code8, -1))
            return Fail(kExitMissing, MonitorName(entry) + " does not list " + what);
    }

    if (m_command.verb == Verb::Get) {
        std::uint32_t current = 0;
        std::uint32_t maximum = 0;
        bool read = false;
        if (page == 0) {
            read = m_list.ReadFeature(record, 0, code8, &current, &maximum, false, true);
        } else {
            Claim claim(m_list, record->m_phPhysicalMonitor);
            if (const int problem = ClaimProblem(claim, entry)) return problem;
            read = m_list.ReadFeature(record, page, code8, &current, &maximum, false, true);
        }
        if (!read)
            return Fail(kExitCommunication,
                        MonitorName(entry) + " did not answer the read of " + what);
        if (m_command.json)
            m_out += "{\"monitor\":" + std::to_string(entry) + ",\"page\":" + std::to_string(page) +
                     ",\"code\":" + std::to_string(code8) +
                     ",\"current\":" + std::to_string(current) +
                     ",\"maximum\":" + std::to_string(maximum) + "}\n";
        else
            m_out += std::to_string(current) + " " + std::to_string(maximum) + "\n";
        return kExitOk;
    }

    // Everything that can be known without the monitor is checked before the claim.
    if (page == 0 && (code8 == vcp::kOwnerCode || code8 == vcp::kPageSelectCode))
        return Fail(kExitMissing,
                    what + " is the claim protocol's own register; it is not written by hand");
    const bool listed = page == 0 ? ListsWriteValue(record->m_Features, code8, *value)
                                  : ListsWriteValue(record->m_ExtFeatures, page, code8, *value);
    if (!listed)
        return Fail(kExitMissing, MonitorName(entry) + " does not list the value " +
                                      std::to_string(*value) + " for " + what);
    if (!SettlingDelay(page, code8))
        return Fail(kExitMissing, what + " has no known settling time; it is never written");

    Claim claim(m_list, record->m_phPhysicalMonitor);
    if (const int problem = ClaimProblem(claim, entry)) return problem;
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!m_list.ReadFeature(record, page, code8, &current, &maximum, false, true))
        return Fail(kExitCommunication, MonitorName(entry) + " did not tell the maximum of " +
                                            what + "; nothing written");
    if (*value > maximum)
        return Fail(kExitMissing, "value " + std::to_string(*value) + " is above the maximum " +
                                      std::to_string(maximum) + " of " + what +
                                      "; nothing written");
    // The read just selected the page.
    Commit();
    if (!m_list.WriteFeature(record, page, code8, *value, page != 0))
        return Fail(kExitCommunication, MonitorName(entry) + " did not take the write of " + what);
    return kExitOk;
}

int Session::Mode() {
    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = MakerRecord(&entry, &status);
    if (record == nullptr) return status;

    if (!m_command.arguments.empty()) {
        const auto mode = ModeByName(m_command.arguments[0]);
        if (!mode) return Fail(kExitMissing, "no mode named " + m_command.arguments[0]);
        if (!record->m_ModeInfo.HasMode(*mode)) {
            const std::string name = ModeName(*mode);
            return Fail(kExitMissing, MonitorName(entry) + " has no " +
                                          (name.empty() ? "mode " + std::to_string(*mode) : name));
        }
        Claim claim(m_list, record->m_phPhysicalMonitor);
        if (const int problem = ClaimProblem(claim, entry)) return problem;
        if (const int problem = ReadyProblem(*record, entry)) return problem;
        Commit();
        if (!WriteDisplayMode(m_list, *record, *mode, false))
            return Fail(kExitCommunication, MonitorName(entry) + " did not take the mode");
        return kExitOk;
    }

    DisplayMode current = -1;
    bool read = false;
    {
        Claim claim(m_list, record->m_phPhysicalMonitor);
        if (const int problem = ClaimProblem(claim, entry)) return problem;
        read = ReadCurrentMode(m_list, *record, false, &current);
    }
    std::string text;
    std::string json = "{\"monitor\":" + std::to_string(entry) +
                       ",\"current\":" + (read ? std::to_string(current) : "null") + ",\"modes\":[";
    bool first = true;
    for (const ModeListItem& item : ModeListForMonitor(*record)) {
        const bool isCurrent = read && item.value == current;
        std::string name = ModeName(item.value);
        text += std::string(isCurrent ? "* " : "  ") + std::to_string(item.value) + "  " +
                (name.empty() ? "-" : name) + "\n";
        json += std::string(first ? "" : ",") + "{\"value\":" + std::to_string(item.value) +
                ",\"name\":" + JsonQuote(name) + ",\"current\":" + (isCurrent ? "true" : "false") +
                "}";
        first = false;
    }
    m_out += m_command.json ? json + "]}\n" : text;
    if (!read)
        return Fail(kExitCommunication, MonitorName(entry) + " did not tell its current mode");
    return kExitOk;
}

int Session::Sets() {
    std::string text;
    std::string json = "[";
    for (const std::string& name : m_ports.sets.Names()) {
        AdjustmentData data;
        const bool readable = m_ports.sets.Read(name, &data);
        const std::string model = readable ? data.modelName : std::string();
        const std::string modeName = readable ? ModeName(data.mode) : std::string();
        text += name + "  " +
                (readable ? (model.empty() ? "-" : model) + "  " +
                                (modeName.empty() ? "mode " + std::to_string(data.mode) : modeName)
                          : std::string("(damaged)")) +
                "\n";
        json += std::string(json.size() == 1 ? "" : ",") + "{\"name\":" + JsonQuote(name) +
                ",\"model\":" + (readable ? JsonQuote(model) : "null") +
                ",\"mode\":" + (readable ? std::to_string(data.mode) : "null") + "}";
    }
    m_out += m_command.json ? json + "]\n" : text;
    return kExitOk;
}

int Session::Register() {
    const std::string& name = m_command.arguments[0];
    const std::size_t length = m_ports.nameLength ? m_ports.nameLength(name) : name.size();
    if (name.empty() || length > kMaxSetNameCharacters)
        return Fail(kExitUsage,
                    "a set name has 1 to " + std::to_string(kMaxSetNameCharacters) + " characters");
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            return Fail(kExitUsage, "a set name has no control characters");
    }
    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = MakerRecord(&entry, &status);
    if (record == nullptr) return status;

    AdjustmentData data;
    {
        Claim claim(m_list, record->m_phPhysicalMonitor);
        if (const int problem = ClaimProblem(claim, entry)) return problem;
        if (const int problem = ReadyProblem(*record, entry)) return problem;
        // A set carries the monitor's serial number and model name. They are
        // read from the monitor, not taken from the cache: another unit with the
        // same EDID in its place stores its own.
        if (m_fromCache[entry]) {
            std::string serial;
            std::string model;
            if (!ReadIdentityBlock(m_list, *record, kSerialNumberBlock, false, &serial) ||
                !ReadIdentityBlock(m_list, *record, kModelNameBlock, true, &model))
                return Fail(kExitCommunication,
                            MonitorName(entry) + " did not tell its identity; nothing saved");
            if (model != record->m_strModelName)
                return Fail(kExitCommunication, MonitorName(entry) + " is not the " +
                                                    record->m_strModelName + " it was known as");
            CMonitorStatus& known = *RecordOf(entry);
            known.m_strSerialNumber = serial;
            known.m_strIdentity = serial + model;
            m_fromCache[entry] = false;
        }
        if (!ReadAdjustmentData(m_list, *record, &data))
            return Fail(kExitCommunication,
                        MonitorName(entry) + " did not tell its current mode; nothing saved");
    }
    if (ModeFlagsOf(*record, data.mode) == 0) {
        const std::string mode = ModeName(data.mode);
        return Fail(kExitMissing, "the current mode (" +
                                      (mode.empty() ? std::to_string(data.mode) : mode) +
                                      ") has nothing to adjust; nothing saved");
    }
    std::string problem;
    if (!m_ports.sets.Write(name, data, &problem)) return Fail(kExitCommunication, problem);
    return kExitOk;
}

int Session::Restore() {
    const std::string& name = m_command.arguments[0];
    AdjustmentData data;
    if (!m_ports.sets.Read(name, &data)) {
        const std::vector<std::string> names = m_ports.sets.Names();
        const bool exists = std::find(names.begin(), names.end(), name) != names.end();
        return Fail(kExitMissing, exists ? "set " + name + " is damaged and cannot be restored"
                                         : "no set named " + name);
    }
    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = MakerRecord(&entry, &status);
    if (record == nullptr) return status;
    if (!IsSetForModel(data, record->m_strModelName))
        return Fail(kExitMissing, "set " + name + " was saved on a " + data.modelName + ", " +
                                      MonitorName(entry) + " is a " + record->m_strModelName +
                                      "; nothing restored");
    Claim claim(m_list, record->m_phPhysicalMonitor);
    if (const int problem = ClaimProblem(claim, entry)) return problem;
    if (const int problem = ReadyProblem(*record, entry)) return problem;
    Commit();
    ApplyAdjustmentData(m_list, *record, data);
    return kExitOk;
}

int Session::Delete() {
    std::string problem;
    if (!m_ports.sets.Delete(m_command.arguments[0], &problem)) {
        if (!problem.empty()) return Fail(kExitCommunication, problem);
        return Fail(kExitMissing, "no set named " + m_command.arguments[0]);
    }
    return kExitOk;
}

int Session::Volume() {
    std::optional<std::uint32_t> value;
    if (!m_command.arguments.empty()) {
        value = ParseValue(m_command.arguments[0], 0xFFFF);
        if (!value)
            return Fail(kExitUsage, "VALUE is a number from 0 to 65535: " + m_command.arguments[0]);
    }
    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = MakerRecord(&entry, &status);
    if (record == nullptr) return status;
    if ((record->m_ModeInfo.SoundWord() & kSoundVolumeBit) == 0 ||
        !HasFeature(record->m_Features, vcp::kVolumeCode, -1))
        return Fail(kExitMissing, MonitorName(entry) + " has no speaker volume");

    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    if (!value) {
        if (!m_list.ReadFeature(record, vcp::kStandardPage, vcp::kVolumeCode, &current, &maximum,
                                false, true))
            return Fail(kExitCommunication, MonitorName(entry) + " did not tell its volume");
        m_out += m_command.json ? "{\"monitor\":" + std::to_string(entry) +
                                      ",\"current\":" + std::to_string(current) +
                                      ",\"maximum\":" + std::to_string(maximum) + "}\n"
                                : std::to_string(current) + " " + std::to_string(maximum) + "\n";
        return kExitOk;
    }
    if (!ListsWriteValue(record->m_Features, vcp::kVolumeCode, *value))
        return Fail(kExitMissing,
                    MonitorName(entry) + " does not list the volume " + std::to_string(*value));
    Claim claim(m_list, record->m_phPhysicalMonitor);
    if (const int problem = ClaimProblem(claim, entry)) return problem;
    if (const int problem = ReadyProblem(*record, entry)) return problem;
    if (!m_list.ReadFeature(record, vcp::kStandardPage, vcp::kVolumeCode, &current, &maximum, false,
                            true))
        return Fail(kExitCommunication,
                    MonitorName(entry) + " did not tell its volume maximum; nothing written");
    if (*value > maximum)
        return Fail(kExitMissing, "volume " + std::to_string(*value) + " is above the maximum " +
                                      std::to_string(maximum) + "; nothing written");
    Commit();
    if (!WriteVolume(m_list, *record, *value))
        return Fail(kExitCommunication, MonitorName(entry) + " did not take the volume");
    return kExitOk;
}

int Session::Reset() {
    const std::string& what = m_command.arguments[0];
    if (what != "color" && what != "colour" && what != "sound")
        return Fail(kExitUsage, "reset takes color or sound, not " + what);
    std::size_t entry = 0;
    int status = kExitOk;
    const CMonitorStatus* record = MakerRecord(&entry, &status);
    if (record == nullptr) return status;

    if (what == "sound") {
        if ((record->m_ModeInfo.SoundWord() & kSoundPresentBit) == 0)
            return Fail(kExitMissing, MonitorName(entry) + " has no sound settings");
        Claim claim(m_list, record->m_phPhysicalMonitor);
        if (const int problem = ClaimProblem(claim, entry)) return problem;
        if (const int problem = ReadyProblem(*record, entry)) return problem;
        Commit();
        if (!SendSoundReset(m_list, *record))
            return Fail(kExitCommunication, MonitorName(entry) + " did not take the sound reset");
        return kExitOk;
    }

    if (!ListsWriteValue(record->m_Features, vcp::kFactoryColorCode, 1))
        return Fail(kExitMissing, MonitorName(entry) + " has no colour reset");
    Claim claim(m_list, record->m_phPhysicalMonitor);
    if (const int problem = ClaimProblem(claim, entry)) return problem;
    if (const int problem = ReadyProblem(*record, entry)) return problem;
    DisplayMode mode = -1;
    if (!ReadCurrentMode(m_list, *record, false, &mode))
        return Fail(kExitCommunication,
                    MonitorName(entry) + " did not tell its current mode; nothing reset");
    if ((ModeFlagsOf(*record, mode) & kModeFlagReset) == 0) {
        const std::string name = ModeName(mode);
        return Fail(kExitMissing, "the current mode (" +
                                      (name.empty() ? std::to_string(mode) : name) +
                                      ") has no colour reset");
    }
    Commit();
    if (!m_list.WriteFeature(record, vcp::kStandardPage, vcp::kFactoryColorCode, 1, false))
        return Fail(kExitCommunication, MonitorName(entry) + " did not take the colour reset");
    // The colour adjustment ends as the colour dialog ends it.
    EndColorAdjustment(m_list, *record);
    return kExitOk;
}

}  // namespace

int RunVistrelctl(const std::vector<std::string>& arguments, CtlPorts& ports, std::string* out,
                  std::string* err) {
    Command command;
    std::string problem;
    if (!ParseCommandLine(arguments, &command, &problem)) {
        *err += "vistrelctl: " + problem + " (vistrelctl help shows the usage)\n";
        return kExitUsage;
    }
    if (command.verb == Verb::Help) {
        *out += UsageText();
        return kExitOk;
    }
    if (command.verb == Verb::Sets || command.verb == Verb::Delete) {
        if (command.monitor) {
            *err += "vistrelctl: -m does not belong to " +
                    std::string(command.verb == Verb::Sets ? "sets" : "delete") + "\n";
            return kExitUsage;
        }
    }
    int status = kExitOk;
    std::vector<std::string> suspect;
    {
        std::string firstOut;
        std::string firstErr;
        Session session(command, ports, &firstOut, &firstErr, !command.noCache);
        status = session.Run();
        session.Learn();
        if (session.CacheSuspect(status)) {
            suspect = session.CachedKeys();
        } else {
            *out += firstOut;
            *err += firstErr;
        }
    }
    if (!suspect.empty()) {
        for (const std::string& key : suspect) ports.cache->Drop(key);
        Session session(command, ports, out, err, false);
        status = session.Run();
        session.Learn();
    }
    if (ports.cache != nullptr) ports.cache->Save();
    return status;
}
