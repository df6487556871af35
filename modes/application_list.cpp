#include "modes/application_list.h"

#include "modes/application_name.h"

ApplicationEntry* CApplicationList::At(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

int CApplicationList::Find(const std::string& application) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (SameApplication(m_entries[i].rule.application, application)) return static_cast<int>(i);
    }
    return -1;
}

void CApplicationList::AddRules(const std::vector<AppModeRule>& rules) {
    for (const AppModeRule& rule : rules) m_entries.push_back({rule, 1});
}

int CApplicationList::AddRunning(const std::string& application) {
    const int listed = Find(application);
    if (listed >= 0 || application.empty()) return listed;
    AppModeRule rule;
    rule.application = application;
    m_entries.push_back({rule, 0});
    return Count() - 1;
}

void CApplicationList::MarkStored(int index, const AppModeRule& rule) {
    ApplicationEntry* entry = At(index);
    if (entry == nullptr) return;
    entry->rule.mode = rule.mode;
    entry->rule.modeName = rule.modeName;
    entry->registered = 1;
}

void CApplicationList::Reset(int index) {
    ApplicationEntry* entry = At(index);
    if (entry == nullptr) return;
    entry->rule.mode = kNoRuleMode;
    entry->rule.modeName.clear();
    entry->registered = 0;
}
