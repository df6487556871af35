#pragma once
// A stand-in application for the tests of automatic mode switching: a copy of
// foreground_app.exe under the name the test needs, in the test's work folder,
// with one visible window of its own class.
#include <windows.h>

#include <string>

namespace e2e {

class StandIn {
public:
    StandIn() = default;
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    // Starts `exeName` with a window of `className` at x, y; true once it shows.
    bool Start(const std::string& exeName, const std::string& className, int x, int y);
    HWND Window() const { return m_window; }
    // Brings the window to the front and waits until the system says it is.
    bool ToFront() const;

private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

}  // namespace e2e
