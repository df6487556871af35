// Opens every window of the launcher in turn from the test disk and leaves a
// picture of each in the folder VISTREL_PICTURES_DIR names: every tab's page, a
// link under the pointer, the information link under the pointer and with the
// keyboard focus, the About box, the three selection dialogs and the application
// dialog. Run by tools/window-pictures.sh, which compares the pictures before
// and after a change that must not change what the user sees.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher_driver.h"
#include "window_capture.h"

namespace {

using e2e::Launcher;

constexpr int kIdDescription = 1011;
constexpr int kIdFirstLink = 1012;
constexpr int kIdInfoLink = 1019;
constexpr UINT kSysAbout = 0x0010;

// The folder as a Windows path of the ANSI code page, ending in a backslash.
std::string PicturesFolder() {
    wchar_t value[1024] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"VISTREL_PICTURES_DIR", value, 1024);
    if (length == 0 || length >= 1024) return std::string();
    std::wstring folder(value, length);
    if (folder[0] == L'/') folder = L"Z:" + folder;
    for (wchar_t& c : folder) {
        if (c == L'/') c = L'\\';
    }
    if (folder.back() != L'\\') folder += L'\\';
    char narrow[2048] = {};
    ::WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

void Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
}

class LauncherPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(PicturesFolder().empty()) << "VISTREL_PICTURES_DIR names no folder";
        // The pointer stays off the window unless a picture wants it there.
        ::SetCursorPos(0, 0);
        e2e::ClearRecordedStarts();
        e2e::RegisterRecorder();
        ASSERT_TRUE(launcher.Start()) << "the launcher window did not come up";
        ::SetForegroundWindow(launcher.Main());
        e2e::WaitUntilPumping(3000, [&] { return ::GetForegroundWindow() == launcher.Main(); });
    }
    void TearDown() override {
        launcher.Kill();
        e2e::UnregisterRecorder();
    }

    void Picture(HWND window, const char* name) {
        e2e::WaitUntilPumping(500, [] { return false; });
        EXPECT_TRUE(e2e::SaveSettledPicture(window, PicturesFolder() + name + ".bmp")) << name;
    }
    // The focus goes to the tab strip first: a focused link is lit like one
    // under the pointer, and where the focus lands at start-up is a race.
    void FocusTabStrip() {
        ::SendMessageW(launcher.Main(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(launcher.Tab()),
                       TRUE);
    }
    HWND ShowTab(int index) {
        FocusTabStrip();
        HWND before = launcher.VisiblePage();
        launcher.SelectTab(index);
        e2e::WaitUntilPumping(3000, [&] { return launcher.VisiblePage() != before; });
        return launcher.VisiblePage();
    }
    // Opens the item of the link at that position on the shown page, takes the
    // picture of the dialog it opens and closes it.
    void DialogPicture(int link, const char* name) {
        launcher.ClickLink(link);
        HWND dialog = launcher.WaitForDialog(5000);
        ASSERT_NE(dialog, nullptr) << name;
        // The click leaves the pointer where the dialog may come up; whether a
        // control under it lit up first is a race, so none stays lit.
        ::SetCursorPos(0, 0);
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            ::SendMessageW(child, WM_MOUSELEAVE, 0, 0);
        }
        Picture(dialog, name);
        ::PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        e2e::WaitUntilPumping(3000, [&] { return !::IsWindow(dialog); });
        // The link that opened it loses its highlight once the pointer moves.
        HWND page = launcher.VisiblePage();
        ::SendMessageW(::GetDlgItem(page, kIdFirstLink + link), WM_MOUSEMOVE, 0,
                       MAKELPARAM(-5, -5));
    }
    Launcher launcher;
};

TEST_F(LauncherPictures, EveryWindow) {
    const char* const tabs[] = {"launcher-tab1", "launcher-tab2", "launcher-tab3", "launcher-tab4"};
    for (int index = 3; index >= 0; --index) {
        ShowTab(index);
        // Showing a page may hand its first link the focus.
        FocusTabStrip();
        Picture(launcher.Main(), tabs[index]);
    }

    HWND manuals = launcher.VisiblePage();
    HWND link = ::GetDlgItem(manuals, kIdFirstLink);
    e2e::WaitUntilPumping(3000, [&] {
        ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        return e2e::ItemText(manuals, kIdDescription) == L"A manual that is on the disk.";
    });
    Picture(launcher.Main(), "launcher-link-hover");
    ::SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));

    DialogPicture(0, "launcher-select-language");
    DialogPicture(2, "launcher-select-model-language");

    HWND information = ShowTab(2);
    HWND infoLink = ::GetDlgItem(information, kIdInfoLink);
    ::SendMessageW(infoLink, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    Picture(launcher.Main(), "launcher-information-hover");
    ::SendMessageW(infoLink, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
    // From the tab strip, Tab reaches the information link.
    ::SetForegroundWindow(launcher.Main());
    FocusTabStrip();
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    e2e::WaitUntilPumping(3000, [&] {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(launcher.Main(), nullptr), &thread) &&
               thread.hwndFocus == infoLink;
    });
    Picture(launcher.Main(), "launcher-information-focus");

    ShowTab(3);
    DialogPicture(2, "launcher-application");
    DialogPicture(3, "launcher-select-model");

    ::PostMessageW(launcher.Main(), WM_SYSCOMMAND, kSysAbout, 0);
    HWND about = launcher.WaitForDialog(5000);
    ASSERT_NE(about, nullptr);
    Picture(about, "launcher-about");
    e2e::PressButton(about, 1000);
}

}  // namespace
