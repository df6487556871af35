#pragma once
// The entries of the mode page's application list, in list order: every rule
// first, then the running applications without one. Each entry carries the rule
// it shows and whether that rule is stored.
#include <cstdint>
#include <string>
#include <vector>

#include "modes/app_rules.h"

struct ApplicationEntry {
    AppModeRule rule;
    std::int32_t registered = 0;
};

class CApplicationList {
public:
    const std::vector<ApplicationEntry>& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    // Null when the index is out of range.
    ApplicationEntry* At(int index);
    // The entry of this application (case does not matter); -1 when absent.
    int Find(const std::string& application) const;

    // Appends the stored rules.
    void AddRules(const std::vector<AppModeRule>& rules);
    // Appends a running application without a rule unless it is listed already;
    // returns its index either way.
    int AddRunning(const std::string& application);
    // The entry's rule was stored.
    void MarkStored(int index, const AppModeRule& rule);
    // The entry's rule is gone: no target, not stored.
    void Reset(int index);
    void Clear() { m_entries.clear(); }

private:
    std::vector<ApplicationEntry> m_entries;
};
