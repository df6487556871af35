#include "modes/mode_switcher.h"

#include "modes/mode_lists.h"

namespace {

bool OnDisplay(const CMonitorStatus& record, const std::string* onlyDisplay) {
    return onlyDisplay == nullptr || record.m_strDeviceName == *onlyDisplay;
}

SwitchTarget TargetOfItem(const TargetItem& item) {
    SwitchTarget target;
    if (item.IsSet()) {
        target.kind = SwitchTarget::Kind::AdjustmentSet;
        target.mode = kModeAdjustmentData;
        target.setName = item.setName;
    } else if (item.data >= kFirstDisplayMode && item.data <= kLastDisplayMode) {
        target.kind = SwitchTarget::Kind::Mode;
        target.mode = item.data;
    }
    return target;
}

}  // namespace

SwitchTarget ResolveSwitchTarget(CRegistry& registry, const std::vector<AppModeRule>& rules,
                                 const std::string& application, const TargetItem* defaultTarget) {
    if (const AppModeRule* rule = FindAppModeRule(rules, application)) {
        SwitchTarget target;
        if (rule->mode == kModeAdjustmentData) {
            // The colour page may have deleted the set since the rules were
            // loaded; it removes the name, so the name is read fresh.
            if (ReadRuleSetName(registry, rule->application, &target.setName)) {
                target.kind = SwitchTarget::Kind::AdjustmentSet;
                target.mode = kModeAdjustmentData;
                return target;
            }
        } else {
            // A stored value that is no real mode changes nothing.
            if (rule->mode >= kFirstDisplayMode && rule->mode <= kLastDisplayMode) {
                target.kind = SwitchTarget::Kind::Mode;
                target.mode = rule->mode;
            }
            return target;
        }
    }
    if (defaultTarget == nullptr) return SwitchTarget();
    return TargetOfItem(*defaultTarget);
}

void CModeSwitcher::Apply(const SwitchTarget& target, const std::string* onlyDisplay) {
    switch (target.kind) {
        case SwitchTarget::Kind::Mode:
            PutMode(target.mode, onlyDisplay);
            break;
        case SwitchTarget::Kind::AdjustmentSet:
            ApplySet(target.setName, onlyDisplay);
            break;
        case SwitchTarget::Kind::Nothing:
            break;
    }
}

void CModeSwitcher::PutMode(DisplayMode mode, const std::string* onlyDisplay) {
    // Every record is visited on its own, so two monitors sharing one display
    // each get the mode.
    for (int i = 0; i < m_all.Count(); ++i) {
        CMonitorStatus* record = m_all.At(i);
        if (record != nullptr && OnDisplay(*record, onlyDisplay)) PutModeOn(*record, mode);
    }
}

bool CModeSwitcher::PutModeOn(CMonitorStatus& record, DisplayMode mode) {
    // A monitor without the mode is not even claimed.
    if (mode < kFirstDisplayMode || mode > kLastDisplayMode ||
        (record.m_ModeInfo.ModeMask() & DisplayModeMaskBit(mode)) == 0) {
        return false;
    }
    bool written = false;
    if (m_list.AcquireMonitor(record.m_phPhysicalMonitor, true)) {
        DisplayMode current = -1;
        if (ReadCurrentMode(m_list, record, false, &current) && current != mode) {
            written = WriteDisplayMode(m_list, record, mode, true);
            if (written) record.m_nRecordedMode = mode;
        }
    }
    m_list.ReleaseMonitor(record.m_phPhysicalMonitor);
    return written;
}

int CModeSwitcher::ApplySet(const std::string& name, const std::string* onlyDisplay) {
    std::string model;
    if (!m_sets.ModelOf(name, &model)) return -1;
    int matching = 0;
    for (int i = 0; i < m_all.Count(); ++i) {
        CMonitorStatus* record = m_all.At(i);
        if (record == nullptr || !m_sets.IsForMonitor(name, *record)) continue;
        ++matching;
        if (OnDisplay(*record, onlyDisplay)) ApplySetOn(*record, name);
    }
    return matching;
}

void CModeSwitcher::ApplySetOn(CMonitorStatus& record, const std::string& name) {
    // Unlike a restore on the colour page, a monitor that refuses adjustment
    // gets nothing at all, not even the end of the adjustment.
    if (m_list.AcquireMonitor(record.m_phPhysicalMonitor, true) && m_list.IsMonitorReady(&record)) {
        if (m_onLongWork) m_onLongWork(true);
        m_sets.Restore(name, m_list, record);
        if (m_onLongWork) m_onLongWork(false);
    }
    m_list.ReleaseMonitor(record.m_phPhysicalMonitor);
    record.m_nRecordedMode = kModeAdjustmentData;
}
