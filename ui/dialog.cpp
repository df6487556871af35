#include "ui/dialog.h"

#include <commctrl.h>

#include <unordered_map>

#include "ui/application.h"
#include "ui/resource_string.h"
#include "ui/subclass.h"
#include "ui/wait_cursor.h"

namespace ui {

namespace {

// The object behind each dialog window of this process. Asked for every message
// (the dialog procedure and the pre-translation walk up the parents), so it is
// kept here: a window property is a round trip to the Wine server each time, and
// a resident program's idle timers paid several per tick.
std::unordered_map<HWND, Dialog*>& Objects() {
    static std::unordered_map<HWND, Dialog*> objects;
    return objects;
}

// Templates name trackbars, tabs and up-down controls by class; those classes exist
// only once the common controls have been initialised in this process.
void EnsureCommonControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS |
                 ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES;
    ::InitCommonControlsEx(&init);
    done = true;
}

bool ReturnsValueDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

}  // namespace

Dialog::Dialog(UINT templateId, HINSTANCE resources)
    : templateId_(templateId), resources_(resources) {}

Dialog::~Dialog() {
    HWND window = Handle();
    if (window != nullptr && ::IsWindow(window)) {
        // The window outlives its object: cut it loose before it goes, so the dialog
        // procedure never reaches a destroyed object.
        Unbind();
        ::DestroyWindow(window);
    }
}

Dialog* Dialog::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    const auto found = Objects().find(window);
    return found != Objects().end() ? found->second : nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (IsWindow()) return -1;
    EnsureCommonControls();
    if (owner != nullptr) owner = ::GetAncestor(owner, GA_ROOT);
    modal_ = true;
    ending_ = false;
    result_ = -1;
    HWND window = CreateFromTemplate(owner);
    if (window == nullptr) {
        modal_ = false;
        return -1;
    }
    bool ownerDisabled = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    if (!ending_ && ::IsWindow(window)) ::ShowWindow(window, SW_SHOWNORMAL);

    MSG message{};
    while (!ending_ && ::IsWindow(window)) {
        BOOL got = ::GetMessage(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The outer loop must still see the quit request.
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (Application::PreTranslate(message)) continue;
        if (::IsDialogMessage(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessage(&message);
    }

    // Enable the owner before the dialog goes, or Windows activates some other program.
    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    if (::IsWindow(window)) ::DestroyWindow(window);
    modal_ = false;
    return result_;
}

HWND Dialog::CreateFromTemplate(HWND parent) {
    HINSTANCE resources = resources_ != nullptr ? resources_ : ResourceInstance();
    if (memoryTemplate_ != nullptr) {
        return ::CreateDialogIndirectParam(resources, memoryTemplate_, parent, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    }
    return ::CreateDialogParam(resources, MAKEINTRESOURCE(templateId_), parent, DialogProc,
                               reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create(HWND parent) {
    if (IsWindow()) return false;
    EnsureCommonControls();
    modal_ = false;
    ending_ = false;
    HWND window = CreateFromTemplate(parent);
    if (window == nullptr) return false;
    if ((::GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD) == 0) Application::AddModeless(window);
    return true;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    if (modal_) {
        ending_ = true;
        // Wake the modal loop if it is waiting in GetMessage.
        if (Handle() != nullptr) ::PostMessage(Handle(), WM_NULL, 0, 0);
    } else if (IsWindow()) {
        ::DestroyWindow(Handle());
    }
}

void Dialog::Bind(HWND window) {
    Attach(window);
    Objects()[window] = this;
}

void Dialog::Unbind() {
    HWND window = Handle();
    if (window == nullptr) return;
    Objects().erase(window);
    Application::RemoveModeless(window);
    if (Application* application = Application::Current()) {
        if (application->MainWindow() == window) {
            application->SetMainWindow(nullptr);
            ::PostQuitMessage(0);
        }
    }
    Detach();
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        if (self != nullptr) self->Bind(window);
    } else {
        self = FromHandle(window);
    }
    if (self == nullptr) return FALSE;

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Dispatch(message, wParam, lParam, result);
        if (message == WM_NCDESTROY) {
            // The handlers may have ended a modal run by destroying the window.
            self->ending_ = true;
            self->Unbind();
            self->PostNcDestroy();  // may delete the object
        }
    } catch (...) {
        // Nothing may unwind through the window manager; the message falls back to
        // the default dialog processing.
        return FALSE;
    }

    if (ReturnsValueDirectly(message)) {
        if (message == WM_INITDIALOG) return handled ? static_cast<INT_PTR>(result) : TRUE;
        return handled ? static_cast<INT_PTR>(result) : FALSE;
    }
    if (!handled) return FALSE;
    // Reading the value is local, writing it a server round trip: most handled
    // messages (timers above all) leave the 0 that is already there.
    if (::GetWindowLongPtr(window, DWLP_MSGRESULT) != result) {
        ::SetWindowLongPtr(window, DWLP_MSGRESULT, result);
    }
    return TRUE;
}

bool Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_INITDIALOG:
            result = OnInitDialog() ? TRUE : FALSE;
            return true;

        case WM_COMMAND: {
            HWND control = reinterpret_cast<HWND>(lParam);
            if (control != nullptr &&
                SubclassHook::Reflect(control, message, wParam, lParam, result)) {
                return true;
            }
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            if (OnCommand(id, code, control)) return true;
            // Buttons report BN_CLICKED (0); Enter and Esc arrive as code 0 or 1.
            if (code == BN_CLICKED || code == 1) {
                if (id == IDOK) {
                    OnOK();
                    return true;
                }
                if (id == IDCANCEL) {
                    OnCancel();
                    return true;
                }
            }
            return false;
        }

        case WM_NOTIFY: {
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            if (header == nullptr) return false;
            if (SubclassHook::Reflect(header->hwndFrom, message, wParam, lParam, result))
                return true;
            return OnNotify(static_cast<int>(header->idFrom), header, result);
        }

        case WM_HSCROLL:
        case WM_VSCROLL: {
            HWND control = reinterpret_cast<HWND>(lParam);
            if (control != nullptr &&
                SubclassHook::Reflect(control, message, wParam, lParam, result)) {
                return true;
            }
            int code = LOWORD(wParam);
            int position = static_cast<short>(HIWORD(wParam));
            return message == WM_HSCROLL ? OnHScroll(code, position, control)
                                         : OnVScroll(code, position, control);
        }

        case WM_TIMER:
            return OnTimer(static_cast<UINT_PTR>(wParam));

        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: {
            HWND control = reinterpret_cast<HWND>(lParam);
            LRESULT reflected = 0;
            if (control != Handle() &&
                SubclassHook::Reflect(control, message, wParam, lParam, reflected) &&
                reflected != 0 &&
                reinterpret_cast<HGDIOBJ>(reflected) != ::GetStockObject(NULL_BRUSH)) {
                result = reflected;
                return true;
            }
            // A control that set its colours and answered with the hollow brush asks for
            // no background of its own: the dialog may still give it the page's pattern.
            HBRUSH brush =
                OnCtlColor(reinterpret_cast<HDC>(wParam), control, message - WM_CTLCOLORMSGBOX);
            if (brush == nullptr) brush = reinterpret_cast<HBRUSH>(reflected);
            if (brush == nullptr) return false;
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }

        case WM_DRAWITEM: {
            DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item != nullptr && item->CtlType != ODT_MENU &&
                SubclassHook::Reflect(item->hwndItem, message, wParam, lParam, result)) {
                return true;
            }
            return OnMessage(message, wParam, lParam, result);
        }

        case WM_SETCURSOR:
            if (RestoreWaitCursor()) {
                result = TRUE;
                return true;
            }
            return OnMessage(message, wParam, lParam, result);

        case WM_DESTROY:
            OnDestroy();
            return OnMessage(message, wParam, lParam, result);

        default:
            return OnMessage(message, wParam, lParam, result);
    }
}

}  // namespace ui
