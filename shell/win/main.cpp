#include <windows.h>

#include "calmira/win/calmira_features.h"
#include "shell/win/controller_pages.h"
#include "shell/win/vistrel_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Command-line arguments have no meaning for the controller.
    CVistrelApp app;
    app.m_pageFactory = MakeControllerPage;
    AddCalmiraFeatures(app);
    return app.Run();
}
