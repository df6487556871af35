// The pages of the settings window make their background pictures only when they
// are painted and drop them when the window hides. Checks, on the screen, that
// each shown page still shows its picture: the first time, on another tab, and
// after the window was hidden and shown again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "program_driver.h"
#include "settings_driver.h"

namespace {

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// Background pictures of the pages below 120 dpi: mode, colour, match, sound.
constexpr UINT kPagePictures[4] = {277, 274, 321, 279};
// A control only that page has, to tell the pages apart.
constexpr int kPageControls[4] = {1029, 1044, 1235, 1133};

struct PageSearch {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindPage(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<PageSearch*>(context);
    if (::GetDlgItem(window, search->controlId) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 &&
           std::abs(GetGValue(a) - GetGValue(b)) <= 8 && std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

class PagePictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), "default-desk.json"));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
    }
    void TearDown() override {
        program.ExitFromTray(true);
        e2e::DeleteSettingsTree();
    }

    bool CloseSettings() {
        ::PostMessageA(program.MainWindow(), WM_COMMAND, 1046, 0);  // "&Close"
        return e2e::WaitUntil(5000,
                              [&] { return ::IsWindowVisible(program.MainWindow()) == FALSE; });
    }
    HWND Page(int index) const {
        PageSearch search{kPageControls[index], nullptr};
        ::EnumChildWindows(::GetDlgItem(program.MainWindow(), 1000), FindPage,
                           reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    bool OpenSettings() { return e2e::OpenSettings(program) != nullptr; }
    void SelectTab(int index) { ASSERT_TRUE(e2e::SelectTab(program, index)); }

    // Samples the page where none of its controls lies and compares the screen
    // with the page's picture, tiled from the page's corner.
    ::testing::AssertionResult ShowsItsPicture(int index) const {
        HWND page = Page(index);
        if (page == nullptr || !::IsWindowVisible(page))
            return ::testing::AssertionFailure() << "page not shown";
        HMODULE resources =
            ::LoadLibraryExA(e2e::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HBITMAP picture =
            static_cast<HBITMAP>(::LoadImageA(resources, MAKEINTRESOURCEA(kPagePictures[index]),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (picture == nullptr) {
            if (resources != nullptr) ::FreeLibrary(resources);
            return ::testing::AssertionFailure()
                   << "picture " << kPagePictures[index] << " not in the program";
        }
        BITMAP size{};
        ::GetObjectA(picture, sizeof size, &size);
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ previous = ::SelectObject(memory, picture);
        HDC screen = ::GetDC(nullptr);
        RECT client{};
        ::GetClientRect(page, &client);
        int samples = 0;
        int matching = 0;
        for (int y = 2; y < client.bottom - 2; y += 7) {
            for (int x = 2; x < client.right - 2; x += 11) {
                const POINT inPage{x, y};
                if (::ChildWindowFromPointEx(page, inPage, CWP_ALL) != page) continue;
                POINT onScreen = inPage;
                ::ClientToScreen(page, &onScreen);
                ++samples;
                const COLORREF expected = ::GetPixel(memory, x % size.bmWidth, y % size.bmHeight);
                if (Near(::GetPixel(screen, onScreen.x, onScreen.y), expected)) ++matching;
            }
        }
        ::ReleaseDC(nullptr, screen);
        ::SelectObject(memory, previous);
        ::DeleteDC(memory);
        ::DeleteObject(picture);
        ::FreeLibrary(resources);
        if (samples < 50)
            return ::testing::AssertionFailure()
                   << "only " << samples << " free samples on the page";
        if (matching * 10 < samples * 9)
            return ::testing::AssertionFailure()
                   << matching << " of " << samples << " samples show the picture";
        return ::testing::AssertionSuccess();
    }

    e2e::Program program;
};

TEST_F(PagePictureTest, PagesShowTheirPicturesWhenShownAgainAfterHiding) {
    ASSERT_TRUE(OpenSettings());
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return static_cast<bool>(ShowsItsPicture(0)); }));
    EXPECT_TRUE(ShowsItsPicture(0));
    SelectTab(3);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return static_cast<bool>(ShowsItsPicture(3)); }));
    EXPECT_TRUE(ShowsItsPicture(3));

    ASSERT_TRUE(CloseSettings());
    ASSERT_TRUE(OpenSettings());
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return static_cast<bool>(ShowsItsPicture(0)); }));
    EXPECT_TRUE(ShowsItsPicture(0));
    SelectTab(1);
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return static_cast<bool>(ShowsItsPicture(1)); }));
    EXPECT_TRUE(ShowsItsPicture(1));
}

}  // namespace
