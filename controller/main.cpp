#include <windows.h>

#include "controller/controller_features.h"
#include "controller/controller_pages.h"
#include "shell/win/vistrel_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Command-line arguments have no meaning for the controller.
    CVistrelApp app;
    app.m_pageFactory = MakeControllerPage;
    AddControllerFeatures(app);
    return app.Run();
}
