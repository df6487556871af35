// The launcher program: the utility disk's start menu.
#include <windows.h>

#include "launcher/win/launcher_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CLauncherApp app;
    return app.Run();
}
