#include "launcher/item_actions.h"

#include <algorithm>

#include "launcher/run_command.h"
#include "resources/launcher/resource.h"

namespace launcher {

std::u16string FolderOf(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

bool ItemDoesSomething(const ButtonInfo& item, bool inApplicationDialog,
                       bool windowsInstallerPresent) {
    const std::u16string& keyword = item.m_strItem;
    if (keyword == kItemManual) return !item.m_files.empty();
    if (keyword == kItemDocument || keyword == kItemFolder) {
        // One entry opens its file directly; several ask for the model first.
        return item.m_files.size() > 1 ||
               (item.m_files.size() == 1 && !item.m_files[0]->m_strFileName.empty());
    }
    if (keyword == kItemExecute) return !item.m_strExecuteFile.empty();
    if (keyword == kItemInstaller) {
        if (!windowsInstallerPresent) return true;
        if (!item.m_strExecuteFile.empty() || !item.m_strProductCode.empty()) return true;
        return std::any_of(item.m_closeWindows.begin(), item.m_closeWindows.end(),
                           [](const std::u16string& name) { return !name.empty(); });
    }
    if (keyword == kItemApplication) return !inApplicationDialog && !item.m_subItems.empty();
    if (keyword == kItemWeb) return !item.m_strUrl.empty();
    return false;
}

void ItemActions::RunItem(const ItemList& items, size_t index, int* installerFlags,
                          const std::u16string* titleOverride) {
    if (index >= items.size()) return;
    const ButtonInfo& item = *items[index];
    const std::u16string& keyword = item.m_strItem;
    if (keyword == kItemManual) {
        OpenManual(item);
    } else if (keyword == kItemDocument) {
        OpenDocument(item, false);
    } else if (keyword == kItemExecute) {
        RunProgram(item);
    } else if (keyword == kItemInstaller) {
        const int started =
            RunInstaller(item, titleOverride != nullptr ? *titleOverride : item.m_strTitle);
        if (installerFlags != nullptr) installerFlags[index] = started;
    } else if (keyword == kItemApplication) {
        if (titleOverride == nullptr && !item.m_subItems.empty()) ui_.RunApplicationDialog(item);
    } else if (keyword == kItemFolder) {
        OpenDocument(item, true);
    } else if (keyword == kItemWeb) {
        OpenAddress(item);
    }
}

void ItemActions::OpenManual(const ButtonInfo& item) {
    if (item.m_files.empty()) return;
    const bool languageOnly = item.m_files.size() == 1 && item.m_files[0]->m_strModelName.empty();
    std::u16string path;
    if (ui_.SelectFile(item, languageOnly ? IDD_SELECT_LANGUAGE : IDD_SELECT_MODEL_LANGUAGE,
                       &path)) {
        OpenWithReaderCheck(path);
    }
}

void ItemActions::OpenDocument(const ButtonInfo& item, bool folder) {
    if (item.m_files.empty()) return;
    std::u16string path;
    if (item.m_files.size() == 1) {
        if (!item.m_files[0]->m_strFileName.empty())
            path = appDir_ + item.m_files[0]->m_strFileName;
    } else if (!ui_.SelectFile(item, IDD_SELECT_MODEL, &path)) {
        path.clear();
    }
    if (path.empty()) return;
    if (!folder) {
        OpenWithReaderCheck(path);
        return;
    }
    const int result = ports_.shell.Execute(ui_.Owner(), u"", path, u"", u"", ShellUi::Quiet);
    if (result <= 32) ShowShellError(result);
}

void ItemActions::RunProgram(const ButtonInfo& item) {
    if (item.m_strExecuteFile.empty()) return;
    const std::u16string file = appDir_ + item.m_strExecuteFile;
    const int result = ports_.shell.Execute(ui_.Owner(), u"", file, item.m_strArgument,
                                            FolderOf(file), ShellUi::Quiet);
    if (result <= 32) ShowShellError(result);
}

void ItemActions::OpenAddress(const ButtonInfo& item) {
    if (item.m_strUrl.empty()) return;
    ui_.BeforeBrowsing();
    // Nothing reports this one but the shell.
    ports_.shell.Execute(0, u"open", item.m_strUrl, u"", u"", ShellUi::ShellReports);
}

void ItemActions::OpenWithReaderCheck(const std::u16string& path) {
    if (ports_.shell.FindProgram(path) > 32) {
        const int result = ports_.shell.Execute(ui_.Owner(), u"", path, u"", u"", ShellUi::Quiet);
        if (result <= 32) ShowShellError(result);
        return;
    }
    if (ui_.Ask(ui_.String(IDS_READER_QUESTION), kBoxYesNo | kBoxIconQuestion) != kAnswerYes)
        return;
    const int result = ports_.shell.Execute(ui_.Owner(), u"", ui_.String(IDS_READER_DOWNLOAD), u"",
                                            u"", ShellUi::Quiet);
    if (result <= 32) ShowShellError(result);
}

void ItemActions::ShowShellError(int shellResult) {
    ui_.Ask(ui_.String(ShellErrorStringId(shellResult)), kBoxOk | kBoxIconError);
}

void ItemActions::StartRegisteredPrograms(const ItemList& items, size_t count,
                                          const int* installerFlags) {
    if (installerFlags == nullptr) return;
    count = std::min(count, items.size());
    for (size_t i = 0; i < count; ++i) {
        const ButtonInfo& item = *items[i];
        if (installerFlags[i] == 0 || item.m_strRunValueName.empty()) continue;
        bool expand = false;
        std::optional<std::u16string> value =
            ReadRunValue(ports_.runKey, item.m_strRunValueName, &expand);
        if (!value) continue;
        if (expand) value = ports_.shell.ExpandEnvironment(*value);
        const RunCommand command = SplitRunCommand(
            *value, [this](const std::u16string& file) { return ports_.shell.FileExists(file); });
        if (command.file.empty()) continue;
        const int result = ports_.shell.Execute(ui_.Owner(), u"", command.file, command.parameters,
                                                u"", ShellUi::Quiet);
        if (result <= 32) ShowShellError(result);
    }
}

}  // namespace launcher
