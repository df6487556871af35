#pragma once
// A desktop of top-level windows that a test arranges by hand: which window is
// in front, whose it is, where it lies, whether it is minimised. Counts the
// questions asked (the costly one, which display holds a window, apart), so a
// test can tell how much an idle period cost.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/foreground.h"

namespace testing_support {

class ScriptedForeground : public platform::Foreground {
public:
    struct Window {
        std::uint32_t processId = 0;
        std::string className = "AppWindow";
        std::string display = "\\\\.\\DISPLAY1";
        platform::Rect rect{100, 100, 500, 400};
        bool visible = true;
        bool minimised = false;
        bool hasSystemMenu = true;
    };

    // Adds a window at the end of the z-order and returns its handle.
    platform::WindowHandle Open(const Window& window) {
        const platform::WindowHandle handle = nextHandle++;
        windows[handle] = window;
        order.push_back(handle);
        return handle;
    }
    void Close(platform::WindowHandle handle) {
        windows.erase(handle);
        std::erase(order, handle);
        if (foreground == handle) foreground = 0;
    }

    platform::WindowHandle ForegroundWindow() override {
        ++calls;
        return foreground;
    }
    bool IsShown(platform::WindowHandle handle) override {
        ++calls;
        auto it = windows.find(handle);
        return it != windows.end() && it->second.visible && !it->second.minimised;
    }
    std::uint32_t ProcessOf(platform::WindowHandle handle) override {
        ++calls;
        auto it = windows.find(handle);
        return it != windows.end() ? it->second.processId : 0;
    }
    std::string ClassName(platform::WindowHandle handle) override {
        ++calls;
        auto it = windows.find(handle);
        return it != windows.end() ? it->second.className : std::string();
    }
    bool WindowRect(platform::WindowHandle handle, platform::Rect* rect) override {
        ++calls;
        auto it = windows.find(handle);
        if (it == windows.end()) return false;
        *rect = it->second.rect;
        return true;
    }
    std::string DisplayOf(platform::WindowHandle handle) override {
        ++displayCalls;
        auto it = windows.find(handle);
        return it != windows.end() ? it->second.display : std::string();
    }
    std::vector<platform::TopLevelWindow> TopLevelWindows() override {
        ++calls;
        std::vector<platform::TopLevelWindow> list;
        for (platform::WindowHandle handle : order) {
            const Window& window = windows[handle];
            list.push_back({handle, window.visible, window.hasSystemMenu});
        }
        return list;
    }

    std::map<platform::WindowHandle, Window> windows;
    std::vector<platform::WindowHandle> order;
    platform::WindowHandle foreground = 0;
    platform::WindowHandle nextHandle = 0x100;
    int calls = 0;
    int displayCalls = 0;
    // Moves a window onto another display, as dragging it there would.
    void Move(platform::WindowHandle handle, const std::string& display, std::int32_t left) {
        Window& window = windows[handle];
        window.display = display;
        window.rect = {left, 100, left + 400, 400};
    }
};

}  // namespace testing_support
