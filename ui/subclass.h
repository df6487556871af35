#pragma once
// Subclassing of a control that already exists (a dialog item), for controls that
// draw or react by themselves. The dialog reflects the notifications a control sends
// to its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL,
// WM_DRAWITEM) back to the control's OnReflect first, so such a control carries its
// own colours and click handling wherever it is placed.
#include "ui/window.h"

namespace ui {

class SubclassHook {
public:
    virtual ~SubclassHook();

    bool Subclass(HWND control);
    void Unsubclass();
    HWND SubclassedHandle() const { return hooked_; }

    // The hook installed on a window, or null.
    static SubclassHook* FromHandle(HWND control);
    // Offers a notification to the control it concerns; true when that control took it.
    static bool Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Called once the hook is in place (the control's style and font may be changed here).
    virtual void OnSubclassed() {}
    // Messages sent to the control; the default passes them on unchanged.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return Default(message, wParam, lParam);
    }
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification the parent received from this control, with the parent's message
    // number; set result and return true to answer it here.
    virtual bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return false;
    }

private:
    static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hooked_ = nullptr;
};

// A control wrapper with the hook: class HyperLink : public Subclassed<Static>.
template <class Control>
class Subclassed : public Control, public SubclassHook {
public:
    bool SubclassItem(HWND parent, int id) { return SubclassWindow(::GetDlgItem(parent, id)); }
    bool SubclassWindow(HWND control) {
        if (control == nullptr) return false;
        Control::Attach(control);
        return Subclass(control);
    }
};

}  // namespace ui
