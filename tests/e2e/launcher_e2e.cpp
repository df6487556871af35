// The launcher run from a test disk under Wine, driven as a user would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launcher_driver.h"

namespace {

using e2e::Launcher;

bool Enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

bool AnyStartContains(const std::wstring& part) {
    const auto starts = e2e::RecordedStarts();
    return std::any_of(starts.begin(), starts.end(), [&](const std::wstring& line) {
        return line.find(part) != std::wstring::npos;
    });
}

size_t StartsContaining(const std::wstring& part) {
    const auto starts = e2e::RecordedStarts();
    return static_cast<size_t>(std::count_if(
        starts.begin(), starts.end(),
        [&](const std::wstring& line) { return line.find(part) != std::wstring::npos; }));
}

bool Japanese() {
    return ::GetUserDefaultUILanguage() == 0x0411;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::ClearRecordedStarts();
        e2e::RegisterRecorder();
        ASSERT_TRUE(launcher.Start()) << "the launcher window did not come up";
        ::SetForegroundWindow(launcher.Main());
    }
    void TearDown() override {
        launcher.Kill();
        e2e::UnregisterRecorder();
    }
    // Selects the tab and waits until its page shows the item's title at the
    // link's position (0 to 7).
    ::testing::AssertionResult ShowTabWithLink(int tab, int position, const std::wstring& title) {
        launcher.SelectTab(tab);
        if (e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
                return e2e::ItemText(launcher.VisiblePage(), 1012 + position) == title;
            })) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "tab " << tab << " shows no \"" << std::string(title.begin(), title.end())
               << "\" at link " << position;
    }
    // The same, then clicks the link; the dialog it opens, or null.
    HWND OpenFromTab(int tab, int position, const std::wstring& title) {
        const ::testing::AssertionResult shown = ShowTabWithLink(tab, position, title);
        if (!shown) {
            ADD_FAILURE() << shown.message();
            return nullptr;
        }
        launcher.ClickLink(position);
        return launcher.WaitForDialog(e2e::kReactionDeadline);
    }
    Launcher launcher;
};

// The disk's own description: what a user sees when the disk goes in.
TEST_F(LauncherTest, SampleDiskShowsItsTabsAndLinks) {
    HWND page = launcher.VisiblePage();
    ASSERT_NE(page, nullptr);
    const std::vector<std::wstring> tabs = e2e::TabItems(launcher.ProcessHandle(), launcher.Tab());
    if (Japanese()) {
        EXPECT_EQ(e2e::WindowText(launcher.Main()), L"Orvex スタートメニュー");
        ASSERT_EQ(tabs.size(), 4u);
        EXPECT_EQ(tabs[0], L"マニュアル");
        EXPECT_EQ(e2e::ItemText(page, 1012), L"取扱説明書");
    } else {
        EXPECT_EQ(e2e::WindowText(launcher.Main()), L"Orvex Start Menu");
        EXPECT_EQ(tabs,
                  (std::vector<std::wstring>{L"Manuals", L"Software", L"Utility", L"Information"}));
        EXPECT_EQ(e2e::ItemText(page, 1012), L"User's Manual");
        EXPECT_EQ(e2e::ItemText(page, 1015), L"Read Me");
    }
    for (int id = 1012; id <= 1015; ++id) EXPECT_TRUE(Enabled(page, id)) << id;
    for (int id = 1016; id <= 1019; ++id) {
        EXPECT_FALSE(Enabled(page, id)) << id;
        EXPECT_EQ(e2e::ItemText(page, id), L"") << id;
    }

    launcher.SelectTab(3);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                      [&] { return launcher.VisiblePage() != page; }));
    HWND information = launcher.VisiblePage();
    EXPECT_EQ(e2e::ItemText(information, 1019).rfind(L"http://www.orvex.example/", 0), 0u);
}

TEST_F(LauncherTest, TenItemsShowEightLinksAndHoverShowsTheCaption) {
    HWND page = launcher.VisiblePage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(e2e::ItemText(page, 1019), L"Document 8");
    for (int id = 1012; id <= 1019; ++id) EXPECT_TRUE(Enabled(page, id)) << id;

    // Links follow the pointer only while the main window is active; it comes
    // up in front by itself, though on a busy machine a moment after it shows:
    // the pointer keeps moving over the link, as a user's would.
    HWND link = ::GetDlgItem(page, 1012);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        return e2e::ItemText(page, 1011) == L"A manual that is on the disk.";
    })) << "the hovered link shows its caption";
    ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    EXPECT_EQ(e2e::ItemText(page, 1011), L"");

    launcher.SelectTab(1);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                      [&] { return launcher.VisiblePage() != page; }));
    HWND software = launcher.VisiblePage();
    EXPECT_EQ(e2e::ItemText(software, 1013), L"Old Setup");
    EXPECT_FALSE(Enabled(software, 1013)) << "an installer for another Windows is greyed out";
    EXPECT_TRUE(Enabled(software, 1012));
    EXPECT_EQ(e2e::ItemText(software, 1017), L"Nothing To Run");
    EXPECT_FALSE(Enabled(software, 1017)) << "an item whose click would do nothing is greyed out";
}

TEST_F(LauncherTest, ManualOpensThroughTheLanguageDialog) {
    launcher.ClickLink(0);
    HWND dialog = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Enabled(dialog, 1009));   // English
    EXPECT_TRUE(Enabled(dialog, 1010));   // Deutsch
    EXPECT_FALSE(Enabled(dialog, 1008));  // Japanese
    EXPECT_FALSE(Enabled(dialog, 1012));  // Chinese
    e2e::PressButton(dialog, 1009);
    EXPECT_TRUE(
        e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"Manual\\present.pdf"); }));
}

TEST_F(LauncherTest, MissingManualAsksForAReader) {
    launcher.ClickLink(1);
    HWND dialog = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(dialog, nullptr);
    e2e::PressButton(dialog, 1009);
    HWND question = launcher.WaitForDialog(e2e::kReactionDeadline, dialog);
    ASSERT_NE(question, nullptr);
    EXPECT_NE(e2e::MessageBoxText(question).find(L"Reader(R) is required"), std::wstring::npos);
    e2e::PressButton(question, IDNO);
    ::Sleep(500);
    EXPECT_TRUE(e2e::RecordedStarts().empty());
}

TEST_F(LauncherTest, ModelChoiceReevaluatesTheLanguagesAndCancelOpensNothing) {
    launcher.ClickLink(2);
    HWND dialog = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(dialog, nullptr);
    HWND models = ::GetDlgItem(dialog, 1006);
    EXPECT_EQ(::SendMessageW(models, CB_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(Enabled(dialog, 1009));
    EXPECT_FALSE(Enabled(dialog, 1010));
    ::SendMessageW(models, CB_SETCURSEL, 1, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1006, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(models));
    EXPECT_FALSE(Enabled(dialog, 1009));
    EXPECT_TRUE(Enabled(dialog, 1010));
    EXPECT_TRUE(Enabled(dialog, 1008));
    e2e::PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(dialog); }));
    ::Sleep(500);
    EXPECT_TRUE(e2e::RecordedStarts().empty()) << "Cancel must not open the disk folder";
}

TEST_F(LauncherTest, ToolStartsWithItsArgumentsInItsFolder) {
    ASSERT_TRUE(ShowTabWithLink(1, 0, L"Run Tool"));
    launcher.ClickLink(0);
    ASSERT_TRUE(e2e::WaitUntilPumping(8000, [] { return !e2e::RecordedStarts().empty(); }));
    const std::wstring start = e2e::RecordedStarts()[0];
    EXPECT_NE(start.find(L"/alpha beta"), std::wstring::npos)
        << std::string(start.begin(), start.end());
    const std::wstring folder = start.substr(start.find(L'|') + 1);
    EXPECT_NE(folder.find(L"disk\\Tools"), std::wstring::npos) << "it runs in its own folder";
}

TEST_F(LauncherTest, QuestionFirstThenNamedWindowsCloseBeforeSetup) {
    // A window of the title the item names, standing for a running program.
    HWND victim = ::CreateWindowExW(0, L"STATIC", L"Launcher Test Victim", WS_OVERLAPPED, 0, 0, 100,
                                    50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(victim, nullptr);
    HWND question = OpenFromTab(1, 2, L"Setup Asks");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(question), L"Install the test software?");
    e2e::PressButton(question, IDCANCEL);
    e2e::WaitUntilPumping(1000, [] { return false; });
    EXPECT_TRUE(::IsWindow(victim));
    EXPECT_TRUE(e2e::RecordedStarts().empty());

    launcher.ClickLink(2);
    question = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(question, nullptr);
    e2e::PressButton(question, IDOK);
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [&] { return AnyStartContains(L"/asked"); }));
    EXPECT_FALSE(::IsWindow(victim)) << "the named window was closed before the setup";
}

TEST_F(LauncherTest, ProgressWaitsForTheSetupAndItsProgramStartsAtExit) {
    HWND progress = OpenFromTab(1, 3, L"Setup Works");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(e2e::WindowText(progress), L"Setup Works ");
    EXPECT_EQ(e2e::ItemText(progress, -1), L"Installing the test software...");
    EXPECT_FALSE(Enabled(progress, IDOK));
    ASSERT_TRUE(e2e::WaitUntilPumping(15000, [&] { return Enabled(progress, IDOK); }));
    EXPECT_EQ(e2e::ItemText(progress, -1), L"The test software has been installed.");
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(
        e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(progress); }));

    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(8000));
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"/from-run"); }))
        << "the registered program starts when the launcher is left";
}

TEST_F(LauncherTest, FailingSetupIsReportedAsAFailure) {
    HWND progress = OpenFromTab(1, 4, L"Setup Fails");
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(e2e::WaitUntilPumping(15000, [&] { return Enabled(progress, IDOK); }));
    const std::wstring message = e2e::ItemText(progress, -1);
    EXPECT_NE(message.find(L"1603"), std::wstring::npos);
    EXPECT_EQ(message.find(L"Installed."), std::wstring::npos);
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(
        e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(progress); }));
    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(8000));
    e2e::WaitUntilPumping(3000, [] { return false; });
    EXPECT_FALSE(AnyStartContains(L"/from-run")) << "a failed setup installed nothing to start";
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
}

void Press(WORD key, bool withControl = false) {
    if (withControl) Key(VK_CONTROL, true);
    Key(key, true);
    Key(key, false);
    if (withControl) Key(VK_CONTROL, false);
    ::Sleep(300);
}

TEST_F(LauncherTest, KeyboardReachesTabsAndLinks) {
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                      [&] { return ::GetForegroundWindow() == launcher.Main(); }));
    HWND manuals = launcher.VisiblePage();
    Press(VK_TAB, true);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return launcher.VisiblePage() != manuals;
    })) << "Ctrl+Tab moves to the next tab";
    Press(VK_TAB, true);
    Press(VK_TAB, true);
    Press(VK_TAB, true);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return launcher.VisiblePage() == manuals;
    })) << "and wraps round to the first";

    // From the tab strip, Tab reaches the first link; it shows its caption, and
    // Enter opens it as a click would.
    Press(VK_TAB);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return e2e::ItemText(manuals, 1011) == L"A manual that is on the disk.";
    }));
    Press(VK_RETURN);
    HWND dialog = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(dialog, nullptr) << "Enter on a link opens its item";
    // The focus went to the dialog; the link keeps its highlight meanwhile.
    e2e::WaitUntilPumping(500, [] { return false; });
    EXPECT_EQ(e2e::ItemText(manuals, 1011), L"A manual that is on the disk.");
    e2e::PressButton(dialog, IDCANCEL);
}

struct InputMethodSearch {
    DWORD process;
    int found;
};

// Counts the process's default input-method windows (class "IME").
BOOL CALLBACK CountInputMethodWindows(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<InputMethodSearch*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (process == search->process && std::wstring(name) == L"IME") ++search->found;
    return TRUE;
}

// Nothing in the launcher takes typed text, so it runs without an input method:
// no input-method window is made for it, even once it has the focus and keys
// have reached it.
TEST_F(LauncherTest, NoInputMethodWindowIsMadeForIt) {
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                      [&] { return ::GetForegroundWindow() == launcher.Main(); }));
    HWND manuals = launcher.VisiblePage();
    Press(VK_TAB, true);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return launcher.VisiblePage() != manuals;
    })) << "Ctrl+Tab reached the launcher";
    InputMethodSearch search{::GetProcessId(launcher.ProcessHandle()), 0};
    ::EnumWindows(CountInputMethodWindows, reinterpret_cast<LPARAM>(&search));
    EXPECT_EQ(search.found, 0);
}

// Two tabs of one kind and two of another: every tab shows its own items, and
// every installer started on any of them has its program started once at Exit.
TEST_F(LauncherTest, EveryTabHasItsOwnPageAndEveryRunProgramStartsOnce) {
    EXPECT_EQ(e2e::TabItems(launcher.ProcessHandle(), launcher.Tab()),
              (std::vector<std::wstring>{L"Manuals A", L"Setups A", L"Manuals B", L"Setups B"}));
    const wchar_t* firstLinks[] = {L"Doc A", L"Setup A", L"Doc B", L"Setup B"};
    std::vector<HWND> pages;
    for (int tab = 0; tab < 4; ++tab) {
        launcher.SelectTab(tab);
        ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                          [&] {
                                              HWND page = launcher.VisiblePage();
                                              return page != nullptr &&
                                                     std::find(pages.begin(), pages.end(), page) ==
                                                         pages.end();
                                          }))
            << "tab " << tab << " has a page of its own";
        HWND page = launcher.VisiblePage();
        pages.push_back(page);
        EXPECT_EQ(e2e::ItemText(page, 1012), firstLinks[tab]) << tab;
    }
    EXPECT_EQ(e2e::ItemText(pages[2], 1013), L"Doc B2");
    EXPECT_FALSE(Enabled(pages[0], 1013)) << "the first Manuals tab has one item";

    for (int tab : {1, 3}) {
        launcher.SelectTab(tab);
        ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
            return launcher.VisiblePage() == pages[static_cast<size_t>(tab)];
        }));
        launcher.ClickLink(0);
    }
    ASSERT_TRUE(e2e::WaitUntilPumping(
        8000, [] { return AnyStartContains(L"/setup-a") && AnyStartContains(L"/setup-b"); }));

    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(8000));
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"/from-run-b"); }));
    e2e::WaitUntilPumping(1000, [] { return false; });
    EXPECT_EQ(StartsContaining(L"/from-run|"), 1u) << "the first Setups tab's program, once";
    EXPECT_EQ(StartsContaining(L"/from-run-b|"), 1u) << "the second Setups tab's program, once";
}

BOOL CALLBACK CollectTexts(HWND window, LPARAM texts) {
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(e2e::WindowText(window));
    ::EnumChildWindows(window, CollectTexts, texts);
    return TRUE;
}

struct ProcessTexts {
    DWORD process;
    std::vector<std::wstring> texts;
};

// A named callback, not a lambda: on x86 a lambda converts only to a function
// of the default calling convention, not to the callback's.
BOOL CALLBACK CollectProcessTexts(HWND window, LPARAM raw) {
    auto* context = reinterpret_cast<ProcessTexts*>(raw);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == context->process) CollectTexts(window, reinterpret_cast<LPARAM>(&context->texts));
    return TRUE;
}

// Every text of every window the process shows, its children's included.
std::vector<std::wstring> TextsOfProcess(DWORD process) {
    ProcessTexts context{process, {}};
    ::EnumWindows(CollectProcessTexts, reinterpret_cast<LPARAM>(&context));
    return context.texts;
}

// The disk's information file declares a document type: an entity that pulls in
// a file from outside the disk, and entities that would expand to gigabytes.
TEST(HostileDiskTest, ADocumentTypeLeavesTheWindowEmptyAndShowsNothingFromOutside) {
    Launcher launcher;
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(launcher.Start()) << "the launcher window did not come up";
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_LT(elapsed, 5000u) << "the file is refused before anything is expanded";
    EXPECT_EQ(e2e::WindowText(launcher.Main()), L"");
    EXPECT_EQ(::SendMessageW(launcher.Tab(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(launcher.VisiblePage(), nullptr);
    for (const std::wstring& text : TextsOfProcess(launcher.ProcessId())) {
        EXPECT_EQ(text.find(L"Secret"), std::wstring::npos)
            << std::string(text.begin(), text.end());
        EXPECT_EQ(text.find(L"bomb"), std::wstring::npos);
    }
    // Only "E&xit" is left, and it works.
    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(e2e::kReactionDeadline));
}

// The setup was started, so leaving by "E&xit" would start its program: the
// close box must not.
TEST_F(LauncherTest, TheCloseBoxStartsNothingEvenAfterASetupRan) {
    HWND progress = OpenFromTab(1, 3, L"Setup Works");
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(e2e::WaitUntilPumping(15000, [&] { return Enabled(progress, IDOK); }));
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(
        e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(progress); }));

    ::PostMessageW(launcher.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(launcher.WaitForExit(e2e::kReactionDeadline));
    e2e::WaitUntilPumping(3000, [] { return false; });
    EXPECT_TRUE(AnyStartContains(L"/exit=0")) << "the setup did run";
    EXPECT_FALSE(AnyStartContains(L"/from-run"));
}

// The progress dialog may be left before the setup ends; the setup counts as
// started, and the launcher goes on.
TEST_F(LauncherTest, ProgressClosedEarlyWithEscOrTheCloseBoxLeavesTheSetupRunning) {
    ASSERT_TRUE(ShowTabWithLink(1, 3, L"Setup Works"));
    for (int way = 0; way < 2; ++way) {
        launcher.ClickLink(3);
        HWND progress = launcher.WaitForDialog(e2e::kReactionDeadline);
        ASSERT_NE(progress, nullptr);
        EXPECT_FALSE(Enabled(progress, IDOK));
        if (way == 0) {
            ::PostMessageW(progress, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            ::PostMessageW(progress, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
            return !::IsWindow(progress);
        })) << way;
        EXPECT_TRUE(launcher.Running());
    }
    e2e::PressButton(launcher.Main(), 1003);
    EXPECT_TRUE(launcher.WaitForExit(8000));
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"/from-run|"); }));
}

// A setup that is not on the disk: the launcher's "No File" and nothing from the shell.
TEST_F(LauncherTest, AMissingSetupGivesOneMessage) {
    HWND box = OpenFromTab(1, 6, L"Setup Missing");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box), L"No File");
    e2e::PressButton(box, IDOK);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(box); }));
    EXPECT_EQ(launcher.WaitForDialog(1500), nullptr) << "a second box for the same file";
}

// Folders, web addresses and the information page's link open through the shell.
TEST_F(LauncherTest, FolderWebAndInformationLinksOpenTheirTargets) {
    ASSERT_TRUE(ShowTabWithLink(3, 0, L"Open Folder"));
    launcher.ClickLink(0);
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"disk\\Tools"); }));
    launcher.ClickLink(1);
    EXPECT_TRUE(e2e::WaitUntilPumping(
        8000, [] { return AnyStartContains(L"https://www.orvex.example/support/"); }));

    launcher.SelectTab(2);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return e2e::ItemText(launcher.VisiblePage(), 1019) == L"http://www.orvex.example/register/";
    }));
    HWND information = launcher.VisiblePage();
    HWND link = ::GetDlgItem(information, 1019);
    ::PostMessageW(information, WM_COMMAND, MAKEWPARAM(1019, STN_CLICKED),
                   reinterpret_cast<LPARAM>(link));
    EXPECT_TRUE(e2e::WaitUntilPumping(
        8000, [] { return AnyStartContains(L"http://www.orvex.example/register/"); }));
}

// Template 132: the model list and "OK" open the chosen model's document.
TEST_F(LauncherTest, ModelOnlyDialogOpensTheChosenModelsDocumentWithOk) {
    HWND dialog = OpenFromTab(3, 3, L"Read Me Per Model");
    ASSERT_NE(dialog, nullptr);
    HWND models = ::GetDlgItem(dialog, 1006);
    EXPECT_EQ(::SendMessageW(models, CB_GETCOUNT, 0, 0), 2);
    ::SendMessageW(models, CB_SETCURSEL, 1, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1006, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(models));
    e2e::PressButton(dialog, 1005);
    EXPECT_TRUE(
        e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"Manual\\readme.htm"); }));
    EXPECT_FALSE(AnyStartContains(L"readme.txt"));
}

// The Application item: its dialog lists the sub-items; an installer run from it
// shows the Application item's title, and its program starts when the dialog
// closes, not when the launcher is left.
TEST_F(LauncherTest, ApplicationDialogRunsASetupAndStartsItsProgramWhenClosed) {
    HWND dialog = OpenFromTab(3, 2, L"Tool Box");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::WindowText(dialog), L"Tool Box ");
    EXPECT_EQ(e2e::ItemText(dialog, 1014), L"Box Setup");
    EXPECT_EQ(e2e::ItemText(dialog, 1015), L"Box Tool");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, 1016)));

    e2e::PressButton(dialog, 1014);
    HWND progress = launcher.WaitForDialog(e2e::kReactionDeadline, dialog);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(e2e::WindowText(progress), L"Tool Box ") << "the Application item's title";
    ASSERT_TRUE(e2e::WaitUntilPumping(15000, [&] { return Enabled(progress, IDOK); }));
    e2e::PressButton(progress, IDOK);
    ASSERT_TRUE(
        e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(progress); }));
    EXPECT_TRUE(AnyStartContains(L"/box-setup"));
    EXPECT_FALSE(AnyStartContains(L"/from-run-b")) << "not while the dialog is open";

    ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(e2e::WaitUntilPumping(8000, [] { return AnyStartContains(L"/from-run-b|"); }));
    EXPECT_TRUE(launcher.Running());
}

// Runs a program of the prefix to its end; its exit code, or -1.
long RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return -1;
    }
    e2e::WaitUntilPumping(
        60000, [&] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return static_cast<long>(code);
}

// An installed version of the product is offered for removal; Yes removes it
// through Windows Installer before the setup runs.
TEST_F(LauncherTest, RemovalAnsweredYesRemovesTheInstalledProductBeforeTheSetup) {
    wchar_t programFiles[MAX_PATH] = {};
    ::ExpandEnvironmentStringsW(L"%ProgramFiles%", programFiles, MAX_PATH);
    const std::wstring marker = std::wstring(programFiles) + L"\\Launcher Removal Test\\marker.txt";
    ASSERT_EQ(RunToEnd(L"msiexec.exe /i \"" + e2e::DiskPath() + L"\\Setup\\removal-test.msi\" /qn"),
              0);
    ASSERT_NE(::GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "installed first";

    HWND question = OpenFromTab(3, 4, L"Replace Old Version");
    ASSERT_NE(question, nullptr);
    EXPECT_NE(e2e::MessageBoxText(question).find(L"uninstall other version"), std::wstring::npos);
    EXPECT_FALSE(AnyStartContains(L"/replaced")) << "nothing runs before the answer";
    e2e::PressButton(question, IDYES);
    EXPECT_TRUE(e2e::WaitUntilPumping(30000, [] { return AnyStartContains(L"/replaced"); }));
    EXPECT_EQ(::GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the old version is gone";
    // Whatever happens, the prefix keeps no product for the next run.
    RunToEnd(L"msiexec.exe /x {5B7E2C90-4A1D-4E63-9F28-3C6A1B0D7E45} /qn");
}

// Leaving the window for another program clears the highlight (0x046F), but not
// while a selection dialog of the launcher is what took the focus.
TEST_F(LauncherTest, DeactivationClearsTheHighlightExceptUnderASelectionDialog) {
    HWND page = launcher.VisiblePage();
    HWND link = ::GetDlgItem(page, 1012);
    auto hover = [&] {
        // The real pointer goes on the link too: while lit the link holds the
        // capture, and a pointer event from elsewhere (one Wine makes as windows
        // come and go) would put the light out before the click.
        RECT rect{};
        ::GetWindowRect(link, &rect);
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
            ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            return e2e::ItemText(page, 1011) == L"A manual that is on the disk.";
        });
    };
    ASSERT_TRUE(hover());
    launcher.ClickLink(0);
    HWND dialog = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(dialog, nullptr);
    // The launcher has deactivated its window once the dialog is in front and
    // it has come back to its message loop to answer.
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline,
                                      [&] { return ::GetForegroundWindow() == dialog; }));
    DWORD_PTR answer = 0;
    ASSERT_NE(::SendMessageTimeoutW(launcher.Main(), WM_NULL, 0, 0, SMTO_NORMAL,
                                    e2e::kReactionDeadline, &answer),
              0);
    EXPECT_EQ(e2e::ItemText(page, 1011), L"A manual that is on the disk.")
        << "kept under the dialog";
    e2e::PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(dialog); }));

    ::SetForegroundWindow(launcher.Main());
    ASSERT_TRUE(hover());
    HWND other =
        ::CreateWindowExW(0, L"STATIC", L"Another Program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetForegroundWindow(other);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] {
        return e2e::ItemText(page, 1011).empty();
    })) << "another program in front clears the highlight";
    ::DestroyWindow(other);
}

TEST_F(LauncherTest, AboutBoxFromTheSystemCommand) {
    ::PostMessageW(launcher.Main(), WM_SYSCOMMAND, 0x0010, 0);
    HWND about = launcher.WaitForDialog(e2e::kReactionDeadline);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(e2e::WindowText(about), L"About Orvex Start Menu");
    EXPECT_EQ(e2e::ItemText(about, 1002), L"Orvex Start Menu Ver2.4.1");
    e2e::PressButton(about, 1000);
    EXPECT_TRUE(e2e::WaitUntilPumping(e2e::kReactionDeadline, [&] { return !::IsWindow(about); }));
}

}  // namespace
