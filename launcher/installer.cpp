// The installer flow of ItemActions: the question, closing named windows, the
// Windows Installer check, removal of another installed version, the setup
// start and its progress dialog.
#include <string>

#include "launcher/item_actions.h"
#include "launcher/os_mask.h"
#include "resources/launcher/resource.h"

namespace launcher {

namespace {

constexpr int kErrorSuccess = 0;
constexpr int kErrorMoreData = 234;
constexpr int kErrorInstallUserExit = 1602;
constexpr int kInstallLevelDefault = 0;
constexpr int kInstallStateAbsent = 2;
constexpr std::uint32_t kWindowsInstaller2 = 0x20000;

std::u16string ReplaceFirst(std::u16string text, std::u16string_view marker,
                            const std::u16string& value) {
    const size_t at = text.find(marker);
    if (at != std::u16string::npos) text.replace(at, marker.size(), value);
    return text;
}

}  // namespace

bool WindowsInstallerPresent(WindowsInstaller& installer, platform::OsVersion& os) {
    // The NT family counts as having it whatever the library does, so the
    // library is not even loaded there: pages ask this while the window builds.
    if (IsNtPlatform(os)) return true;
    return installer.LibraryLoads() && installer.LibraryVersionMs() >= kWindowsInstaller2;
}

int ItemActions::RunInstaller(const ButtonInfo& item, const std::u16string& title) {
    if (!item.m_strPreMessage.empty() && ui_.Ask(item.m_strPreMessage, kBoxOkCancel) != kAnswerOk) {
        return 0;
    }
    for (const std::u16string& name : item.m_closeWindows) {
        if (!name.empty()) ports_.shell.CloseWindowTitled(name);
    }
    if (!WindowsInstallerPresent(ports_.installer, ports_.os)) {
        const std::u16string question = ReplaceFirst(ui_.String(IDS_NEED_INSTALLER), u"%s", title);
        if (ui_.Ask(question, kBoxYesNo) == kAnswerYes) {
            const int result =
                ports_.shell.Execute(ui_.Owner(), u"", appDir_ + ui_.String(IDS_INSTALLER_SETUP),
                                     u"", u"", ShellUi::Quiet);
            if (result <= 32) ShowShellError(result);
        }
        return 0;
    }
    if (!item.m_strProductCode.empty() && !RemoveOtherVersion(item.m_strProductCode)) return 0;
    if (item.m_strExecuteFile.empty()) return 0;

    const std::u16string file = appDir_ + item.m_strExecuteFile;
    std::unique_ptr<launcher::StartedProcess> process;
    const int result =
        ports_.shell.Start(ui_.Owner(), file, item.m_strArgument, FolderOf(file), &process);
    if (result <= 32) {
        ShowShellError(result);
        return 0;
    }
    if (process && !item.m_strMessageBusy.empty() && !item.m_strMessageComplete.empty()) {
        // A setup seen to fail installed nothing: its program must not be
        // started when the launcher is left.
        if (ui_.RunProgress(item, title, *process) == SetupState::Failed) return 0;
    }
    // Dropping the process closes its handle; the setup runs on.
    return 1;
}

bool ItemActions::RemoveOtherVersion(const std::u16string& productCode) {
    if (!ports_.installer.LibraryLoads()) return false;
    std::u16string name;
    const int info = ports_.installer.GetProductInfo(productCode, u"InstalledProductName", &name);
    // A product name longer than the buffer still means the product is there.
    if (info != kErrorSuccess && info != kErrorMoreData) return true;
    if (ui_.Ask(ui_.String(IDS_UNINSTALL_OTHER), kBoxYesNo) != kAnswerYes) return false;
    const int removal =
        ports_.installer.ConfigureProduct(productCode, kInstallLevelDefault, kInstallStateAbsent);
    return removal != kErrorInstallUserExit;
}

}  // namespace launcher
