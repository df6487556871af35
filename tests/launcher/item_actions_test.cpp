// Item actions over fakes: which shell calls, questions and dialogs each
// keyword leads to, and the programs started when the launcher is left.
#include <gtest/gtest.h>

#include "launcher/item_actions.h"
#include "launcher_fakes.h"

namespace launcher_test {
namespace {

using launcher::ButtonInfo;
using launcher::FileInfo;
using launcher::ItemList;

std::unique_ptr<FileInfo> Entry(std::u16string model, std::u16string english,
                                std::u16string file = u"") {
    auto entry = std::make_unique<FileInfo>();
    entry->m_strModelName = std::move(model);
    entry->m_strEnglish = std::move(english);
    entry->m_strFileName = std::move(file);
    return entry;
}

class ItemActionsTest : public ::testing::Test {
protected:
    FakeShell shell;
    FakeInstaller installer;
    FakeRunKey runKey;
    FakeOs os;
    FakeUi ui;
    launcher::ItemActions actions{{shell, installer, runKey, os}, u"D:\\", ui};
    ItemList items;
    int flags[8] = {};

    ButtonInfo& Add(std::u16string keyword) {
        items.push_back(std::make_unique<ButtonInfo>());
        items.back()->m_strItem = std::move(keyword);
        items.back()->m_strTitle = u"Item";
        return *items.back();
    }
    void Run(size_t index) { actions.RunItem(items, index, flags); }
};

TEST_F(ItemActionsTest, ManualsChooseTheirDialogAndOpenOnlyAChosenFile) {
    ButtonInfo& none = Add(u"Manual");
    Run(0);
    EXPECT_TRUE(ui.selectTemplates.empty()) << "a manual without entries does nothing";

    none.m_files.push_back(Entry(u"", u"a.pdf"));
    Run(0);
    none.m_files[0]->m_strModelName = u"VX2410";
    Run(0);
    none.m_files.push_back(Entry(u"", u"b.pdf"));
    Run(0);
    EXPECT_EQ(ui.selectTemplates, (std::vector<int>{135, 133, 133}));
    ASSERT_EQ(shell.Kinds(),
              (std::vector<std::string>{"find", "execute", "find", "execute", "find", "execute"}));
    EXPECT_EQ(shell.calls[1].file, u"D:\\chosen.pdf");
    EXPECT_EQ(shell.calls[1].owner, ui.owner);
    EXPECT_EQ(shell.calls[1].verb, u"");

    // Cancel, Esc or a dialog that failed to open: nothing is opened.
    shell.calls.clear();
    ui.selectResult = false;
    Run(0);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ItemActionsTest, AFileWithoutReaderAsksForOneAndOpensTheDownloadPageOnYes) {
    Add(u"Document").m_files.push_back(Entry(u"", u"", u"Document\\ReadMe.pdf"));
    shell.findResult = 2;  // the file is missing: the association lookup fails first
    ui.answers = {7};
    Run(0);
    ASSERT_EQ(ui.asked, (std::vector<std::u16string>{u"#105"}));
    EXPECT_EQ(ui.styles[0], 0x24u);
    EXPECT_EQ(shell.Kinds(), (std::vector<std::string>{"find"}));
    EXPECT_EQ(shell.calls[0].file, u"D:\\Document\\ReadMe.pdf");

    ui.answers = {6};
    shell.executeResult = 5;
    Run(0);
    ASSERT_EQ(shell.calls.back().file, u"#106");
    EXPECT_EQ(ui.asked.back(), u"#110") << "a failed shell call is reported";
    EXPECT_EQ(ui.styles.back(), 0x10u);

    // 32 is still a failure, whether or not a reader was found: only results
    // above it mean the shell started something.
    for (int reader : {2, 42}) {
        const std::size_t asked = ui.asked.size();
        shell.findResult = reader;
        ui.answers = {6};
        shell.executeResult = 32;
        Run(0);
        EXPECT_EQ(ui.asked.size(), asked + (reader > 32 ? 1 : 2)) << "reader " << reader;
        EXPECT_EQ(ui.styles.back(), 0x10u) << "reader " << reader;
    }
}

TEST_F(ItemActionsTest, DocumentsAndFoldersTakeTheOnlyEntryOrAskForTheModel) {
    ButtonInfo& document = Add(u"Document");
    document.m_files.push_back(Entry(u"VX2410", u"", u""));
    Run(0);
    EXPECT_TRUE(shell.calls.empty()) << "the only entry has no file name";

    ButtonInfo& folder = Add(u"Folder");
    folder.m_files.push_back(Entry(u"VX2410", u"", u"Driver\\ICC\\VX2410"));
    shell.executeResult = 2;
    Run(1);
    ASSERT_EQ(shell.Kinds(), (std::vector<std::string>{"execute"}))
        << "folders open without a reader check";
    EXPECT_EQ(shell.calls[0].file, u"D:\\Driver\\ICC\\VX2410");
    EXPECT_EQ(ui.asked, (std::vector<std::u16string>{u"#107"}));

    folder.m_files.push_back(Entry(u"VX2710W", u"", u"Driver\\ICC\\VX2710W"));
    Run(1);
    EXPECT_EQ(ui.selectTemplates, (std::vector<int>{132}));
}

// Wherever the launcher shows its own message for a failed call, the shell is
// asked to show none, so that a missing file gives one box, not two.
TEST_F(ItemActionsTest, EveryCallWhoseFailureTheLauncherReportsKeepsTheShellQuiet) {
    shell.executeResult = 2;
    shell.findResult = 42;
    Add(u"Manual").m_files.push_back(Entry(u"", u"a.pdf"));
    Add(u"Document").m_files.push_back(Entry(u"", u"", u"doc.pdf"));
    Add(u"Folder").m_files.push_back(Entry(u"", u"", u"Drivers"));
    ButtonInfo& program = Add(u"Execute");
    program.m_strExecuteFile = u"tool.exe";
    ButtonInfo& setup = Add(u"Installer");
    setup.m_strExecuteFile = u"setup.exe";
    setup.m_strRunValueName = u"Run";
    runKey.native[u"Run"] = FakeRunKey::Text(u"C:\\p.exe");
    for (size_t i = 0; i < items.size(); ++i) Run(i);
    flags[4] = 1;
    actions.StartRegisteredPrograms(items, items.size(), flags);
    // The reader question's download page too.
    shell.findResult = 2;
    ui.answers = {launcher::kAnswerYes};
    Run(0);

    size_t executes = 0;
    for (const ShellCall& call : shell.calls) {
        if (call.what != "execute") continue;
        ++executes;
        EXPECT_EQ(call.ui, launcher::ShellUi::Quiet)
            << std::string(call.file.begin(), call.file.end());
    }
    EXPECT_EQ(executes, 6u);
    // Every one of them failed, and each was reported once (the setup's start
    // went through; its Run value did not).
    EXPECT_EQ(ui.asked.size(), 7u);
}

TEST_F(ItemActionsTest, ProgramsWebAddressesAndOtherKeywords) {
    ButtonInfo& program = Add(u"Execute");
    Run(0);
    EXPECT_TRUE(shell.calls.empty());
    program.m_strExecuteFile = u"Utility\\Pattern\\ScreenPattern.exe";
    program.m_strArgument = u"/fullscreen";
    Run(0);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, u"D:\\Utility\\Pattern\\ScreenPattern.exe");
    EXPECT_EQ(shell.calls[0].parameters, u"/fullscreen");
    EXPECT_EQ(shell.calls[0].directory, u"D:\\Utility\\Pattern\\");

    Add(u"Web").m_strUrl = u"http://www.orvex.example/";
    Run(1);
    EXPECT_EQ(shell.calls.back().verb, u"open");
    EXPECT_EQ(shell.calls.back().owner, 0u);
    EXPECT_EQ(shell.calls.back().ui, launcher::ShellUi::ShellReports)
        << "nothing else reports a failure here";
    EXPECT_EQ(ui.browsingPrepared, 1);

    ButtonInfo& application = Add(u"Application");
    Run(2);
    EXPECT_EQ(ui.applicationDialogs, 0) << "no sub-items, no dialog";
    application.m_subItems.push_back(std::make_unique<ButtonInfo>());
    Run(2);
    EXPECT_EQ(ui.applicationDialogs, 1);
    const std::u16string title = u"Owner";
    actions.RunItem(items, 2, flags, &title);
    EXPECT_EQ(ui.applicationDialogs, 1) << "an Application sub-item does nothing";

    Add(u"manual");
    shell.calls.clear();
    Run(3);
    Run(9);
    EXPECT_TRUE(shell.calls.empty()) << "keywords are exact; indexes beyond the list do nothing";
}

// What a link or an application-dialog button may offer: only an item whose click
// does something stays enabled.
TEST(ItemDoesSomethingTest, OnlyItemsWithSomethingToOpenStartOrRemoveAreOffered) {
    ButtonInfo item;
    for (const char16_t* keyword : {u"", u"manual", u"Unknown"}) {
        item.m_strItem = keyword;
        EXPECT_FALSE(launcher::ItemDoesSomething(item, false)) << "no or an unknown keyword";
    }

    item.m_strItem = u"Manual";
    EXPECT_FALSE(launcher::ItemDoesSomething(item, false));
    item.m_files.push_back(Entry(u"", u""));
    EXPECT_TRUE(launcher::ItemDoesSomething(item, false))
        << "the language dialog opens, even with no language";

    for (const char16_t* keyword : {u"Document", u"Folder"}) {
        ButtonInfo document;
        document.m_strItem = keyword;
        EXPECT_FALSE(launcher::ItemDoesSomething(document, false));
        document.m_files.push_back(Entry(u"VX2410", u""));
        EXPECT_FALSE(launcher::ItemDoesSomething(document, false))
            << "its only entry names no file";
        document.m_files.push_back(Entry(u"VX2710W", u""));
        EXPECT_TRUE(launcher::ItemDoesSomething(document, false)) << "the model dialog opens";
        document.m_files.pop_back();
        document.m_files[0]->m_strFileName = u"Doc\\a.pdf";
        EXPECT_TRUE(launcher::ItemDoesSomething(document, false));
    }

    ButtonInfo program;
    program.m_strItem = u"Execute";
    program.m_strPreMessage = u"Start?";
    EXPECT_FALSE(launcher::ItemDoesSomething(program, false));
    program.m_strExecuteFile = u"Tools\\tool.exe";
    EXPECT_TRUE(launcher::ItemDoesSomething(program, false));

    ButtonInfo setup;
    setup.m_strItem = u"Installer";
    setup.m_strPreMessage = u"Install?";
    setup.m_closeWindows = {u""};
    EXPECT_FALSE(launcher::ItemDoesSomething(setup, false)) << "a question that leads to nothing";
    EXPECT_TRUE(launcher::ItemDoesSomething(setup, false, false))
        << "without Windows Installer the click offers its setup";
    EXPECT_TRUE(launcher::ItemDoesSomething(setup, true, false));
    setup.m_closeWindows.push_back(u"Old Tool");
    EXPECT_TRUE(launcher::ItemDoesSomething(setup, false));
    setup.m_closeWindows.clear();
    setup.m_strProductCode = u"{6C1E7A52-3B1F-4D8A-9E27-51A0C4F3D2B8}";
    EXPECT_TRUE(launcher::ItemDoesSomething(setup, false)) << "it offers the removal";
    setup.m_strProductCode.clear();
    setup.m_strExecuteFile = u"Setup\\setup.exe";
    EXPECT_TRUE(launcher::ItemDoesSomething(setup, false));

    ButtonInfo web;
    web.m_strItem = u"Web";
    EXPECT_FALSE(launcher::ItemDoesSomething(web, false));
    web.m_strUrl = u"http://www.orvex.example/";
    EXPECT_TRUE(launcher::ItemDoesSomething(web, false));
    EXPECT_TRUE(launcher::ItemDoesSomething(web, true));

    ButtonInfo application;
    application.m_strItem = u"Application";
    EXPECT_FALSE(launcher::ItemDoesSomething(application, false));
    application.m_subItems.push_back(std::make_unique<ButtonInfo>());
    EXPECT_TRUE(launcher::ItemDoesSomething(application, false));
    EXPECT_FALSE(launcher::ItemDoesSomething(application, true))
        << "nested in the application dialog";
}

TEST_F(ItemActionsTest, RegisteredProgramsStartWithTheirParametersAtExit) {
    Add(u"Installer").m_strRunValueName = u"Panelwright";
    Add(u"Installer").m_strRunValueName = u"Updater";
    Add(u"Installer").m_strRunValueName = u"NotStarted";
    Add(u"Installer");
    runKey.native[u"Panelwright"] =
        FakeRunKey::Text(u"\"C:\\Program Files\\Orvex\\vistrelddcci.exe\" /tray");
    // A 32-bit setup writes to the other view, possibly without a terminator.
    runKey.wow32[u"Updater"] = FakeRunKey::Text(u"%ProgramFiles%\\Reader\\update.exe -q",
                                                launcher::RunKey::kTypeExpandString, false);
    runKey.native[u"NotStarted"] = FakeRunKey::Text(u"C:\\x.exe");
    flags[0] = flags[1] = flags[3] = 1;

    actions.StartRegisteredPrograms(items, 8, flags);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].file, u"C:\\Program Files\\Orvex\\vistrelddcci.exe");
    EXPECT_EQ(shell.calls[0].parameters, u"/tray");
    EXPECT_EQ(shell.calls[0].owner, ui.owner);
    EXPECT_EQ(shell.calls[1].file, u"C:\\Program");
    EXPECT_EQ(shell.calls[1].parameters, u"Files\\Reader\\update.exe -q")
        << "an unquoted path with spaces that does not exist splits at the first space";

    shell.calls.clear();
    shell.existingFiles.insert(u"C:\\Program Files\\Reader\\update.exe -q");
    shell.executeResults[u"C:\\Program Files\\Reader\\update.exe -q"] = 2;
    actions.StartRegisteredPrograms(items, 2, flags);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].file, u"C:\\Program Files\\Reader\\update.exe -q");
    EXPECT_EQ(ui.asked, (std::vector<std::u16string>{u"#107"}));

    // A value of another type is not a command.
    shell.calls.clear();
    runKey.native[u"Panelwright"] = {4, {1, 0, 0, 0}};
    actions.StartRegisteredPrograms(items, 1, flags);
    EXPECT_TRUE(shell.calls.empty());
}

}  // namespace
}  // namespace launcher_test
