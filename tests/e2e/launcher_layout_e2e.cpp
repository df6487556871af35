// The launcher's pages as they are laid out on the screen: a page is made from its
// template and then fitted to the tab's display area, and nothing a user should
// read may end up beyond the page's edge.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "launcher_driver.h"

namespace {

RECT RectIn(HWND parent, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Every visible control of the window that shows text lies inside its client area.
void ExpectTextInside(HWND window, const char* what) {
    RECT client{};
    ::GetClientRect(window, &client);
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child) || e2e::WindowText(child).empty()) continue;
        const RECT rect = RectIn(window, child);
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
                    rect.bottom <= client.bottom)
            << what << ": control " << ::GetDlgCtrlID(child) << " at " << rect.left << ","
            << rect.top << "-" << rect.right << "," << rect.bottom << " on a client area of "
            << client.right << "x" << client.bottom;
    }
}

class LauncherLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(launcher.Start()) << "the launcher window did not come up";
    }
    void TearDown() override { launcher.Kill(); }
    e2e::Launcher launcher;
};

TEST_F(LauncherLayoutTest, EveryPageKeepsItsTextsOnThePageAndTheInformationCentred) {
    ExpectTextInside(launcher.Main(), "main window");
    HWND page = launcher.VisiblePage();
    ASSERT_NE(page, nullptr);
    ExpectTextInside(page, "tab 0");
    for (int tab = 1; tab < 4; ++tab) {
        launcher.SelectTab(tab);
        ASSERT_TRUE(e2e::WaitUntilPumping(3000, [&] { return launcher.VisiblePage() != page; }))
            << tab;
        page = launcher.VisiblePage();
        ExpectTextInside(page, ("tab " + std::to_string(tab)).c_str());
    }

    // The last tab of the disk is its information page: message and link sit in
    // the middle of the page as it is shown.
    RECT client{};
    ::GetClientRect(page, &client);
    for (int id : {1011, 1019}) {
        const RECT rect = RectIn(page, ::GetDlgItem(page, id));
        EXPECT_LE(std::abs(rect.left - (client.right - rect.right)), 1)
            << "control " << id << " at " << rect.left << "-" << rect.right << " on a page "
            << client.right << " wide";
    }
}

}  // namespace
