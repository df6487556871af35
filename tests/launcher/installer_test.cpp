// The installer flow over fakes: question, closing windows, the Windows
// Installer check, removal of an installed version, start and progress.
#include <gtest/gtest.h>

#include "launcher/item_actions.h"
#include "launcher/setup_watch.h"
#include "launcher_fakes.h"

namespace launcher_test {
namespace {

using launcher::ButtonInfo;

class InstallerTest : public ::testing::Test {
protected:
    FakeShell shell;
    FakeInstaller installer;
    FakeRunKey runKey;
    FakeOs os;
    FakeUi ui;
    launcher::ItemActions actions{{shell, installer, runKey, os}, u"D:\\", ui};
    ButtonInfo item;

    void SetUp() override {
        item.m_strItem = u"Installer";
        item.m_strTitle = u"Panelwright";
        item.m_strExecuteFile = u"Software\\setup.exe";
        item.m_strMessageBusy = u"busy";
        item.m_strMessageComplete = u"done";
    }
};

TEST_F(InstallerTest, CancelAtTheQuestionClosesNothingAndStartsNothing) {
    item.m_strPreMessage = u"Install?";
    item.m_closeWindows = {u"Panelwright"};
    ui.answers = {2};
    EXPECT_EQ(actions.RunInstaller(item, item.m_strTitle), 0);
    EXPECT_EQ(ui.styles, (std::vector<unsigned>{1}));
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(InstallerTest, NamedWindowsCloseInOrderThenSetupStartsWithProgress) {
    item.m_closeWindows = {u"A", u"", u"A"};
    item.m_strArgument = u"/lang=en";
    EXPECT_EQ(actions.RunInstaller(item, u"Owner title"), 1);
    ASSERT_EQ(shell.Kinds(), (std::vector<std::string>{"close", "close", "start"}));
    EXPECT_EQ(shell.calls[2].file, u"D:\\Software\\setup.exe");
    EXPECT_EQ(shell.calls[2].parameters, u"/lang=en");
    EXPECT_EQ(shell.calls[2].directory, u"D:\\Software\\");
    EXPECT_EQ(ui.progressTitles, (std::vector<std::u16string>{u"Owner title"}));
    EXPECT_TRUE(shell.processClosed) << "the process handle is closed after the wait";

    item.m_strMessageComplete.clear();
    EXPECT_EQ(actions.RunInstaller(item, item.m_strTitle), 1);
    EXPECT_EQ(ui.progressTitles.size(), 1u) << "no progress dialog without both messages";

    shell.startResult = 2;
    EXPECT_EQ(actions.RunInstaller(item, item.m_strTitle), 0);
    EXPECT_EQ(ui.asked.back(), u"#107");
}

TEST_F(InstallerTest, WithoutWindowsInstallerOnlyTheInstallerSetupIsOffered) {
    os.info.platformId = 1;
    installer.versionMs = 0x10001;  // older than 2.0 counts as missing
    ui.answers = {6};
    EXPECT_EQ(actions.RunInstaller(item, u"Panelwright"), 0);
    EXPECT_EQ(ui.asked, (std::vector<std::u16string>{u"#113 Panelwright"}));
    ASSERT_EQ(shell.Kinds(), (std::vector<std::string>{"execute"}));
    EXPECT_EQ(shell.calls[0].file, u"D:\\#114");

    // On NT the system is trusted to have it, even when the library is missing.
    os.info.platformId = 2;
    installer.loads = false;
    EXPECT_EQ(actions.RunInstaller(item, u"Panelwright"), 1);
}

TEST_F(InstallerTest, InstalledProductCountsForSuccessAndLongNames) {
    item.m_strProductCode = u"{CODE}";
    struct Case {
        int info;
        int answer;
        int configure;
        int expected;
        bool asked;
    };
    const Case cases[] = {
        {1605, 6, 0, 1, false},  // not installed: setup at once
        {0, 7, 0, 0, true},      // installed, No: stop
        {234, 6, 0, 1, true},    // a name longer than the buffer is installed too
        {0, 6, 1602, 0, true},   // removal cancelled inside Windows Installer
        {0, 6, 1603, 1, true},   // removal failed: install anyway
        {launcher::WindowsInstaller::kNoFunction, 6, 0, 1, false},
    };
    for (const Case& c : cases) {
        ui.asked.clear();
        installer.configured.clear();
        installer.infoResult = c.info;
        installer.configureResult = c.configure;
        ui.answers = {c.answer};
        EXPECT_EQ(actions.RunInstaller(item, item.m_strTitle), c.expected)
            << c.info << "/" << c.configure;
        EXPECT_EQ(!ui.asked.empty(), c.asked) << c.info;
        if (c.asked) {
            EXPECT_EQ(ui.asked[0], u"#115");
        }
        EXPECT_EQ(installer.configured.size(), c.asked && c.answer == 6 ? 1u : 0u) << c.info;
    }
    // Without the library the removal cannot run: the action ends silently.
    installer.loads = false;
    ui.asked.clear();
    EXPECT_FALSE(actions.RemoveOtherVersion(u"{CODE}"));
    EXPECT_TRUE(ui.asked.empty());
}

TEST_F(InstallerTest, ARunItemStoresWhetherTheSetupStarted) {
    launcher::ItemList items;
    items.push_back(std::make_unique<ButtonInfo>(std::move(item)));
    int flags[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    actions.RunItem(items, 0, flags);
    EXPECT_EQ(flags[0], 1);
    items[0]->m_strPreMessage = u"?";
    ui.answers = {2};
    actions.RunItem(items, 0, flags);
    EXPECT_EQ(flags[0], 0) << "a later click overwrites the flag";
}

TEST_F(InstallerTest, ASetupSeenToFailIsNotCountedAsStartedSoExitStartsNothing) {
    item.m_strRunValueName = u"Panelwright";
    runKey.native[u"Panelwright"] = FakeRunKey::Text(u"\"C:\\Panelwright\\p.exe\" /tray");
    launcher::ItemList items;
    items.push_back(std::make_unique<ButtonInfo>(std::move(item)));
    int flags[8] = {};

    // Closed before the setup ended: it may still install, so it counts.
    ui.progressState = launcher::SetupState::Running;
    actions.RunItem(items, 0, flags);
    EXPECT_EQ(flags[0], 1);

    ui.progressState = launcher::SetupState::Failed;
    actions.RunItem(items, 0, flags);
    EXPECT_EQ(flags[0], 0);
    shell.calls.clear();
    actions.StartRegisteredPrograms(items, 1, flags);
    EXPECT_TRUE(shell.calls.empty()) << "no program after the failure message";
}

TEST(SetupWatchTest, EndedSetupIsJudgedByItsExitCode) {
    FakeProcess process;
    std::uint32_t code = 99;
    EXPECT_EQ(launcher::PollSetup(process, &code), launcher::SetupState::Running);
    process.ended = true;
    for (std::uint32_t ok : {0u, 3010u, 1641u}) {
        process.code = ok;
        EXPECT_EQ(launcher::PollSetup(process, &code), launcher::SetupState::Succeeded) << ok;
    }
    process.code = 1603;
    EXPECT_EQ(launcher::PollSetup(process, &code), launcher::SetupState::Failed);
    EXPECT_EQ(code, 1603u);
}

}  // namespace
}  // namespace launcher_test
