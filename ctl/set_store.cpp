#include "ctl/set_store.h"

#include <algorithm>

#include "modes/adjustment_store.h"

std::vector<std::string> RegistrySetStore::Names() {
    return AdjustmentStore(m_registry).Names();
}

bool RegistrySetStore::Read(const std::string& name, AdjustmentData* data) {
    return AdjustmentStore(m_registry).Read(name, data);
}

bool RegistrySetStore::Write(const std::string& name, const AdjustmentData& data,
                             std::string* problem) {
    if (AdjustmentStore(m_registry).Write(name, data)) return true;
    *problem = "the set could not be written to the registry";
    return false;
}

bool RegistrySetStore::Delete(const std::string& name, std::string* problem) {
    AdjustmentStore store(m_registry);
    const std::vector<std::string> names = store.Names();
    if (std::find(names.begin(), names.end(), name) == names.end()) return false;
    if (!store.Delete(name)) {
        *problem = "the set could not be deleted from the registry";
        return false;
    }
    store.ForgetInRules(name);
    return true;
}
