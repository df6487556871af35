#include "modes/app_rules.h"

#include <vector>

#include "modes/application_name.h"

namespace {

constexpr const char* kModeValue = "Mode";
constexpr const char* kModeNameValue = "ModeName";
// "ModeName" has always been read through a buffer of this size.
constexpr std::uint32_t kModeNameBytes = 512;

// Subkey names in index order. The whole list is taken before anything is
// deleted: deleting while enumerating by index would shift the next key into
// the index just visited, and it would be skipped.
std::vector<std::string> RuleKeyNames(CRegistry& registry) {
    std::vector<std::string> names;
    const std::string tonl = TonlKeyPath();
    char name[platform::Registry::kNameBufferSize] = {};
    for (std::uint32_t index = 0; registry.EnumSubkey(index, tonl.c_str(), name); ++index) {
        if (name[0] != '\0') names.emplace_back(name);
    }
    return names;
}

bool ReadRuleMode(CRegistry& registry, const std::string& application, std::int32_t* mode) {
    std::uint32_t value = 0;
    if (!registry.ReadDword(kModeValue, &value, RuleKeyPath(application).c_str())) return false;
    *mode = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

std::string TonlKeyPath() {
    return std::string(kVistrelRootKey) + "\\Tonl";
}

std::string RuleKeyPath(const std::string& application) {
    return TonlKeyPath() + "\\" + application;
}

bool ReadBoundedText(CRegistry& registry, const char* valueName, std::uint32_t bufferBytes,
                     std::size_t maxLength, const std::string& keyPath, std::string* text) {
    // One spare zero byte behind the buffer ends a text stored without its own.
    std::vector<char> buffer(static_cast<std::size_t>(bufferBytes) + 1, '\0');
    if (!registry.ReadValue(valueName, buffer.data(), bufferBytes, keyPath.c_str())) return false;
    std::string read(buffer.data());
    if (read.size() > maxLength) read.resize(maxLength);
    *text = read;
    return true;
}

std::vector<AppModeRule> LoadAppModeRules(CRegistry& registry) {
    std::vector<AppModeRule> rules;
    for (const std::string& application : RuleKeyNames(registry)) {
        AppModeRule rule;
        rule.application = application.substr(0, kRuleTextLength);
        if (!ReadRuleMode(registry, application, &rule.mode)) continue;
        if (rule.mode == kModeAdjustmentData)
            ReadRuleSetName(registry, application, &rule.modeName);
        rules.push_back(rule);
    }
    return rules;
}

const AppModeRule* FindAppModeRule(const std::vector<AppModeRule>& rules,
                                   const std::string& application) {
    for (const AppModeRule& rule : rules) {
        if (SameApplication(rule.application, application)) return &rule;
    }
    return nullptr;
}

bool ReadRuleSetName(CRegistry& registry, const std::string& application, std::string* name) {
    return ReadBoundedText(registry, kModeNameValue, kModeNameBytes, kRuleTextLength,
                           RuleKeyPath(application), name);
}

bool StoreAppModeRule(CRegistry& registry, const AppModeRule& rule) {
    if (rule.application.empty()) return false;
    const std::string key = RuleKeyPath(rule.application);
    if (!registry.WriteDword(kModeValue, static_cast<std::uint32_t>(rule.mode), key.c_str())) {
        return false;
    }
    if (rule.mode != kModeAdjustmentData) {
        registry.DeleteValue(kModeNameValue, key.c_str());
        return true;
    }
    return registry.WriteString(kModeNameValue, rule.modeName.c_str(),
                                static_cast<std::uint32_t>(rule.modeName.size() + 1),
                                key.c_str()) != 0;
}

bool DeleteAppModeRule(CRegistry& registry, const std::string& application) {
    if (application.empty()) return false;
    return registry.DeleteSubkey(application.c_str(), TonlKeyPath().c_str()) != 0;
}

std::vector<std::string> RemoveOrphanedRules(CRegistry& registry) {
    std::vector<std::string> orphaned;
    for (const std::string& application : RuleKeyNames(registry)) {
        std::int32_t mode = kNoRuleMode;
        std::string name;
        if (!ReadRuleMode(registry, application, &mode) || mode != kModeAdjustmentData) continue;
        if (ReadRuleSetName(registry, application, &name)) continue;
        orphaned.push_back(application);
    }
    for (const std::string& application : orphaned) DeleteAppModeRule(registry, application);
    return orphaned;
}
