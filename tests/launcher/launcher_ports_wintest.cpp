// The launcher's Win32 adapters where their safety matters (it runs elevated from
// a disk anyone may have copied, and it closes other programs' windows by title),
// and its window templates made smaller for screens too narrow for them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/win/fitted_templates.h"
#include "launcher/win/launcher_ports_win32.h"
#include "resources/launcher/resource.h"

namespace {

struct HungWindow {
    HANDLE created = nullptr;
    HANDLE release = nullptr;
    HWND window = nullptr;
};

// Makes a window titled like a program setup would close, then stops answering.
DWORD WINAPI HangWithWindow(void* context) {
    auto* hung = static_cast<HungWindow*>(context);
    hung->window = ::CreateWindowExW(0, L"STATIC", L"Launcher Own Window Title", WS_OVERLAPPED, 0,
                                     0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ::SetEvent(hung->created);
    ::WaitForSingleObject(hung->release, INFINITE);
    ::DestroyWindow(hung->window);
    return 0;
}

}  // namespace

TEST(LauncherCloseWindowTest, OwnWindowsAreSkippedEvenWhenTheirThreadHangs) {
    HungWindow hung;
    hung.created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    hung.release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = ::CreateThread(nullptr, 0, HangWithWindow, &hung, 0, nullptr);
    ASSERT_EQ(::WaitForSingleObject(hung.created, 5000), WAIT_OBJECT_0);
    ASSERT_NE(hung.window, nullptr);

    Win32LauncherShell shell;
    // A plain send to this window would block until the thread answered, which it never does.
    EXPECT_FALSE(shell.CloseWindowTitled(u"Launcher Own Window Title"));
    EXPECT_TRUE(::IsWindow(hung.window));
    EXPECT_FALSE(shell.CloseWindowTitled(u"No Window Has This Title"));

    ::SetEvent(hung.release);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(hung.created);
    ::CloseHandle(hung.release);
}

namespace {
INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}
}  // namespace

TEST(LauncherFittedTemplatesTest, WindowTooWideForTheScreenShrinksWithItsPagesAlike) {
    HINSTANCE resources = ::GetModuleHandleW(nullptr);
    FittedTemplates roomy;
    roomy.Prepare(resources, IDD_LAUNCHER, 100000);
    EXPECT_EQ(roomy.Template(IDD_LAUNCHER), nullptr) << "a window that fits keeps its resource";

    // Wide enough for the smaller fonts, too narrow for the template's own.
    HWND original =
        ::CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_LAUNCHER), nullptr, PlainDialog, 0);
    ASSERT_NE(original, nullptr);
    RECT full{};
    ::GetWindowRect(original, &full);
    ::DestroyWindow(original);
    const int narrow = (full.right - full.left) * 3 / 4;

    FittedTemplates fitted;
    fitted.Prepare(resources, IDD_LAUNCHER, narrow);
    const DLGTEMPLATE* main = fitted.Template(IDD_LAUNCHER);
    ASSERT_NE(main, nullptr);
    HWND smaller = ::CreateDialogIndirectParamW(resources, main, nullptr, PlainDialog, 0);
    ASSERT_NE(smaller, nullptr);
    RECT shrunk{};
    ::GetWindowRect(smaller, &shrunk);
    ::DestroyWindow(smaller);
    EXPECT_LE(shrunk.right - shrunk.left, narrow);
    EXPECT_GT(shrunk.right - shrunk.left, narrow / 2) << "shrunk no more than it must";

    // The pages' fonts drop by the same share as the window's.
    auto points = [](const DLGTEMPLATE* dialogTemplate) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(dialogTemplate);
        std::vector<std::uint8_t> copy(bytes, bytes + 64);  // header, three empty names, the font
        const std::uint16_t* size = TemplatePointSize(copy);
        return size != nullptr ? static_cast<int>(*size) : 0;
    };
    const int mainPoints = points(main);
    ASSERT_GT(mainPoints, 0);
    EXPECT_LT(mainPoints, 11);
    EXPECT_EQ(points(fitted.Template(IDD_PAGE_COMMON)), ::MulDiv(14, mainPoints, 11));
    EXPECT_EQ(points(fitted.Template(IDD_PAGE_INFORMATION)), ::MulDiv(14, mainPoints, 11));
}

TEST(LauncherFittedTemplatesTest, BytesThatAreNoExtendedTemplateNameNoFont) {
    std::vector<std::uint8_t> empty;
    EXPECT_EQ(TemplatePointSize(empty), nullptr);
    std::vector<std::uint8_t> classic(64, 0);  // an old-style template starts with its style
    EXPECT_EQ(TemplatePointSize(classic), nullptr);
    std::vector<std::uint8_t> cut{
        1, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0,   0, 0,   0, 0x40, 0, 0,   0, 0, 0,
        0, 0, 0,    0,    0, 0, 0, 0, 'A', 0, 'B', 0, 'C',  0, 'D', 0};  // DS_SETFONT, then a menu
                                                                         // name never ended
    EXPECT_EQ(TemplatePointSize(cut), nullptr);
}
