#include "ui/subclass.h"

#include <commctrl.h>

namespace ui {

namespace {
// One hook of ours per control. The object is also kept in a window property: MinGW's
// import library lacks GetWindowSubclass, and reflection must find it from the handle.
constexpr UINT_PTR kHookId = 0x5543;
const TCHAR kObjectProperty[] = TEXT("ui.Subclass");
}  // namespace

SubclassHook::~SubclassHook() {
    Unsubclass();
}

bool SubclassHook::Subclass(HWND control) {
    if (control == nullptr) return false;
    Unsubclass();
    if (!::SetWindowSubclass(control, HookProc, kHookId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    ::SetProp(control, kObjectProperty, this);
    hooked_ = control;
    OnSubclassed();
    return true;
}

void SubclassHook::Unsubclass() {
    if (hooked_ != nullptr) {
        if (::IsWindow(hooked_)) {
            ::RemoveProp(hooked_, kObjectProperty);
            ::RemoveWindowSubclass(hooked_, HookProc, kHookId);
        }
        hooked_ = nullptr;
    }
}

SubclassHook* SubclassHook::FromHandle(HWND control) {
    if (control == nullptr) return nullptr;
    return static_cast<SubclassHook*>(::GetProp(control, kObjectProperty));
}

bool SubclassHook::Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) {
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
        ::RemoveProp(window, kObjectProperty);
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
