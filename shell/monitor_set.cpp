#include "shell/monitor_set.h"

namespace shell {

std::vector<std::string> RememberIdentities(const std::vector<std::string>& identities) {
    std::vector<std::string> remembered;
    for (std::size_t i = 0; i < identities.size() && i < kRememberedIdentities; ++i) {
        remembered.push_back(identities[i]);
    }
    return remembered;
}

bool IdentitiesChanged(const std::vector<std::string>& remembered, std::size_t oldCount,
                       const std::vector<std::string>& current) {
    if (oldCount == 0 || oldCount != current.size()) return false;
    // Only remembered positions can be compared; past ten monitors the rest count as equal.
    for (std::size_t i = 0; i < remembered.size() && i < current.size(); ++i) {
        if (remembered[i] != current[i]) return true;
    }
    return false;
}

int FindByIdentity(const std::vector<std::string>& identities, const std::string& identity) {
    if (identity.empty()) return -1;
    for (std::size_t i = 0; i < identities.size(); ++i) {
        if (identities[i] == identity) return static_cast<int>(i);
    }
    return -1;
}

int FindByDeviceName(const std::vector<std::string>& deviceNames, const std::string& deviceName) {
    for (std::size_t i = 0; i < deviceNames.size(); ++i) {
        if (deviceNames[i] == deviceName) return static_cast<int>(i);
    }
    return -1;
}

int CurrentMonitorFollower::OnWindowDisplay(const std::string& displayName,
                                            const std::vector<std::string>& recordDeviceNames) {
    if (displayName == m_strLastDisplay) return -1;
    m_strLastDisplay = displayName;
    return FindByDeviceName(recordDeviceNames, displayName);
}

bool DisplayChangeSettler::OnDisplayChange() {
    if (m_bDisplayChangePending) return false;
    m_bDisplayChangePending = true;
    return true;
}

DisplayChangeSettler::TimerOutcome DisplayChangeSettler::OnSettleTimer(bool busy) {
    if (busy) return TimerOutcome::KeepWaiting;
    if (!m_bDisplayChangePending) return TimerOutcome::StopTimer;
    m_bDisplayChangePending = false;
    return TimerOutcome::StopTimerAndRebuild;
}

SettleResult AfterSettleRebuild(bool changed, const std::string& previousCurrentIdentity,
                                const std::vector<std::string>& identities) {
    SettleResult result;
    if (!changed) result.selectIndex = FindByIdentity(identities, previousCurrentIdentity);
    result.closeAll = changed;
    result.notifyModePage = changed;
    return result;
}

}  // namespace shell
