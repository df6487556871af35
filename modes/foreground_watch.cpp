#include "modes/foreground_watch.h"

#include "modes/application_name.h"

namespace {

// Periods after which the display under an unmoved window is asked again.
constexpr int kDisplayCheckPeriods = 10;

}  // namespace

bool ForegroundWatchActive(bool switchingOn, bool settingsShown, bool modePageVisible) {
    // With another page in front the user is adjusting a monitor by hand; the
    // watch must not switch it under them.
    return switchingOn && (!settingsShown || modePageVisible);
}

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

bool SameMonitorOfList(const std::string& a, const std::string& b,
                       const std::vector<std::string>& recordNames) {
    if (a == b) return true;
    for (const std::string& name : recordNames) {
        if (EqualIgnoringCase(name, a) && EqualIgnoringCase(name, b)) return true;
    }
    return false;
}

void CForegroundWatch::Forget() {
    m_lastWindow = 0;
    m_lastDisplay.clear();
    m_lastRect = platform::Rect();
}

bool CForegroundWatch::Poll(ForegroundChange* change) {
    const platform::WindowHandle window = m_windows.ForegroundWindow();
    // A minimised or hidden window is not remembered, so restoring it later is no
    // change unless another window was evaluated in between.
    if (window == 0 || !m_windows.IsShown(window)) return false;
    platform::Rect rect;
    m_windows.WindowRect(window, &rect);
    if (window == m_lastWindow && rect == m_lastRect &&
        ++m_periodsSinceDisplayCheck < kDisplayCheckPeriods) {
        return false;
    }
    m_periodsSinceDisplayCheck = 0;
    m_lastRect = rect;
    const std::string display = m_windows.DisplayOf(window);
    if (window == m_lastWindow &&
        SameMonitorOfList(display, m_lastDisplay,
                          m_recordNames ? m_recordNames() : std::vector<std::string>()))
        return false;

    m_lastWindow = window;
    m_lastDisplay = display;
    m_lastApplication.clear();

    const std::uint32_t processId = m_windows.ProcessOf(window);
    std::string application;
    if (processId == 0 || !ApplicationOfProcess(m_processes, processId, &application)) return false;
    if (application == kOwnApplicationName || processId == m_processes.OwnProcessId()) return false;
    application = ApplicationForWindowClass(application, m_windows.ClassName(window));
    if (application.empty()) return false;

    m_lastApplication = application;
    if (change != nullptr) {
        change->window = window;
        change->application = application;
        change->display = display;
    }
    return true;
}
