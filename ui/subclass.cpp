#include "ui/subclass.h"

#include <unordered_map>

namespace ui {

namespace {

// Every hooked control of the process with the procedure it had before, for the one
// user-interface thread. Kept here rather than in window properties, and the hook is
// a window procedure of its own rather than a link in comctl32's subclass chain:
// under Wine every property lookup is a round trip to the server, and that chain
// looks its property up twice for each message a control gets (hundreds of times
// while a page of links is made and shown).
struct Hooked {
    SubclassHook* hook;
    WNDPROC previous;
    bool unicode;
};

std::unordered_map<HWND, Hooked>& HookedControls() {
    static std::unordered_map<HWND, Hooked> controls;
    return controls;
}

LRESULT CallPrevious(const Hooked& hooked, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam) {
    return hooked.unicode ? ::CallWindowProcW(hooked.previous, window, message, wParam, lParam)
                          : ::CallWindowProcA(hooked.previous, window, message, wParam, lParam);
}

}  // namespace

SubclassHook::~SubclassHook() {
    Unsubclass();
}

bool SubclassHook::Subclass(HWND control) {
    if (control == nullptr || !::IsWindow(control)) return false;
    Unsubclass();
    auto& controls = HookedControls();
    const auto found = controls.find(control);
    if (found != controls.end()) {
        // One hook of ours per control: a second one takes the control over.
        if (found->second.hook != nullptr) found->second.hook->hooked_ = nullptr;
        found->second.hook = this;
    } else {
        // Messages keep the character set the control has, as they would reach it.
        const bool unicode = ::IsWindowUnicode(control) != FALSE;
        const LONG_PTR hookProc = reinterpret_cast<LONG_PTR>(&HookProc);
        const LONG_PTR previous = unicode ? ::SetWindowLongPtrW(control, GWLP_WNDPROC, hookProc)
                                          : ::SetWindowLongPtrA(control, GWLP_WNDPROC, hookProc);
        if (previous == 0) return false;
        controls.emplace(control, Hooked{this, reinterpret_cast<WNDPROC>(previous), unicode});
    }
    hooked_ = control;
    OnSubclassed();
    return true;
}

void SubclassHook::Unsubclass() {
    if (hooked_ == nullptr) return;
    auto& controls = HookedControls();
    const auto found = controls.find(hooked_);
    if (found != controls.end() && found->second.hook == this) {
        const Hooked& hooked = found->second;
        const LONG_PTR current = hooked.unicode ? ::GetWindowLongPtrW(hooked_, GWLP_WNDPROC)
                                                : ::GetWindowLongPtrA(hooked_, GWLP_WNDPROC);
        if (current == reinterpret_cast<LONG_PTR>(&HookProc)) {
            const LONG_PTR previous = reinterpret_cast<LONG_PTR>(hooked.previous);
            if (hooked.unicode) {
                ::SetWindowLongPtrW(hooked_, GWLP_WNDPROC, previous);
            } else {
                ::SetWindowLongPtrA(hooked_, GWLP_WNDPROC, previous);
            }
            controls.erase(found);
        } else {
            // Someone hooked the control after us and calls our procedure: it stays
            // and passes every message on unchanged until the control goes.
            found->second.hook = nullptr;
        }
    }
    hooked_ = nullptr;
}

SubclassHook* SubclassHook::FromHandle(HWND control) {
    if (control == nullptr) return nullptr;
    const auto found = HookedControls().find(control);
    return found != HookedControls().end() ? found->second.hook : nullptr;
}

bool SubclassHook::Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) {
    SubclassHook* hook = FromHandle(control);
    if (hook == nullptr) return false;
    return hook->OnReflect(message, wParam, lParam, result);
}

LRESULT SubclassHook::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = HookedControls().find(hooked_);
    if (hooked_ == nullptr || found == HookedControls().end()) return 0;
    return CallPrevious(found->second, hooked_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassHook::HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& controls = HookedControls();
    const auto found = controls.find(window);
    if (found == controls.end()) return ::DefWindowProc(window, message, wParam, lParam);
    const Hooked hooked = found->second;
    if (message == WM_NCDESTROY) {
        controls.erase(found);
        if (hooked.hook != nullptr && hooked.hook->hooked_ == window)
            hooked.hook->hooked_ = nullptr;
        return CallPrevious(hooked, window, message, wParam, lParam);
    }
    if (hooked.hook == nullptr) return CallPrevious(hooked, window, message, wParam, lParam);
    try {
        return hooked.hook->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window manager.
        return CallPrevious(hooked, window, message, wParam, lParam);
    }
}

}  // namespace ui
