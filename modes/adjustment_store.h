#pragma once
// The saved adjustment data sets: one binary value per set, named after it, in the
// `Color` subkey of the settings root. Application rules of the automatic mode
// switching refer to sets by name (`Tonl`\<application> "ModeName").
#include <string>
#include <vector>

#include "modes/adjustment_data.h"
#include "platform/registry.h"

class AdjustmentStore {
public:
    explicit AdjustmentStore(platform::Registry& registry) : m_registry(registry) {}

    static std::string KeyPath();
    static std::string RulesKeyPath();

    // Names of the saved sets in stored order. Only names are listed (a set of any
    // size shows); empty names and entries that cannot be enumerated are skipped.
    std::vector<std::string> Names() const;
    // False when the value is absent or is not exactly one record.
    bool Read(const std::string& name, AdjustmentData* data) const;
    // Replaces a set of the same name. A set without a name is never stored.
    bool Write(const std::string& name, const AdjustmentData& data);
    bool Delete(const std::string& name);
    // Removes "ModeName" from every application rule that names the set (exact
    // comparison); the rules' "Mode" stays for the rule editor to clean up.
    void ForgetInRules(const std::string& name);

private:
    platform::Registry& m_registry;
};
