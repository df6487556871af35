#pragma once
// One simulated monitor: its registers, page selection, information blocks and
// the maker's command registers. Timing, faults and handles are the desk's
// business; this class only answers commands that reached the monitor.
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/capability_lists.h"
#include "sim/desk_config.h"
#include "sim/register_key.h"
#include "sim/transaction.h"

namespace sim {

class SimMonitor {
public:
    explicit SimMonitor(const MonitorConfig& config);

    const MonitorConfig& config() const { return factory_; }
    std::uint16_t page() const { return page_; }
    // The register a code reaches with the current page selection.
    RegisterKey Resolve(std::uint8_t code) const;

    Outcome Get(std::uint8_t code, std::uint16_t* current, std::uint16_t* maximum,
                std::uint32_t* type);
    Outcome Set(std::uint8_t code, std::uint32_t value);

    // Outside view, no side effects (a data window read does not advance).
    bool Peek(RegisterKey key, std::uint16_t* current, std::uint16_t* maximum) const;
    bool Poke(RegisterKey key, std::uint16_t current);
    void PendingQuad(std::uint16_t values[4]) const;

    // Faults. Returns true when the command must fail; consumes fail-next and
    // draws from the seeded failure rate.
    bool DrawFault(TransactionKind kind, RegisterKey target);
    FaultConfig& faults() { return faults_; }
    void ReseedFaults();
    // Counts the block's data reads afresh from now on.
    void SetBlockDrop(const BlockDrop& drop);

    // Settling: the tick from which the next command is taken.
    bool settling = false;
    std::uint32_t readyAt = 0;

    // State file entry: every stored register, the selected page and the
    // uncommitted four-value set.
    nlohmann::json ExportState() const;
    // Takes what fits this monitor and names the rest in `problem`.
    void ImportState(const nlohmann::json& state, std::string* problem);

private:
    // A gain written while a fixed colour temperature preset is on puts the monitor
    // on its user preset (the last preset its capabilities list) and raises the
    // user-preset indicator 30:E5.
    void SwitchToUserPreset();
    bool HasPage(std::uint32_t page) const;
    // A primary's luminance register answers the value for the current preset.
    void PrimaryAtPreset(RegisterKey key, std::uint16_t* current) const;
    bool IsCommand(std::uint8_t code) const;
    bool BlockRegister(RegisterKey key, int* block, int* role) const;
    void RestoreFactory(const std::vector<RegisterKey>& keys);

    MonitorConfig factory_;
    FaultConfig faults_;
    std::mt19937 random_;
    ListedRegisters listed_;
    std::map<RegisterKey, RegisterValue> registers_;
    std::uint16_t page_ = 0;
    std::array<std::vector<std::uint8_t>, 4> blocks_;
    std::array<std::uint16_t, 4> offsets_{};
    std::array<std::uint32_t, 4> dataReads_{};
    std::uint32_t blockDrops_ = 0;
    std::array<std::uint16_t, 4> pendingQuad_{};
};

}  // namespace sim
