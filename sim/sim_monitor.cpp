#include "sim/sim_monitor.h"

#include <algorithm>

namespace sim {
namespace {

constexpr std::uint8_t kOwner = 0xE0;
constexpr std::uint8_t kPageSelect = 0xE1;
constexpr std::uint8_t kFirstPaged = 0xE2;
constexpr std::uint16_t kBlockPage = 0x10;
constexpr std::uint16_t kQuadPage = 0xE0;
constexpr std::uint8_t kQuadFirst = 0xE4;
constexpr std::uint8_t kQuadCommit = 0xE8;
constexpr std::uint16_t kCommandPage = 0xF0;
constexpr std::uint8_t kResetCommand = 0xE2;
constexpr std::uint32_t kSoundReset = 4;
// The primaries' luminance registers follow the colour temperature preset.
constexpr std::uint16_t kColorPage = 0x30;
constexpr std::uint8_t kPresetCode = 0xE3;
constexpr std::uint8_t kFirstPrimary = 0xEF;

// MCCS restore commands; momentary, so they are written but never read.
constexpr std::uint8_t kRestoreAll = 0x04;
constexpr std::uint8_t kRestoreLuminanceContrast = 0x05;
constexpr std::uint8_t kRestoreColor = 0x08;

// Gains belong to the OFF preset and to the user preset; any other preset fixes them.
constexpr std::uint8_t kRedGain = 0x16;
constexpr std::uint8_t kGreenGain = 0x18;
constexpr std::uint8_t kBlueGain = 0x1A;
constexpr std::uint8_t kColorTemperature = 0xE3;     // page 0x30
constexpr std::uint8_t kUserPresetIndicator = 0xE5;  // page 0x30
constexpr std::uint16_t kPresetOff = 0;

const std::vector<RegisterKey>& ColorRegisters() {
    static const std::vector<RegisterKey> keys = {
        {0, 0x14},    {0, 0x16},    {0, 0x18},    {0, 0x1A},    {0x30, 0xE3}, {0x30, 0xE4},
        {0x30, 0xE5}, {0xE0, 0xE4}, {0xE0, 0xE5}, {0xE0, 0xE6}, {0xE0, 0xE7},
    };
    return keys;
}

// Serial number and model name blocks: NUL-padded text, at least 16 bytes and
// always ending in a NUL, in whole words.
std::vector<std::uint8_t> TextBlock(const std::string& text) {
    std::vector<std::uint8_t> block(text.begin(), text.end());
    std::size_t size = std::max<std::size_t>(16, text.size() + 1);
    size = (size + 3) / 4 * 4;
    block.resize(size, 0);
    return block;
}

bool IsQuadValue(RegisterKey key) {
    return key.page == kQuadPage && key.code >= kQuadFirst && key.code < kQuadFirst + 4;
}

}  // namespace

SimMonitor::SimMonitor(const MonitorConfig& config)
    : factory_(config), faults_(config.faults), random_(config.faults.seed) {
    ListCapabilities(config.capabilities, &listed_);
    registers_ = config.registers;
    if (config.maker) {
        ListExtendedCapabilities(config.extendedCapabilities, &listed_);
        registers_.emplace(RegisterKey{0, kOwner}, RegisterValue{0, 0xFFFF, false});
        blocks_[0].assign(config.extendedCapabilities.begin(), config.extendedCapabilities.end());
        blocks_[1] = config.modeRecord;
        blocks_[2] = TextBlock(config.serial);
        blocks_[3] = TextBlock(config.model);
        for (auto& block : blocks_)
            if (block.size() > 0xFFFF) block.resize(0xFFFF);
    }
    for (int i = 0; i < 4; ++i) {
        const auto found =
            registers_.find(RegisterKey{kQuadPage, static_cast<std::uint8_t>(kQuadFirst + i)});
        if (found != registers_.end()) pendingQuad_[i] = found->second.current;
    }
}

void SimMonitor::ReseedFaults() {
    random_.seed(faults_.seed);
}

void SimMonitor::SetBlockDrop(const BlockDrop& drop) {
    faults_.dropBlockRead = drop;
    dataReads_ = {};
    blockDrops_ = 0;
}

bool SimMonitor::HasPage(std::uint32_t page) const {
    if (page == 0) return true;
    if (!factory_.maker || page > 0xFFFF) return false;
    if (page == kBlockPage) return true;
    for (const auto& entry : registers_)
        if (entry.first.page == page) return true;
    return false;
}

bool SimMonitor::IsCommand(std::uint8_t code) const {
    if (code != kRestoreAll && code != kRestoreLuminanceContrast && code != kRestoreColor)
        return false;
    const RegisterKey key{0, code};
    return listed_.Lists(key) || registers_.count(key) != 0;
}

RegisterKey SimMonitor::Resolve(std::uint8_t code) const {
    if (code >= kFirstPaged && page_ != 0) return RegisterKey{page_, code};
    return RegisterKey{0, code};
}

bool SimMonitor::BlockRegister(RegisterKey key, int* block, int* role) const {
    if (!factory_.maker || key.page != kBlockPage || key.code < kFirstPaged ||
        key.code >= kFirstPaged + 12)
        return false;
    *block = (key.code - kFirstPaged) / 3;
    *role = (key.code - kFirstPaged) % 3;
    return true;
}

Outcome SimMonitor::Get(std::uint8_t code, std::uint16_t* current, std::uint16_t* maximum,
                        std::uint32_t* type) {
    const RegisterKey key = Resolve(code);
    *type = 0;
    int block = 0;
    int role = 0;
    if (BlockRegister(key, &block, &role) && role == 2) {
        auto& offset = offsets_[block];
        const auto& data = blocks_[block];
        std::uint8_t bytes[4] = {0, 0, 0, 0};
        for (std::size_t i = 0; i < 4; ++i)
            if (offset + i < data.size()) bytes[i] = data[offset + i];
        const std::uint32_t reads = dataReads_[block]++;
        offset = static_cast<std::uint16_t>(std::min<std::uint32_t>(offset + 4u, 0xFFFFu));
        const BlockDrop& drop = faults_.dropBlockRead;
        // The reply is lost on the way back, after the monitor has moved on:
        // the host has to rewrite the offset to read the word again.
        if (drop.block == block && reads >= drop.afterWords && blockDrops_ < drop.times) {
            ++blockDrops_;
            return Outcome::Fault;
        }
        *maximum = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
        *current = static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]);
        return Outcome::Ok;
    }
    if (key.page == 0 && IsCommand(key.code)) return Outcome::Unsupported;
    if (!Peek(key, current, maximum)) return Outcome::Unsupported;
    return Outcome::Ok;
}

bool SimMonitor::Peek(RegisterKey key, std::uint16_t* current, std::uint16_t* maximum) const {
    std::uint16_t unusedMaximum = 0;
    if (maximum == nullptr) maximum = &unusedMaximum;
    if (key == RegisterKey{0, kPageSelect} && factory_.maker) {
        *current = page_;
        *maximum = 0xFF;
        return true;
    }
    int block = 0;
    int role = 0;
    if (BlockRegister(key, &block, &role)) {
        const auto& data = blocks_[block];
        const std::uint16_t offset = offsets_[block];
        switch (role) {
            case 0:
                *current = static_cast<std::uint16_t>(data.size());
                *maximum = 0xFFFF;
                return true;
            case 1:
                *current = offset;
                *maximum = 0xFFFF;
                return true;
            default: {
                std::uint8_t bytes[4] = {0, 0, 0, 0};
                for (std::size_t i = 0; i < 4; ++i)
                    if (offset + i < data.size()) bytes[i] = data[offset + i];
                *maximum = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
                *current = static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]);
                return true;
            }
        }
    }
    const auto found = registers_.find(key);
    if (found == registers_.end()) return false;
    *current = found->second.current;
    *maximum = found->second.maximum;
    PrimaryAtPreset(key, current);
    return true;
}

void SimMonitor::PrimaryAtPreset(RegisterKey key, std::uint16_t* current) const {
    if (key.page != kColorPage || key.code < kFirstPrimary || key.code > kFirstPrimary + 2) return;
    const auto preset = registers_.find(RegisterKey{kColorPage, kPresetCode});
    if (preset == registers_.end()) return;
    const auto row = factory_.primariesByPreset.find(preset->second.current);
    if (row != factory_.primariesByPreset.end()) *current = row->second[key.code - kFirstPrimary];
}

Outcome SimMonitor::Set(std::uint8_t code, std::uint32_t value) {
    const RegisterKey key = Resolve(code);
    if (key == RegisterKey{0, kOwner} && registers_.count(key) != 0) {
        // The owner register is a plain 16-bit cell: DDC/CI carries no more.
        registers_[key].current = static_cast<std::uint16_t>(value & 0xFFFF);
        return Outcome::Ok;
    }
    if (key == RegisterKey{0, kPageSelect} && factory_.maker) {
        if (!HasPage(value)) return Outcome::Refused;
        page_ = static_cast<std::uint16_t>(value);
        return Outcome::Ok;
    }
    int block = 0;
    int role = 0;
    if (BlockRegister(key, &block, &role)) {
        if (role != 1 || value > blocks_[block].size()) return Outcome::Refused;
        offsets_[block] = static_cast<std::uint16_t>(value);
        return Outcome::Ok;
    }
    if (key.page == 0 && IsCommand(key.code)) {
        if (value == 0 || value > 0xFFFF) return Outcome::Refused;
        if (key.code == kRestoreColor) {
            RestoreFactory(ColorRegisters());
        } else if (key.code == kRestoreLuminanceContrast) {
            RestoreFactory({{0, 0x10}, {0, 0x12}});
        } else {
            std::vector<RegisterKey> all;
            for (const auto& entry : registers_)
                if (entry.first != RegisterKey{0, kOwner}) all.push_back(entry.first);
            RestoreFactory(all);
        }
        return Outcome::Ok;
    }
    const auto found = registers_.find(key);
    if (found == registers_.end()) return Outcome::Unsupported;
    RegisterValue& reg = found->second;
    if (reg.readOnly || value > reg.maximum || !listed_.Allows(key, value)) return Outcome::Refused;
    if (IsQuadValue(key)) {
        // The four values only take effect together, when the commit arrives.
        pendingQuad_[key.code - kQuadFirst] = static_cast<std::uint16_t>(value);
        return Outcome::Ok;
    }
    if (key == RegisterKey{kQuadPage, kQuadCommit}) {
        if (value != 0 && value != 1) return Outcome::Refused;
        for (int i = 0; i < 4; ++i) {
            const auto quad =
                registers_.find(RegisterKey{kQuadPage, static_cast<std::uint8_t>(kQuadFirst + i)});
            if (quad == registers_.end()) continue;
            if (value == 1)
                quad->second.current = pendingQuad_[i];
            else
                pendingQuad_[i] = quad->second.current;
        }
        reg.current = static_cast<std::uint16_t>(value);
        return Outcome::Ok;
    }
    reg.current = static_cast<std::uint16_t>(value);
    if (key == RegisterKey{kCommandPage, kResetCommand} && value == kSoundReset)
        RestoreFactory({{0, 0x62}});
    if (key.page == 0 && (key.code == kRedGain || key.code == kGreenGain || key.code == kBlueGain))
        SwitchToUserPreset();
    return Outcome::Ok;
}

void SimMonitor::SwitchToUserPreset() {
    const RegisterKey presetKey{0x30, kColorTemperature};
    const auto preset = registers_.find(presetKey);
    const auto listed = listed_.values.find(presetKey);
    if (preset == registers_.end() || listed == listed_.values.end() || listed->second.empty())
        return;
    const std::uint16_t user = listed->second.back();
    if (preset->second.current == kPresetOff || preset->second.current == user) return;
    preset->second.current = user;
    const auto indicator = registers_.find(RegisterKey{0x30, kUserPresetIndicator});
    if (indicator != registers_.end()) indicator->second.current = 1;
}

bool SimMonitor::Poke(RegisterKey key, std::uint16_t current) {
    if (key == RegisterKey{0, kPageSelect}) {
        if (!HasPage(current)) return false;
        page_ = current;
        return true;
    }
    int block = 0;
    int role = 0;
    if (BlockRegister(key, &block, &role)) {
        if (role != 1) return false;
        offsets_[block] = current;
        return true;
    }
    const auto found = registers_.find(key);
    if (found == registers_.end()) return false;
    found->second.current = current;
    if (IsQuadValue(key)) pendingQuad_[key.code - kQuadFirst] = current;
    return true;
}

void SimMonitor::PendingQuad(std::uint16_t values[4]) const {
    for (int i = 0; i < 4; ++i) values[i] = pendingQuad_[i];
}

void SimMonitor::RestoreFactory(const std::vector<RegisterKey>& keys) {
    for (const auto& key : keys) {
        const auto stored = registers_.find(key);
        const auto factory = factory_.registers.find(key);
        if (stored == registers_.end() || factory == factory_.registers.end()) continue;
        stored->second.current = factory->second.current;
        if (IsQuadValue(key)) pendingQuad_[key.code - kQuadFirst] = factory->second.current;
    }
}

bool SimMonitor::DrawFault(TransactionKind kind, RegisterKey target) {
    if (faults_.failNext > 0) {
        --faults_.failNext;
        return true;
    }
    if (faults_.failRate > 0.0) {
        const double threshold = faults_.failRate * 4294967296.0;
        if (static_cast<double>(random_()) < threshold) return true;
    }
    if (kind == TransactionKind::Get) {
        for (const auto& read : faults_.failReads) {
            if (read.anyPage ? read.key.code == target.code : read.key == target) return true;
        }
    }
    return false;
}

nlohmann::json SimMonitor::ExportState() const {
    nlohmann::json registers = nlohmann::json::object();
    for (const auto& [key, value] : registers_) registers[FormatRegisterKey(key)] = value.current;
    nlohmann::json state = nlohmann::json::object();
    state["registers"] = registers;
    if (factory_.maker) {
        state["page"] = page_;
        state["pendingQuad"] = {pendingQuad_[0], pendingQuad_[1], pendingQuad_[2], pendingQuad_[3]};
    }
    return state;
}

void SimMonitor::ImportState(const nlohmann::json& state, std::string* problem) {
    auto note = [problem](const std::string& text) {
        if (!problem->empty()) *problem += "; ";
        *problem += text;
    };
    if (!state.is_object()) {
        note("entry is not an object");
        return;
    }
    const auto registers = state.find("registers");
    if (registers != state.end() && registers->is_object()) {
        for (const auto& [name, value] : registers->items()) {
            RegisterKey key;
            const auto found =
                ParseRegisterKey(name, &key) ? registers_.find(key) : registers_.end();
            if (found == registers_.end()) {
                note("register " + name + " unknown");
                continue;
            }
            if (!value.is_number_unsigned() || value.get<std::uint64_t>() > found->second.maximum) {
                note("register " + name + " out of range");
                continue;
            }
            found->second.current = static_cast<std::uint16_t>(value.get<std::uint64_t>());
            if (IsQuadValue(key)) pendingQuad_[key.code - kQuadFirst] = found->second.current;
        }
    }
    const auto page = state.find("page");
    if (page != state.end()) {
        if (page->is_number_unsigned() &&
            HasPage(static_cast<std::uint32_t>(
                std::min<std::uint64_t>(page->get<std::uint64_t>(), 0x10000))))
            page_ = static_cast<std::uint16_t>(page->get<std::uint64_t>());
        else
            note("page out of range");
    }
    const auto pending = state.find("pendingQuad");
    if (pending != state.end()) {
        bool good = pending->is_array() && pending->size() == 4;
        for (std::size_t i = 0; good && i < 4; ++i)
            good =
                (*pending)[i].is_number_unsigned() && (*pending)[i].get<std::uint64_t>() <= 0xFFFF;
        if (good) {
            for (std::size_t i = 0; i < 4; ++i)
                pendingQuad_[i] = static_cast<std::uint16_t>((*pending)[i].get<std::uint64_t>());
        } else {
            note("pendingQuad malformed");
        }
    }
}

}  // namespace sim
