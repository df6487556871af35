#include <windows.h>

#include "shell/win/vistrel_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Command-line arguments have no meaning for the controller.
    CVistrelApp app;
    return app.Run();
}
