#pragma once
// The launcher's model: the tabs, links and file entries read from the
// information file on the disk. Every record owns what hangs below it, so
// clearing the tab list frees the whole tree at once.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace launcher {

// Which tab element a tab came from; selects the page that shows it.
enum TabKind : std::int32_t {
    kManualTab = 0,
    kApplicationTab = 1,
    kUtilityTab = 2,
    kInformationTab = 3,
};

// One model's files of a Manual, Document or Folder item. Paths are relative
// to the launcher's folder; an empty language entry means no manual in it.
struct FileInfo {
    std::u16string m_strModelName;
    std::u16string m_strJapanese;
    std::u16string m_strEnglish;
    std::u16string m_strDeutsch;
    std::u16string m_strFrancais;
    std::u16string m_strChinese;
    std::u16string m_strFileName;  // document file (Document) or folder (Folder)
};

// One link of a tab, or one sub-item of an Application item. Fields that the
// item's type does not use stay empty.
struct ButtonInfo {
    std::u16string m_strTitle;
    std::u16string m_strCaption;  // sub-items have none
    std::u16string m_strItem;     // type keyword, compared exactly
    std::vector<std::unique_ptr<FileInfo>> m_files;
    // Application: 0 means it runs everywhere.
    std::uint32_t m_appOsMask = 0;
    std::vector<std::unique_ptr<ButtonInfo>> m_subItems;
    // Installer and Execute: 0 means it is enabled nowhere.
    std::uint32_t m_osMask = 0;
    std::u16string m_strPreMessage;
    std::vector<std::u16string> m_closeWindows;
    std::u16string m_strProductCode;
    std::u16string m_strExecuteFile;
    std::u16string m_strArgument;
    std::u16string m_strRunValueName;
    std::u16string m_strMessageBusy;
    std::u16string m_strMessageComplete;
    std::u16string m_strUrl;  // Web
};

struct TabInfo {
    std::u16string m_strTitle;
    std::int32_t m_nKind = kManualTab;
    std::vector<std::unique_ptr<ButtonInfo>> m_items;
    std::u16string m_strInfoMessage;  // shown by the Information page only
    std::u16string m_strInfoUrl;
};

using TabList = std::vector<std::unique_ptr<TabInfo>>;

// The item type keywords.
inline constexpr char16_t kItemManual[] = u"Manual";
inline constexpr char16_t kItemDocument[] = u"Document";
inline constexpr char16_t kItemInstaller[] = u"Installer";
inline constexpr char16_t kItemExecute[] = u"Execute";
inline constexpr char16_t kItemApplication[] = u"Application";
inline constexpr char16_t kItemFolder[] = u"Folder";
inline constexpr char16_t kItemWeb[] = u"Web";

}  // namespace launcher
