#pragma once
// What a click on a link or an application-dialog button does: the dispatch
// on the item's keyword, every action, the installer flow with its removal of
// another installed version, and the start of registered programs when the
// launcher (or the application dialog) is left.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/action_ui.h"
#include "launcher/launcher_info.h"
#include "launcher/launcher_shell.h"
#include "platform/os_version.h"
#include "launcher/run_key.h"
#include "launcher/windows_installer.h"

namespace launcher {

struct LauncherPorts {
    launcher::LauncherShell& shell;
    launcher::WindowsInstaller& installer;
    launcher::RunKey& runKey;
    platform::OsVersion& os;
};

using ItemList = std::vector<std::unique_ptr<ButtonInfo>>;

class ItemActions {
public:
    ItemActions(const LauncherPorts& ports, std::u16string appDir, ActionUi& ui)
        : ports_(ports), appDir_(std::move(appDir)), ui_(ui) {}

    // Runs item index of items; an index beyond the list does nothing. An
    // installer's result (1: setup started) goes into installerFlags[index]
    // when the array is given. In the application dialog (titleOverride set)
    // the installer shows the Application item's title and a nested
    // Application item does nothing.
    void RunItem(const ItemList& items, size_t index, int* installerFlags,
                 const std::u16string* titleOverride = nullptr);

    // The programs registered by the started installers among the first count
    // items: each Run value is read and started.
    void StartRegisteredPrograms(const ItemList& items, size_t count, const int* installerFlags);

    void OpenWithReaderCheck(const std::u16string& path);
    void ShowShellError(int shellResult);

    // 1 when the setup program was started.
    int RunInstaller(const ButtonInfo& item, const std::u16string& title);
    // False stops the installation.
    bool RemoveOtherVersion(const std::u16string& productCode);

private:
    void OpenManual(const ButtonInfo& item);
    void OpenDocument(const ButtonInfo& item, bool folder);
    void RunProgram(const ButtonInfo& item);
    void OpenAddress(const ButtonInfo& item);

    LauncherPorts ports_;
    std::u16string appDir_;
    ActionUi& ui_;
};

// Whether RunItem would do anything for the item: open a file, folder, address
// or the application dialog, start a program, or (an installer) remove a product
// or close windows. Greying out such links and buttons is our choice, beyond the
// plain rule of greying only what the running system does not support: a control
// that ignores its click looks broken. An installer item is never greyed on a
// system without Windows Installer (windowsInstallerPresent false), where its
// click offers the disk's Windows Installer setup. In the application dialog
// (inApplicationDialog) a nested Application item does nothing.
bool ItemDoesSomething(const ButtonInfo& item, bool inApplicationDialog,
                       bool windowsInstallerPresent = true);

// Whether Windows Installer counts as present: msi.dll loads (at version 2.0 or
// later outside the NT family), or the system is of the NT family.
bool WindowsInstallerPresent(WindowsInstaller& installer, platform::OsVersion& os);

// The folder of a full path, cut after its last backslash (kept).
std::u16string FolderOf(const std::u16string& path);

}  // namespace launcher
