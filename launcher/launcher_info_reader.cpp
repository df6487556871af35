#include "launcher/launcher_info_reader.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "launcher/os_mask.h"

namespace launcher {
namespace {

using platform::XmlElement;

constexpr std::u16string_view kRootName = u"Orvex_LCD_Utility_Disk";

struct TabElement {
    std::u16string_view name;
    std::int32_t kind;
};

constexpr TabElement kTabElements[] = {
    {u"Manual_Tab", kManualTab},
    {u"Application_Tab", kApplicationTab},
    {u"Utility_Tab", kUtilityTab},
    {u"Information_Tab", kInformationTab},
};

constexpr int kMaxTabElements = 4;

// Only the first level of sub-items is ever shown, but an Application sub-item
// reads its own sub-items by the same rules; a damaged file must not turn that
// into unbounded recursion.
constexpr int kMaxSubItemDepth = 8;

// The text of the first child of that name; empty when there is none.
std::u16string TextOfFirst(const XmlElement& parent, std::u16string_view name) {
    const std::unique_ptr<XmlElement> child = parent.FirstChild(name);
    return child ? child->Text() : std::u16string();
}

std::uint32_t ReadOsMask(const XmlElement& item) {
    const std::unique_ptr<XmlElement> holder = item.FirstChild(u"Support_OS_Info");
    std::uint32_t mask = 0;
    if (holder) {
        for (const auto& os : holder->Children(u"OS")) {
            mask |= OsKeywordBits(os->Text());
        }
    }
    return mask;
}

void ReadManualFiles(const XmlElement& item, ButtonInfo* button) {
    for (const auto& entry : item.Children(u"Manual_File_Info")) {
        auto file = std::make_unique<FileInfo>();
        file->m_strModelName = TextOfFirst(*entry, u"Model_Name");
        const std::unique_ptr<XmlElement> names = entry->FirstChild(u"Manual_File_Name_Info");
        if (names) {
            file->m_strJapanese = TextOfFirst(*names, u"Japanese");
            file->m_strEnglish = TextOfFirst(*names, u"English");
            file->m_strDeutsch = TextOfFirst(*names, u"Deutsch");
            file->m_strFrancais = TextOfFirst(*names, u"Francais");
            file->m_strChinese = TextOfFirst(*names, u"Chinese");
        }
        button->m_files.push_back(std::move(file));
    }
}

// Document and Folder entries: a model name and one relative path each.
void ReadNamedFiles(const XmlElement& item, std::u16string_view entryName,
                    std::u16string_view pathName, ButtonInfo* button) {
    for (const auto& entry : item.Children(entryName)) {
        auto file = std::make_unique<FileInfo>();
        file->m_strModelName = TextOfFirst(*entry, u"Model_Name");
        file->m_strFileName = TextOfFirst(*entry, pathName);
        button->m_files.push_back(std::move(file));
    }
}

void ReadInstallerFields(const XmlElement& item, ButtonInfo* button) {
    button->m_osMask = ReadOsMask(item);
    button->m_strPreMessage = TextOfFirst(item, u"Pre_Message");
    if (const std::unique_ptr<XmlElement> close = item.FirstChild(u"App_Close_Info")) {
        for (const auto& name : close->Children(u"App_Name")) {
            button->m_closeWindows.push_back(name->Text());
        }
    }
    if (const std::unique_ptr<XmlElement> uninstall = item.FirstChild(u"Uninstall_Info")) {
        button->m_strProductCode = TextOfFirst(*uninstall, u"Product_Code");
    }
    button->m_strExecuteFile = TextOfFirst(item, u"Execute_File_Name");
    button->m_strArgument = TextOfFirst(item, u"Argument");
    if (const std::unique_ptr<XmlElement> run = item.FirstChild(u"App_Run_Info")) {
        button->m_strRunValueName = TextOfFirst(*run, u"App_Name");
    }
    if (const std::unique_ptr<XmlElement> progress = item.FirstChild(u"Progress_Info")) {
        button->m_strMessageBusy = TextOfFirst(*progress, u"Message_Busy");
        button->m_strMessageComplete = TextOfFirst(*progress, u"Message_Complete");
    }
}

std::unique_ptr<ButtonInfo> ReadItem(const XmlElement& element, int subItemDepth);

void ReadTypeFields(const XmlElement& item, int subItemDepth, ButtonInfo* button) {
    const std::u16string& type = button->m_strItem;
    if (type == kItemManual) {
        ReadManualFiles(item, button);
    } else if (type == kItemDocument) {
        ReadNamedFiles(item, u"Document_File_Info", u"Document_File_Name", button);
    } else if (type == kItemFolder) {
        ReadNamedFiles(item, u"Folder_Info", u"Folder_Name", button);
    } else if (type == kItemWeb) {
        button->m_strUrl = TextOfFirst(item, u"Info_URL");
    } else if (type == kItemApplication) {
        button->m_appOsMask = ReadOsMask(item);
        if (subItemDepth < kMaxSubItemDepth) {
            for (const auto& sub : item.Children(u"SubButton_Info")) {
                button->m_subItems.push_back(ReadItem(*sub, subItemDepth + 1));
            }
        }
    } else if (type == kItemInstaller || type == kItemExecute) {
        ReadInstallerFields(item, button);
    }
}

// Depth 0 is an item of a tab; deeper ones are sub-items, which have no caption.
std::unique_ptr<ButtonInfo> ReadItem(const XmlElement& element, int subItemDepth) {
    auto button = std::make_unique<ButtonInfo>();
    button->m_strTitle = TextOfFirst(element, u"Title");
    if (subItemDepth == 0) {
        button->m_strCaption = TextOfFirst(element, u"Caption");
    }
    button->m_strItem = TextOfFirst(element, u"Item");
    ReadTypeFields(element, subItemDepth, button.get());
    return button;
}

// Null when the tab has no title: such a tab does not exist.
std::unique_ptr<TabInfo> ReadTab(const XmlElement& element, std::int32_t kind) {
    const std::unique_ptr<XmlElement> title = element.FirstChild(u"Title");
    if (!title) {
        return nullptr;
    }
    auto tab = std::make_unique<TabInfo>();
    tab->m_nKind = kind;
    tab->m_strTitle = title->Text();
    for (const auto& item : element.Children(u"Button_Info")) {
        tab->m_items.push_back(ReadItem(*item, 0));
    }
    tab->m_strInfoMessage = TextOfFirst(element, u"Info_Message");
    tab->m_strInfoUrl = TextOfFirst(element, u"Info_URL");
    return tab;
}

const TabElement* FindTabElement(std::u16string_view name) {
    for (const TabElement& entry : kTabElements) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

std::u16string LauncherAppDir(std::u16string_view modulePath) {
    const std::size_t slash = modulePath.rfind(u'\\');
    if (slash == std::u16string_view::npos) {
        return std::u16string();
    }
    return std::u16string(modulePath.substr(0, slash + 1));
}

std::u16string LauncherInfoPath(std::u16string_view appDir, std::u16string_view infoFileName) {
    std::u16string path(appDir);
    path += infoFileName;
    return path;
}

void ReadLauncherInfo(const platform::XmlDocument& document, TabList* tabs,
                      std::u16string* launcherTitle) {
    const std::unique_ptr<XmlElement> root = document.DocumentElement();
    if (!root || root->Name() != kRootName) {
        return;
    }
    *launcherTitle = TextOfFirst(*root, u"Launcher_Title");

    // A tab element without a title still uses up one of the four places.
    int tabElements = 0;
    for (const auto& child : root->ChildElements()) {
        const TabElement* tabElement = FindTabElement(child->Name());
        if (!tabElement) {
            continue;
        }
        if (std::unique_ptr<TabInfo> tab = ReadTab(*child, tabElement->kind)) {
            tabs->push_back(std::move(tab));
        }
        if (++tabElements == kMaxTabElements) {
            break;
        }
    }
}

void LoadLauncherInfo(platform::XmlDom& dom, const std::u16string& path, TabList* tabs,
                      std::u16string* launcherTitle) {
    if (!dom.FileExists(path)) {
        return;
    }
    const std::unique_ptr<platform::XmlDocument> document = dom.LoadFile(path);
    if (!document) {
        return;
    }
    ReadLauncherInfo(*document, tabs, launcherTitle);
}

}  // namespace launcher
