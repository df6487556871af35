#pragma once
// The notification-area icon: the call with retry and the icon state that
// follows the current monitor. The shell answers slowly while it starts (after
// logon, after an explorer restart), hence the long retry.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "resources/controller/resource.h"

namespace shell {

enum class TrayMessage { Add, Modify, Delete };

inline constexpr std::uint32_t kErrorTimeout = 1460;
inline constexpr int kTrayAttempts = 180;
inline constexpr std::uint32_t kTrayRetryWaitMs = 1000;

// Shell_NotifyIconA with the controller's icon record (window, id 0, callback
// 0x464, the given icon and tip).
class TrayShell {
public:
    virtual ~TrayShell() = default;
    // Returns the call's success; on failure *lastError holds GetLastError.
    virtual bool Notify(TrayMessage message, int iconId, const std::string& tip,
                        std::uint32_t* lastError) = 0;
    // Modifies the icon with a balloon (information icon, title, text, time-out).
    // An empty text takes a shown balloon down. False where balloons are not
    // available.
    virtual bool Balloon(int iconId, const std::string& tip, const std::string& title,
                         const std::string& text, std::uint32_t timeoutMs) {
        return false;
    }
};

// Up to 180 tries. A time-out may mean the shell did take the request, so after
// each time-out a wait and a modify of the same record tells whether the icon is
// there. A delete is confirmed by another delete instead, because a modify that
// succeeds then means the icon is still shown.
bool CallTrayWithRetry(TrayShell& shell, platform::Clock& clock, TrayMessage message, int iconId,
                       const std::string& tip);

// m_nTrayState: 0 = not added, 1 = monitor icon, 2 = no-monitor icon.
enum TrayState : std::int32_t { kTrayNotAdded = 0, kTrayMonitor = 1, kTrayNoMonitor = 2 };

// Brings the icon in line with whether a current monitor exists. Returns false
// only when the icon had to be added and could not be.
bool UpdateTrayIcon(TrayShell& shell, platform::Clock& clock, std::int32_t* trayState,
                    bool hasCurrentMonitor, const std::string& tip);

}  // namespace shell
