#pragma once
// The foreground watch of automatic mode switching, run every 100 ms. It looks
// at the window in front and reports an application to evaluate once per new
// foreground window, and again when that window has moved to another display.
// While nothing changes it asks only which window is in front and where it
// lies: no process snapshot, no monitor traffic. Which display holds the window
// costs far more to ask than its rectangle, so that is asked when the window
// has moved, and otherwise once a second for a rearranged desktop.
#include <functional>
#include <string>
#include <vector>

#include "platform/foreground.h"
#include "platform/processes.h"

struct ForegroundChange {
    platform::WindowHandle window = 0;
    std::string application;  // the name rules are keyed by
    std::string display;      // device name of the display under the window; "" for none
};

// Whether the watch runs at all: automatic switching is on, and the settings
// window is either hidden or showing the mode page.
bool ForegroundWatchActive(bool switchingOn, bool settingsShown, bool modePageVisible);

// Two display device names name the same monitor of the list when they are equal
// or both name one of its records (`recordNames`, the records' device names).
// Windows compares device names without regard to case, so "\\.\DISPLAY2" and
// "\\.\display2" name the same display.
bool SameMonitorOfList(const std::string& a, const std::string& b,
                       const std::vector<std::string>& recordNames);

class CForegroundWatch {
public:
    CForegroundWatch(platform::Foreground& windows, platform::Processes& processes)
        : m_windows(windows), m_processes(processes) {}

    // One period. True when `change` holds an application to evaluate.
    bool Poll(ForegroundChange* change);
    // Forgets the last window, so that whatever is in front counts as new.
    void Forget();
    // The device names of the monitor list's records, asked when the window in
    // front seems to have changed display. Without it only equal names match.
    void SetRecordNames(std::function<std::vector<std::string>()> recordNames) {
        m_recordNames = std::move(recordNames);
    }
    // The application of the last evaluated window; "" when that window belonged
    // to none (the program itself, the desktop, a process that is gone).
    const std::string& LastApplication() const { return m_lastApplication; }

private:
    platform::Foreground& m_windows;
    platform::Processes& m_processes;
    platform::WindowHandle m_lastWindow = 0;
    std::string m_lastDisplay;
    platform::Rect m_lastRect;
    int m_periodsSinceDisplayCheck = 0;
    std::string m_lastApplication;
    std::function<std::vector<std::string>()> m_recordNames;
};
