#pragma once
// Decisions around rebuilding the monitor records: whether the set of monitors
// changed, which monitor stays current, when a display change is settled and
// which monitor the settings window now stands on.
#include <cstdint>
#include <string>
#include <vector>

namespace shell {

// The rebuild remembers this many identities of the previous set.
inline constexpr std::size_t kRememberedIdentities = 10;

// Identities (serial number followed by model name) of the records in order,
// cut to the ones a rebuild remembers.
std::vector<std::string> RememberIdentities(const std::vector<std::string>& identities);

// True when the set changed: same non-zero count but a different identity at
// some remembered position. A different count is not reported as a change
// (monitors coming and going are handled by the display-change path itself).
bool IdentitiesChanged(const std::vector<std::string>& remembered, std::size_t oldCount,
                       const std::vector<std::string>& current);

// First index whose identity equals `identity`, -1 when none (or when the
// identity is empty: no monitor was current).
int FindByIdentity(const std::vector<std::string>& identities, const std::string& identity);

// First index whose device name equals `deviceName` byte for byte, -1 when none.
int FindByDeviceName(const std::vector<std::string>& deviceNames, const std::string& deviceName);

// The settings window follows the monitor it stands on.
class CurrentMonitorFollower {
public:
    // Returns the record index to make current, or -1 when nothing changes.
    int OnWindowDisplay(const std::string& displayName,
                        const std::vector<std::string>& recordDeviceNames);
    void Forget() { m_strLastDisplay.clear(); }
    const std::string& LastDisplay() const { return m_strLastDisplay; }

private:
    std::string m_strLastDisplay;
};

// WM_DISPLAYCHANGE arrives in bursts while the desktop is rearranged; the
// rebuild waits for one quiet second, and for any adjustment in progress.
class DisplayChangeSettler {
public:
    // Returns true when the settle timer must be started.
    bool OnDisplayChange();
    enum class TimerOutcome { KeepWaiting, StopTimer, StopTimerAndRebuild };
    TimerOutcome OnSettleTimer(bool busy);
    bool Pending() const { return m_bDisplayChangePending; }

private:
    bool m_bDisplayChangePending = false;
};

// What the settle does once the records were rebuilt.
struct SettleResult {
    int selectIndex = -1;   // keep this monitor current, -1 to keep the rebuild's choice
    bool closeAll = false;  // close every secondary dialog
    bool notifyModePage = false;
};
SettleResult AfterSettleRebuild(bool changed, const std::string& previousCurrentIdentity,
                                const std::vector<std::string>& identities);

}  // namespace shell
