// Reading the launcher information file into the model, through whichever DOM
// adapter the test program is built with.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dom_test_support.h"
#include "launcher/launcher_info_reader.h"

namespace launcher_test {
namespace {

using launcher::ButtonInfo;
using launcher::FileInfo;
using launcher::TabInfo;
using launcher::TabList;

// String 104 of the English and the Japanese string table.
constexpr char16_t kInfoFileEnglish[] = u"\\LauncherInfo\\LauncherInfo_EN.xml";
constexpr char16_t kInfoFileJapanese[] = u"\\LauncherInfo\\LauncherInfo_JA.xml";

struct Model {
    TabList tabs;
    std::u16string title;
};

// Puts the file where the launcher looks for it and loads it from there.
Model LoadDisk(const std::string& xml) {
    TempFolder disk;
    disk.Write("LauncherInfo/LauncherInfo_EN.xml", xml);
    auto dom = MakeTestDom();
    Model model;
    launcher::LoadLauncherInfo(
        *dom, launcher::LauncherInfoPath(disk.DirWithSeparator(), kInfoFileEnglish), &model.tabs,
        &model.title);
    return model;
}

std::string Disk(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Orvex_LCD_Utility_Disk>" + body +
           "</Orvex_LCD_Utility_Disk>";
}

// One tab holding the given items.
std::string TabWith(const std::string& items) {
    return Disk("<Utility_Tab><Title>T</Title>" + items + "</Utility_Tab>");
}

const ButtonInfo& OnlyItem(const Model& model) {
    static const ButtonInfo none;
    if (model.tabs.size() != 1 || model.tabs[0]->m_items.size() != 1) {
        ADD_FAILURE() << "expected one tab with one item";
        return none;
    }
    return *model.tabs[0]->m_items[0];
}

std::vector<std::int32_t> Kinds(const TabList& tabs) {
    std::vector<std::int32_t> kinds;
    for (const auto& tab : tabs) {
        kinds.push_back(tab->m_nKind);
    }
    return kinds;
}

Model LoadSample(std::u16string_view fileName) {
    auto dom = MakeTestDom();
    Model model;
    launcher::LoadLauncherInfo(*dom, launcher::LauncherInfoPath(SamplesParentDir(), fileName),
                               &model.tabs, &model.title);
    return model;
}

TEST(LauncherInfoSample, EnglishFileDescribesTheWholeDisk) {
    const Model model = LoadSample(kInfoFileEnglish);
    EXPECT_EQ(model.title, u"Orvex Start Menu");
    ASSERT_EQ(Kinds(model.tabs), (std::vector<std::int32_t>{0, 1, 2, 3}));

    const TabInfo& manuals = *model.tabs[0];
    EXPECT_EQ(manuals.m_strTitle, u"Manuals");
    ASSERT_EQ(manuals.m_items.size(), 4u);
    const ButtonInfo& manual = *manuals.m_items[0];
    EXPECT_EQ(manual.m_strItem, u"Manual");
    ASSERT_EQ(manual.m_files.size(), 3u);
    EXPECT_EQ(manual.m_files[0]->m_strModelName, u"VX2410");
    EXPECT_EQ(manual.m_files[0]->m_strFrancais, u"Manual\\VX2410\\VX2410_Manual_FR.pdf");
    EXPECT_EQ(manual.m_files[1]->m_strChinese, u"");
    EXPECT_EQ(manual.m_files[2]->m_strDeutsch, u"");
    EXPECT_EQ(manual.m_files[2]->m_strEnglish, u"Manual\\VX3010Q\\VX3010Q_Manual_EN.pdf");
    EXPECT_EQ(manuals.m_items[2]->m_files[1]->m_strFileName, u"Document\\VX2710W_Conformity.pdf");

    const ButtonInfo& application = *model.tabs[1]->m_items[0];
    EXPECT_EQ(application.m_strItem, u"Application");
    EXPECT_EQ(application.m_appOsMask, 0x798u);
    EXPECT_EQ(application.m_osMask, 0u);
    ASSERT_EQ(application.m_subItems.size(), 3u);
    const ButtonInfo& setup = *application.m_subItems[0];
    EXPECT_EQ(setup.m_strTitle, u"Install Panelwright Pro");
    EXPECT_EQ(setup.m_strCaption, u"");
    EXPECT_EQ(setup.m_osMask, 0x618u);
    EXPECT_EQ(setup.m_strPreMessage, u"Panelwright Pro for LCD will be installed. Continue?");
    EXPECT_EQ(setup.m_closeWindows,
              (std::vector<std::u16string>{u"Panelwright Pro for LCD",
                                           u"Panelwright Pro for LCD - Settings"}));
    EXPECT_EQ(setup.m_strProductCode, u"{6C1E7A52-3B1F-4D8A-9E27-51A0C4F3D2B8}");
    EXPECT_EQ(setup.m_strExecuteFile, u"Software\\Panelwright\\setup.exe");
    EXPECT_EQ(setup.m_strArgument, u"/lang=en");
    EXPECT_EQ(setup.m_strRunValueName, u"Panelwright Pro for LCD");
    EXPECT_EQ(setup.m_strMessageBusy, u"Installing Panelwright Pro for LCD. Please wait.");
    EXPECT_EQ(setup.m_strMessageComplete, u"Panelwright Pro for LCD has been installed.");
    EXPECT_EQ(application.m_subItems[2]->m_files.size(), 1u);

    const ButtonInfo& driver = *model.tabs[1]->m_items[1];
    EXPECT_EQ(driver.m_osMask, 0x7FFu);
    EXPECT_TRUE(driver.m_closeWindows.empty());
    EXPECT_EQ(driver.m_strProductCode, u"");
    EXPECT_EQ(model.tabs[1]->m_items[2]->m_files.size(), 3u);

    EXPECT_EQ(model.tabs[2]->m_items[2]->m_strUrl, u"http://www.orvex.example/support/lcd/");
    EXPECT_EQ(model.tabs[3]->m_strInfoUrl, u"http://www.orvex.example/register/");
    EXPECT_TRUE(model.tabs[3]->m_items.empty());
}

// Everything but the wording must agree between the two languages' files.
void ExpectSameShape(const ButtonInfo& english, const ButtonInfo& japanese) {
    SCOPED_TRACE(std::string(english.m_strTitle.begin(), english.m_strTitle.end()));
    EXPECT_EQ(english.m_strItem, japanese.m_strItem);
    EXPECT_EQ(english.m_appOsMask, japanese.m_appOsMask);
    EXPECT_EQ(english.m_osMask, japanese.m_osMask);
    EXPECT_EQ(english.m_strExecuteFile, japanese.m_strExecuteFile);
    EXPECT_EQ(english.m_strProductCode, japanese.m_strProductCode);
    EXPECT_EQ(english.m_closeWindows, japanese.m_closeWindows);
    EXPECT_EQ(english.m_strRunValueName, japanese.m_strRunValueName);
    ASSERT_EQ(english.m_files.size(), japanese.m_files.size());
    for (std::size_t i = 0; i < english.m_files.size(); ++i) {
        EXPECT_EQ(english.m_files[i]->m_strModelName, japanese.m_files[i]->m_strModelName);
        EXPECT_EQ(english.m_files[i]->m_strEnglish, japanese.m_files[i]->m_strEnglish);
    }
    ASSERT_EQ(english.m_subItems.size(), japanese.m_subItems.size());
    for (std::size_t i = 0; i < english.m_subItems.size(); ++i) {
        ExpectSameShape(*english.m_subItems[i], *japanese.m_subItems[i]);
    }
}

TEST(LauncherInfoSample, JapaneseFileMatchesTheEnglishOne) {
    const Model english = LoadSample(kInfoFileEnglish);
    const Model japanese = LoadSample(kInfoFileJapanese);
    EXPECT_EQ(japanese.title, u"Orvex \u30B9\u30BF\u30FC\u30C8\u30E1\u30CB\u30E5\u30FC");
    EXPECT_EQ(japanese.tabs[0]->m_strTitle, u"\u30DE\u30CB\u30E5\u30A2\u30EB");
    ASSERT_EQ(Kinds(japanese.tabs), Kinds(english.tabs));
    for (std::size_t t = 0; t < english.tabs.size(); ++t) {
        ASSERT_EQ(english.tabs[t]->m_items.size(), japanese.tabs[t]->m_items.size());
        for (std::size_t i = 0; i < english.tabs[t]->m_items.size(); ++i) {
            ExpectSameShape(*english.tabs[t]->m_items[i], *japanese.tabs[t]->m_items[i]);
        }
    }
}

TEST(LauncherInfoReader, ItemKeywordsAndValuesAreTakenVerbatim) {
    const Model model = LoadDisk(
        Disk("<Launcher_Title> Menu\n</Launcher_Title>"
             "<Manual_Tab><Title>  Manuals </Title>"
             "<Button_Info><Title>a</Title><Item> Manual</Item>"
             "<Manual_File_Info><Model_Name>M</Model_Name></Manual_File_Info></Button_Info>"
             "<Button_Info><Title>b</Title><Item>manual</Item>"
             "<Manual_File_Info><Model_Name>M</Model_Name></Manual_File_Info></Button_Info>"
             "<Button_Info><Title>c</Title><Item>Manual</Item>"
             "<Manual_File_Info><Model_Name> M </Model_Name></Manual_File_Info></Button_Info>"
             "<Button_Info><Item>Web</Item><Info_URL></Info_URL></Button_Info>"
             "</Manual_Tab>"));
    EXPECT_EQ(model.title, u" Menu\n");
    ASSERT_EQ(model.tabs.size(), 1u);
    EXPECT_EQ(model.tabs[0]->m_strTitle, u"  Manuals ");
    const auto& items = model.tabs[0]->m_items;
    ASSERT_EQ(items.size(), 4u);
    // Unknown keywords keep the item with its three strings and nothing else.
    EXPECT_EQ(items[0]->m_strItem, u" Manual");
    EXPECT_TRUE(items[0]->m_files.empty());
    EXPECT_TRUE(items[1]->m_files.empty());
    ASSERT_EQ(items[2]->m_files.size(), 1u);
    EXPECT_EQ(items[2]->m_files[0]->m_strModelName, u" M ");
    EXPECT_EQ(items[3]->m_strTitle, u"");
    EXPECT_EQ(items[3]->m_strUrl, u"");
}

TEST(LauncherInfoReader, OnlyTheFirstFourTabElementsCount) {
    // The first one lacks a title of its own (an item's title does not
    // count): it is dropped but still uses up a place, so the fifth element
    // is never read.
    const Model model = LoadDisk(Disk(
        "<Manual_Tab><Info_Message>no title</Info_Message>"
        "<Button_Info><Title>item</Title><Item>Web</Item></Button_Info></Manual_Tab>"
        "<!-- comment --><Extra_Tab><Title>x</Title></Extra_Tab>"
        "<Application_Tab><Title>Software</Title></Application_Tab>"
        "<Utility_Tab><Title/></Utility_Tab>"
        "<Information_Tab><Title>Info</Title><Info_Message>Hello</Info_Message></Information_Tab>"
        "<Manual_Tab><Title>Fifth</Title></Manual_Tab>"));
    ASSERT_EQ(Kinds(model.tabs), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(model.tabs[0]->m_strTitle, u"Software");
    EXPECT_EQ(model.tabs[1]->m_strTitle, u"");
    EXPECT_EQ(model.tabs[2]->m_strInfoMessage, u"Hello");
    EXPECT_EQ(model.title, u"");
}

TEST(LauncherInfoReader, OsKeywordsBuildTheMaskOfTheItemType) {
    struct Case {
        const char* item;
        const char* osInfo;  // nullptr: no Support_OS_Info element
        std::uint32_t appOsMask;
        std::uint32_t osMask;
    };
    const Case cases[] = {
        {"Installer", "<OS>XP</OS><OS>7_64</OS>", 0, 0x406},
        {"Execute", "<OS>Vista_64</OS><OS>Server2003</OS>", 0, 0x070},
        {"Installer", nullptr, 0, 0},
        {"Application", nullptr, 0, 0},
        {"Application", "<OS>7</OS><OS>2000</OS>", 0x601, 0},
        // Keywords are exact: case and surrounding spaces make them unknown.
        {"Execute", "<OS>xp</OS><OS> 7</OS><OS>10</OS><OS>Vista_32</OS>", 0, 0x008},
        {"Manual", "<OS>XP</OS>", 0, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.item) + " " + (test.osInfo ? test.osInfo : "(none)"));
        std::string item =
            std::string("<Button_Info><Title>x</Title><Item>") + test.item + "</Item>";
        if (test.osInfo) {
            item += std::string("<Support_OS_Info>") + test.osInfo + "</Support_OS_Info>";
            // Only the first holder counts.
            item += "<Support_OS_Info><OS>Server2008</OS></Support_OS_Info>";
        }
        item += "</Button_Info>";
        const Model model = LoadDisk(TabWith(item));
        const ButtonInfo& button = OnlyItem(model);
        EXPECT_EQ(button.m_appOsMask, test.appOsMask);
        EXPECT_EQ(button.m_osMask, test.osMask);
    }
}

TEST(LauncherInfoReader, FileEntriesAndNameListsFollowTheirHolders) {
    const Model model = LoadDisk(TabWith(
        "<Button_Info><Item>Manual</Item>"
        "<Manual_File_Info><Model_Name>A</Model_Name></Manual_File_Info>"
        "<Manual_File_Info><Manual_File_Name_Info><Chinese>zh.pdf</Chinese>"
        "<Chinese>second.pdf</Chinese></Manual_File_Name_Info></Manual_File_Info>"
        "</Button_Info>"
        "<Button_Info><Item>Installer</Item>"
        "<App_Run_Info><App_Name>First</App_Name><App_Name>Second</App_Name></App_Run_Info>"
        "<App_Close_Info><App_Name>One</App_Name><App_Name>Two</App_Name></App_Close_Info>"
        "<App_Close_Info><App_Name>Ignored</App_Name></App_Close_Info>"
        "<Uninstall_Info/><Progress_Info><Message_Complete>Done</Message_Complete></Progress_Info>"
        "</Button_Info>"
        "<Button_Info><Item>Folder</Item><Folder_Info><Folder_Name>Drivers</Folder_Name>"
        "</Folder_Info><Document_File_Info><Model_Name>B</Model_Name></Document_File_Info>"
        "</Button_Info>"));
    ASSERT_EQ(model.tabs.size(), 1u);
    const auto& items = model.tabs[0]->m_items;
    ASSERT_EQ(items.size(), 3u);

    ASSERT_EQ(items[0]->m_files.size(), 2u);
    const FileInfo& named = *items[0]->m_files[0];
    EXPECT_EQ(named.m_strModelName, u"A");
    EXPECT_EQ(named.m_strJapanese + named.m_strEnglish + named.m_strChinese, u"");
    EXPECT_EQ(items[0]->m_files[1]->m_strModelName, u"");
    EXPECT_EQ(items[0]->m_files[1]->m_strChinese, u"zh.pdf");

    EXPECT_EQ(items[1]->m_strRunValueName, u"First");
    EXPECT_EQ(items[1]->m_closeWindows, (std::vector<std::u16string>{u"One", u"Two"}));
    EXPECT_EQ(items[1]->m_strProductCode, u"");
    EXPECT_EQ(items[1]->m_strMessageBusy, u"");
    EXPECT_EQ(items[1]->m_strMessageComplete, u"Done");

    // A Folder item reads folder entries only.
    ASSERT_EQ(items[2]->m_files.size(), 1u);
    EXPECT_EQ(items[2]->m_files[0]->m_strFileName, u"Drivers");
}

TEST(LauncherInfoReader, SubItemsHaveNoCaptionAndFollowTheirOwnType) {
    // Sub-items nested far deeper than any dialog shows must not run away.
    std::string nested;
    for (int depth = 0; depth < 40; ++depth) {
        nested = "<SubButton_Info><Title>L</Title><Item>Application</Item>" + nested +
                 "</SubButton_Info>";
    }
    const Model model = LoadDisk(
        TabWith("<Button_Info><Title>App</Title><Caption>c</Caption><Item>Application</Item>"
                "<SubButton_Info><Title>Docs</Title><Caption>hidden</Caption><Item>Folder</Item>"
                "<Folder_Info><Model_Name>M</Model_Name><Folder_Name>F</Folder_Name></Folder_Info>"
                "</SubButton_Info>"
                "<SubButton_Info><Title>Run</Title><Item>Execute</Item>"
                "<Support_OS_Info><OS>7</OS></Support_OS_Info></SubButton_Info>"
                "</Button_Info>"
                "<Button_Info><Title>Deep</Title><Item>Application</Item>" +
                nested + "</Button_Info>"));
    ASSERT_EQ(model.tabs.size(), 1u);
    ASSERT_EQ(model.tabs[0]->m_items.size(), 2u);
    const ButtonInfo& app = *model.tabs[0]->m_items[0];
    EXPECT_EQ(app.m_strCaption, u"c");
    ASSERT_EQ(app.m_subItems.size(), 2u);
    EXPECT_EQ(app.m_subItems[0]->m_strCaption, u"");
    ASSERT_EQ(app.m_subItems[0]->m_files.size(), 1u);
    EXPECT_EQ(app.m_subItems[0]->m_files[0]->m_strFileName, u"F");
    EXPECT_EQ(app.m_subItems[1]->m_osMask, 0x600u);

    int levels = 0;
    for (const ButtonInfo* item = model.tabs[0]->m_items[1].get(); !item->m_subItems.empty();
         item = item->m_subItems[0].get()) {
        ++levels;
    }
    EXPECT_EQ(levels, 8);
}

TEST(LauncherInfoReader, UnusableFilesLoadNothing) {
    const std::string tab =
        "<Launcher_Title>Menu</Launcher_Title>"
        "<Manual_Tab><Title>Manuals</Title></Manual_Tab>";
    const std::string cases[] = {
        "<Other_Root>" + tab + "</Other_Root>",
        "<orvex_lcd_utility_disk>" + tab + "</orvex_lcd_utility_disk>",
        Disk(tab).substr(0, Disk(tab).size() - 10),
        "",
    };
    for (const std::string& xml : cases) {
        SCOPED_TRACE(xml);
        const Model model = LoadDisk(xml);
        EXPECT_TRUE(model.tabs.empty());
        EXPECT_EQ(model.title, u"");
    }
}

// Records whether the reader created a document for a file that is not there.
class CountingDom final : public platform::XmlDom {
public:
    bool FileExists(const std::u16string& path) override { return inner_->FileExists(path); }
    std::unique_ptr<platform::XmlDocument> LoadFile(const std::u16string& path) override {
        ++loads;
        return inner_->LoadFile(path);
    }
    int loads = 0;

private:
    std::unique_ptr<platform::XmlDom> inner_ = MakeTestDom();
};

TEST(LauncherInfoReader, LocatesTheFileBesideTheLauncher) {
    TempFolder disk;
    disk.Write("LauncherInfo/LauncherInfo_JA.xml", Disk("<Launcher_Title>JA</Launcher_Title>"));
    const std::u16string appDir =
        launcher::LauncherAppDir(disk.DirWithSeparator() + u"launcher.exe");
    EXPECT_EQ(appDir, disk.DirWithSeparator());

    CountingDom dom;
    Model english;
    launcher::LoadLauncherInfo(dom, launcher::LauncherInfoPath(appDir, kInfoFileEnglish),
                               &english.tabs, &english.title);
    EXPECT_EQ(english.title, u"");
    EXPECT_EQ(dom.loads, 0);

    Model japanese;
    launcher::LoadLauncherInfo(dom, launcher::LauncherInfoPath(appDir, kInfoFileJapanese),
                               &japanese.tabs, &japanese.title);
    EXPECT_EQ(japanese.title, u"JA");
    EXPECT_EQ(dom.loads, 1);
}

TEST(LauncherInfoReader, AppDirIsThePathUpToTheLastBackslash) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"D:\\launcher.exe", u"D:\\"},
        {u"C:\\Disk\\Tools\\launcher.exe", u"C:\\Disk\\Tools\\"},
        {u"\\\\server\\share\\launcher.exe", u"\\\\server\\share\\"},
        {u"launcher.exe", u""},
        {u"", u""},
    };
    for (const auto& [modulePath, appDir] : cases) {
        EXPECT_EQ(launcher::LauncherAppDir(modulePath), appDir);
    }
    // The folder's backslash and the file name's leading one are both kept.
    EXPECT_EQ(launcher::LauncherInfoPath(u"D:\\", kInfoFileEnglish),
              u"D:\\\\LauncherInfo\\LauncherInfo_EN.xml");
}

}  // namespace
}  // namespace launcher_test
