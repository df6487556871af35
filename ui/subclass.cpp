#include "ui/subclass.h"

#include <commctrl.h>

namespace ui {

namespace {
// One hook of ours per control; the procedure address and this id find it again.
constexpr UINT_PTR kHookId = 0x5543;
}  // namespace

SubclassHook::~SubclassHook() {
    Unsubclass();
}

bool SubclassHook::Subclass(HWND control) {
    if (control == nullptr) return false;
    Unsubclass();
    if (!::SetWindowSubclass(control, HookProc, kHookId, reinterpret_cast<DWORD_PTR>(this))) return false;
    hooked_ = control;
    OnSubclassed();
    return true;
}

void SubclassHook::Unsubclass() {
    if (hooked_ != nullptr) {
        if (::IsWindow(hooked_)) ::RemoveWindowSubclass(hooked_, HookProc, kHookId);
        hooked_ = nullptr;
    }
}

SubclassHook* SubclassHook::FromHandle(HWND control) {
    DWORD_PTR self = 0;
    if (control == nullptr || !::GetWindowSubclass(control, HookProc, kHookId, &self)) return nullptr;
    return reinterpret_cast<SubclassHook*>(self);
}

bool SubclassHook::Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    SubclassHook* hook = FromHandle(control);
    if (hook == nullptr) return false;
    return hook->OnReflect(message, wParam, lParam, result);
}

LRESULT SubclassHook::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(hooked_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassHook::HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR reference) {
    SubclassHook* self = reinterpret_cast<SubclassHook*>(reference);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, HookProc, id);
        if (self != nullptr && self->hooked_ == window) self->hooked_ = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window manager.
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
}

}  // namespace ui
