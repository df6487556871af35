#include "shell/tray_icon.h"

namespace shell {

bool CallTrayWithRetry(TrayShell& shell, platform::Clock& clock, TrayMessage message, int iconId,
                       const std::string& tip) {
    const TrayMessage confirm =
        message == TrayMessage::Delete ? TrayMessage::Delete : TrayMessage::Modify;
    bool result = false;
    for (int attempt = 0; attempt < kTrayAttempts; ++attempt) {
        std::uint32_t error = 0;
        result = shell.Notify(message, iconId, tip, &error);
        if (result || error != kErrorTimeout) break;
        clock.Sleep(kTrayRetryWaitMs);
        result = shell.Notify(confirm, iconId, tip, &error);
        if (result) break;
    }
    return result;
}

bool UpdateTrayIcon(TrayShell& shell, platform::Clock& clock, std::int32_t* trayState,
                    bool hasCurrentMonitor, const std::string& tip) {
    if (*trayState == kTrayNotAdded) {
        if (!CallTrayWithRetry(shell, clock, TrayMessage::Add, IDI_NO_MONITOR, tip)) return false;
    }
    if (hasCurrentMonitor && *trayState != kTrayMonitor) {
        CallTrayWithRetry(shell, clock, TrayMessage::Modify, IDR_MAINFRAME, tip);
        *trayState = kTrayMonitor;
    } else if (!hasCurrentMonitor && *trayState != kTrayNoMonitor) {
        CallTrayWithRetry(shell, clock, TrayMessage::Modify, IDI_NO_MONITOR, tip);
        *trayState = kTrayNoMonitor;
    }
    return true;
}

}  // namespace shell
