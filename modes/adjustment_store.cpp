#include "modes/adjustment_store.h"

#include <cstdint>

#include "shell/registry.h"

namespace {

constexpr const char* kModeNameValue = "ModeName";
// Rules store set names as text of up to 255 characters.
constexpr std::uint32_t kModeNameBufferSize = 512;

}  // namespace

std::string AdjustmentStore::KeyPath() {
    return std::string(kVistrelRootKey) + "\\Color";
}

std::string AdjustmentStore::RulesKeyPath() {
    return std::string(kVistrelRootKey) + "\\Tonl";
}

std::vector<std::string> AdjustmentStore::Names() const {
    const std::string key = KeyPath();
    std::vector<std::string> names;
    std::uint32_t count = 0;
    const bool counted = m_registry.CountValues(key, &count);
    for (std::uint32_t index = 0;; ++index) {
        if (counted && index >= count) break;
        std::string name;
        if (!m_registry.EnumValue(key, index, &name, nullptr, nullptr)) {
            // Without a count a failure is the only end there is.
            if (!counted) break;
            continue;
        }
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

bool AdjustmentStore::Read(const std::string& name, AdjustmentData* data) const {
    if (data == nullptr) return false;
    // One byte more than a record, so that a longer value reads and is rejected.
    std::uint8_t buffer[AdjustmentData::kSize + 1] = {};
    std::uint32_t size = sizeof buffer;
    if (!m_registry.QueryValue(KeyPath(), name, buffer, &size)) return false;
    return DecodeAdjustmentData(buffer, size, data);
}

bool AdjustmentStore::Write(const std::string& name, const AdjustmentData& data) {
    if (name.empty()) return false;
    const AdjustmentBytes bytes = EncodeAdjustmentData(data);
    return m_registry.SetValue(KeyPath(), name, platform::RegistryType::Binary, bytes.data(),
                               static_cast<std::uint32_t>(bytes.size()));
}

bool AdjustmentStore::Delete(const std::string& name) {
    if (name.empty()) return false;
    return m_registry.DeleteValue(KeyPath(), name);
}

void AdjustmentStore::ForgetInRules(const std::string& name) {
    const std::string rules = RulesKeyPath();
    std::string application;
    for (std::uint32_t index = 0; m_registry.EnumSubkey(rules, index, &application); ++index) {
        const std::string rule = rules + "\\" + application;
        char text[kModeNameBufferSize] = {};
        std::uint32_t size = sizeof text - 1;
        if (!m_registry.QueryValue(rule, kModeNameValue, text, &size)) continue;
        // The stored text may lack its terminating zero; never read past what came back.
        std::string stored(text, size < sizeof text ? size : sizeof text - 1);
        const std::size_t end = stored.find('\0');
        if (end != std::string::npos) stored.resize(end);
        if (stored == name) m_registry.DeleteValue(rule, kModeNameValue);
    }
}
