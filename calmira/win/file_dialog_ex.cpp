#include "calmira/win/file_dialog_ex.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "calmira/win/resource_ids.h"
#include "resources/controller/resource.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/resource_string.h"
#include "ui/system_library.h"

namespace {

// The hook dialog is a child of the file dialog; the close request reaches it
// and becomes a Cancel of its parent. A posted command reaches exactly that
// dialog, whatever window the user has in front.
UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
    CVistrelApp& app = VistrelApp();
    switch (message) {
        case WM_INITDIALOG:
            app.m_hFileDialogWnd = hook;
            return TRUE;
        case WM_DESTROY:
            if (app.m_hFileDialogWnd == hook) app.m_hFileDialogWnd = nullptr;
            return 0;
        default:
            if (message == shell_ids::kMsgCloseNow) {
                HWND dialog = ::GetParent(hook);
                ::SetForegroundWindow(dialog);
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                if (app.m_hFileDialogWnd == hook) app.m_hFileDialogWnd = nullptr;
                return TRUE;
            }
            return 0;
    }
}

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);

// The common dialog library is loaded when the dialog is first wanted, from the
// system folder only. Linked in, it would bring the print spooler and its
// libraries into the resident program at every start for a dialog that is rarely
// opened. It stays loaded once the dialog has run.
GetOpenFileNameFn OpenFileDialogFunction() {
    static GetOpenFileNameFn function = nullptr;
    if (function != nullptr) return function;
    HMODULE library = ui::LoadSystemLibrary(L"comdlg32.dll");
    if (library == nullptr) return nullptr;
    function = ui::LibraryFunction<GetOpenFileNameFn>(library, "GetOpenFileNameA");
    return function;
}

}  // namespace

bool RunPictureFileDialog(HWND owner, std::string* path) {
    std::string filter = ui::ResourceString(IDS_PICTURE_FILE_FILTER);
    // The resource keeps the pairs separated by '|'; the dialog wants zeros and a
    // final double zero.
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.push_back('\0');
    const std::string extension = ui::ResourceString(IDS_PICTURE_DEFAULT_EXT);
    char file[MAX_PATH] = {};
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter.c_str();
    open.lpstrFile = file;
    open.nMaxFile = MAX_PATH;
    open.lpstrDefExt = extension.c_str();
    open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    open.lpfnHook = HookProc;
    const GetOpenFileNameFn getOpenFileName = OpenFileDialogFunction();
    const BOOL chosen = getOpenFileName != nullptr ? getOpenFileName(&open) : FALSE;
    VistrelApp().m_hFileDialogWnd = nullptr;
    if (!chosen) return false;
    *path = file;
    return true;
}
