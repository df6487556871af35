// The launcher program: the utility disk's start menu.
#include <windows.h>

#include "launcher/win/launcher_app.h"
#include "ui/system_library.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The launcher runs elevated from a disk anyone can copy: no library that
    // lies beside it may be loaded, not even one a system library asks for.
    ui::RestrictLibrarySearch();
    CLauncherApp app;
    return app.Run();
}
