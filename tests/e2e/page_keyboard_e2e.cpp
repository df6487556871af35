// The keyboard on the settings window's four pages, keys typed into the
// program's focused control: Tab leaves a page's last control for "&Close", Shift+Tab
// leaves its first control for the tab strip, and Alt+C closes the settings.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "settings_driver.h"

namespace {

using e2e::Program;

// A control only its own page has, to find each page by.
struct PageOfTab {
    int tab;
    int controlId;
    const char* name;
};
constexpr PageOfTab kPages[] = {{e2e::kTabTonalis, 1029, "Auto Tonalis"},
                                {e2e::kTabColor, 1047, "Color Adjustment"},
                                {e2e::kTabMatch, 1235, "Multi-Monitor Match"},
                                {e2e::kTabSound, 1133, "Sound"}};

std::string Describe(HWND window) {
    if (window == nullptr) return "no window";
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) + " id " + std::to_string(::GetDlgCtrlID(window));
}

class PageKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "default-desk.json"));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
        main = e2e::OpenSettings(program);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override {
        program.ExitFromTray(true);
        EXPECT_EQ(e2e::SimRegister(0, 0, 0xE0), 0) << "monitor 1 is left claimed";
        EXPECT_EQ(e2e::SimRegister(1, 0, 0xE0), 0) << "monitor 2 is left claimed";
        e2e::DeleteSettingsTree();
    }

    // Keys go to the window in front: the settings window must be it.
    bool BringToFront() {
        return e2e::WaitUntil(3000, [&] {
            if (::GetForegroundWindow() == main) return true;
            ::SetForegroundWindow(main);
            return false;
        });
    }
    // Types a key into the control that has the focus, as the keyboard would: the
    // key press is posted to it. Shift is held in the key state that this
    // thread then shares with the program's, for as long as `until` takes.
    template <typename Condition>
    bool PressKey(WPARAM key, bool shift, Condition until) {
        const DWORD self = ::GetCurrentThreadId();
        const DWORD target = ::GetWindowThreadProcessId(main, nullptr);
        BYTE state[256] = {};
        if (shift) {
            MSG ignored;
            ::PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE);  // this thread's input queue
            if (!::AttachThreadInput(self, target, TRUE)) return false;
            ::GetKeyboardState(state);
            state[VK_SHIFT] = 0x80;
            ::SetKeyboardState(state);
        }
        ::PostMessageA(e2e::FocusOf(program), WM_KEYDOWN, key, 1);
        // No release follows: the program acts on the press, and a release posted to
        // a control that has lost the focus meanwhile is no key a user could type.
        const bool reached = e2e::WaitUntil(3000, until);
        if (shift) {
            state[VK_SHIFT] = 0;
            ::SetKeyboardState(state);
            ::AttachThreadInput(self, target, FALSE);
        }
        return reached;
    }
    // The focus is on the control or inside it (the edit field of a combo box).
    bool FocusIsIn(HWND control) {
        HWND focus = e2e::FocusOf(program);
        return focus != nullptr && (focus == control || ::IsChild(control, focus));
    }
    // Puts the focus on a control of a page, as a click on it would.
    bool FocusOn(HWND page, HWND control) {
        ::SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        return e2e::WaitUntil(2000, [&] { return FocusIsIn(control); });
    }
    bool FocusMovesTo(HWND expected) {
        return e2e::WaitUntil(3000, [&] { return FocusIsIn(expected); });
    }

    Program program;
    HWND main = nullptr;
};

TEST_F(PageKeyboardTest, TabAndShiftTabLeaveEveryPageForCloseAndTheTabStrip) {
    HWND close = ::GetDlgItem(main, e2e::kIdClose);
    HWND tabStrip = ::GetDlgItem(main, e2e::kIdTabStrip);
    ASSERT_NE(close, nullptr);
    for (const PageOfTab& entry : kPages) {
        SCOPED_TRACE(entry.name);
        ASSERT_TRUE(e2e::SelectTab(program, entry.tab));
        HWND page = e2e::FindPage(program, entry.controlId);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(e2e::WaitUntil(3000, [&] { return ::IsWindowVisible(page) != FALSE; }));
        ASSERT_TRUE(BringToFront());
        // The page's own tab order: its first control, and the one before it, which
        // is its last.
        HWND first = ::GetNextDlgTabItem(page, nullptr, FALSE);
        ASSERT_NE(first, nullptr);
        HWND last = ::GetNextDlgTabItem(page, first, TRUE);
        ASSERT_NE(last, nullptr);

        // Inside the page Tab keeps to the page's own order (checked first: a key
        // state shared for Shift was seen to disturb the next plain key).
        HWND second = ::GetNextDlgTabItem(page, first, FALSE);
        if (second != nullptr && second != first && second != last) {
            ASSERT_TRUE(FocusOn(page, first));
            EXPECT_TRUE(PressKey(VK_TAB, false, [&] { return FocusIsIn(second); }))
                << "Tab on " << Describe(first) << " went to " << Describe(e2e::FocusOf(program))
                << ", not to " << Describe(second);
        }

        // Shift+Tab on "&Close" comes back to the page's last control.
        ::SendMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(close), TRUE);
        ASSERT_TRUE(FocusMovesTo(close));
        EXPECT_TRUE(PressKey(VK_TAB, true, [&] { return FocusIsIn(last); }))
            << "Shift+Tab on Close went to " << Describe(e2e::FocusOf(program));

        ASSERT_TRUE(FocusOn(page, last)) << Describe(last);
        EXPECT_TRUE(PressKey(VK_TAB, false, [&] { return FocusIsIn(close); }))
            << "Tab on " << Describe(last) << " went to " << Describe(e2e::FocusOf(program));

        ASSERT_TRUE(FocusOn(page, first)) << Describe(first);
        EXPECT_TRUE(PressKey(VK_TAB, true, [&] { return FocusIsIn(tabStrip); }))
            << "Shift+Tab on " << Describe(first) << " went to " << Describe(e2e::FocusOf(program));
    }
}

TEST_F(PageKeyboardTest, AltCOnAPageClosesTheSettingsWhichOpenAgainOnTheFirstTab) {
    HWND tabStrip = ::GetDlgItem(main, e2e::kIdTabStrip);
    for (const PageOfTab& entry : {kPages[1], kPages[3]}) {
        SCOPED_TRACE(entry.name);
        ASSERT_NE(e2e::OpenSettings(program), nullptr);
        ASSERT_TRUE(e2e::SelectTab(program, entry.tab));
        HWND page = e2e::FindPage(program, entry.controlId);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(BringToFront());
        HWND first = ::GetNextDlgTabItem(page, nullptr, FALSE);
        ASSERT_TRUE(FocusOn(page, first));
        // Alt+C comes as a system key: the Alt bit of its flags says so.
        ::PostMessageA(e2e::FocusOf(program), WM_SYSKEYDOWN, 'C', 0x20000001);
        EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return ::IsWindowVisible(main) == FALSE; }))
            << "Alt+C closes the settings window";
        EXPECT_TRUE(program.Running());
        ASSERT_NE(e2e::OpenSettings(program), nullptr);
        EXPECT_EQ(::SendMessageW(tabStrip, TCM_GETCURSEL, 0, 0), e2e::kTabTonalis);
        EXPECT_TRUE(FocusMovesTo(tabStrip))
            << "shown again, the focus is on " << Describe(e2e::FocusOf(program));
    }
}

}  // namespace
