// The launcher program: the utility disk's start menu.
#include <windows.h>

#include "launcher/win/launcher_app.h"
#include "ui/system_library.h"

namespace {

// Nothing in the launcher takes typed text (its only lists drop down), so its
// threads need no input method: without one no input-method window is made when
// the main window first takes the focus, and keys reach the links and mnemonics
// directly even while a Japanese input method is switched on. Must come before
// the process makes its first window.
void GoWithoutInputMethod() {
    using DisableCall = BOOL(WINAPI*)(DWORD);
    const HMODULE imm = ui::LoadSystemLibrary(L"imm32.dll");
    if (auto disable = ui::LibraryFunction<DisableCall>(imm, "ImmDisableIME")) {
        disable(static_cast<DWORD>(-1));  // every thread of the process
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The launcher runs elevated from a disk anyone can copy: no library that
    // lies beside it may be loaded, not even one a system library asks for.
    ui::RestrictLibrarySearch();
    GoWithoutInputMethod();
    CLauncherApp app;
    return app.Run();
}
