#include "modes/stored_adjustments.h"

#include "modes/adjustment_restore.h"

std::vector<std::string> CStoredAdjustments::Names() {
    return m_store.Names();
}

bool CStoredAdjustments::ModelOf(const std::string& name, std::string* model) {
    AdjustmentData data;
    if (model == nullptr || !m_store.Read(name, &data)) return false;
    *model = data.modelName;
    return true;
}

bool CStoredAdjustments::IsForMonitor(const std::string& name, const CMonitorStatus& record) {
    AdjustmentData data;
    return m_store.Read(name, &data) && IsSetForModel(data, record.m_strModelName);
}

void CStoredAdjustments::Restore(const std::string& name, MonitorList& list,
                                 const CMonitorStatus& record) {
    AdjustmentData data;
    if (m_store.Read(name, &data)) ApplyAdjustmentData(list, record, data);
}
