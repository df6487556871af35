#pragma once
// What the tray icon's mouse actions do, decided from the application state.
#include <cstdint>
#include <vector>

// The tray menu's commands are its resource ids (ID_TRAY_...).
#include "resources/controller/resource.h"

namespace shell {

// The windows that make the tray hold back: any of them open means a modal
// loop is running or the settings window is up.
struct OpenWindows {
    bool settingsShown = false;
    bool calmiraOpen = false;
    bool filterOpen = false;
    bool monitorListOpen = false;
    // The colour detail dialog adjusts a monitor whether or not the settings
    // window still counts as shown.
    bool colorDetailOpen = false;

    bool Any() const {
        return settingsShown || calmiraOpen || filterOpen || monitorListOpen || colorDetailOpen;
    }
};

struct TrayMenuChoice {
    int popup = 1;                      // 0 = full menu, 1 = "E&xit" only
    std::vector<std::uint32_t> grayed;  // items to gray in the full menu
    std::uint32_t defaultItem = 0;      // bold item, 0 for none
};

TrayMenuChoice ChooseTrayMenu(bool hasCurrentMonitor, const OpenWindows& open);

enum class DoubleClickAction { Nothing, BringToFront, ShowSettings };

DoubleClickAction ChooseDoubleClick(bool hasCurrentMonitor, const OpenWindows& open);

}  // namespace shell
