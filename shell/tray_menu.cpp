#include "shell/tray_menu.h"

#include "resources/controller/resource.h"

namespace shell {

TrayMenuChoice ChooseTrayMenu(bool hasCurrentMonitor, const OpenWindows& open) {
    TrayMenuChoice choice;
    if (!hasCurrentMonitor) return choice;
    choice.popup = 0;
    choice.defaultItem = ID_TRAY_SETTING;
    if (open.Any()) {
        // "E&xit" too: destroying the main window under a running modal loop
        // would pull the ground from under that dialog.
        choice.grayed = {ID_TRAY_SETTING, ID_TRAY_CALMIRA, ID_TRAY_FILTER, ID_TRAY_MONITOR_LIST,
                         ID_TRAY_EXIT};
    }
    return choice;
}

DoubleClickAction ChooseDoubleClick(bool hasCurrentMonitor, const OpenWindows& open) {
    if (open.Any()) return DoubleClickAction::BringToFront;
    if (hasCurrentMonitor) return DoubleClickAction::ShowSettings;
    return DoubleClickAction::Nothing;
}

}  // namespace shell
