#include "shell/tray_menu.h"

namespace shell {

TrayMenuChoice ChooseTrayMenu(bool hasCurrentMonitor, const OpenWindows& open) {
    TrayMenuChoice choice;
    if (!hasCurrentMonitor) return choice;
    choice.popup = 0;
    choice.defaultItem = kCmdSettings;
    if (open.Any()) {
        // "E&xit" too: destroying the main window under a running modal loop
        // would pull the ground from under that dialog.
        choice.grayed = {kCmdSettings, kCmdCalmira, kCmdFilter, kCmdMonitorList, kCmdExit};
    }
    return choice;
}

DoubleClickAction ChooseDoubleClick(bool hasCurrentMonitor, const OpenWindows& open) {
    if (open.Any()) return DoubleClickAction::BringToFront;
    if (hasCurrentMonitor) return DoubleClickAction::ShowSettings;
    return DoubleClickAction::Nothing;
}

}  // namespace shell
