// Class and display names are 8-bit, like every other string of the controller.
#undef UNICODE
#undef _UNICODE
#include "platform/win32/foreground_win32.h"

#include <cstring>

namespace platform {
namespace {

HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<std::vector<TopLevelWindow>*>(context);
    TopLevelWindow entry;
    entry.window = reinterpret_cast<WindowHandle>(window);
    entry.visible = ::IsWindowVisible(window) != FALSE;
    entry.hasSystemMenu = (::GetWindowLongPtrA(window, GWL_STYLE) & WS_SYSMENU) != 0;
    windows->push_back(entry);
    return TRUE;
}

}  // namespace

WindowHandle Win32Foreground::ForegroundWindow() {
    return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

bool Win32Foreground::IsShown(WindowHandle window) {
    // Asked every 100 ms about another program's window, where each call is a
    // round trip to the Wine server: one style read answers all three questions.
    // The foreground window is top-level, so its own visible bit is its
    // visibility, and a window that is gone has no style (0, so not visible).
    HWND handle = ToWindow(window);
    if (handle == nullptr) return false;
    const LONG_PTR style = ::GetWindowLongPtrA(handle, GWL_STYLE);
    return (style & WS_VISIBLE) != 0 && (style & WS_MINIMIZE) == 0;
}

std::uint32_t Win32Foreground::ProcessOf(WindowHandle window) {
    DWORD process = 0;
    if (::GetWindowThreadProcessId(ToWindow(window), &process) == 0) return 0;
    return process;
}

std::string Win32Foreground::ClassName(WindowHandle window) {
    char name[129] = {};
    const int length = ::GetClassNameA(ToWindow(window), name, 129);
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

bool Win32Foreground::WindowRect(WindowHandle window, Rect* rect) {
    RECT raw{};
    if (rect == nullptr || !::GetWindowRect(ToWindow(window), &raw)) return false;
    *rect = Rect{raw.left, raw.top, raw.right, raw.bottom};
    return true;
}

std::string Win32Foreground::DisplayOf(WindowHandle window) {
    HMONITOR display = ::MonitorFromWindow(ToWindow(window), MONITOR_DEFAULTTONULL);
    if (display == nullptr) return std::string();
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(display, &info)) return std::string();
    return std::string(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice));
}

std::vector<TopLevelWindow> Win32Foreground::TopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace platform
