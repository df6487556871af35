#pragma once
// The foreground and top-level windows through user32.
#include <windows.h>

#include "platform/foreground.h"

namespace platform {

class Win32Foreground final : public Foreground {
public:
    WindowHandle ForegroundWindow() override;
    bool IsShown(WindowHandle window) override;
    std::uint32_t ProcessOf(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    bool WindowRect(WindowHandle window, Rect* rect) override;
    std::string DisplayOf(WindowHandle window) override;
    std::vector<TopLevelWindow> TopLevelWindows() override;
};

}  // namespace platform
