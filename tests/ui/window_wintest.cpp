// The non-owning window wrapper's own behaviour beyond the calls it forwards.
// Built for both character types.
#include <gtest/gtest.h>

#include "ui/window.h"

#ifdef UNICODE
#define WindowTest WindowTestWide
#endif

namespace {

// Only a minimised main window paints its icon; a normal one is left to its own
// painting, with its update region still waiting. (Under Wine without a window
// manager a minimised window has no client area to check the icon in.)
TEST(WindowTest, OnlyAMinimisedWindowPaintsItsIcon) {
    HWND handle = ::CreateWindowEx(0, TEXT("STATIC"), TEXT("paint"), WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                   200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(handle, nullptr);
    const ui::Window window(handle);
    HICON icon = ::LoadIcon(nullptr, IDI_APPLICATION);

    window.Show(SW_SHOWNORMAL);
    window.Invalidate();
    EXPECT_FALSE(window.PaintIconIfMinimised(icon));
    EXPECT_NE(::GetUpdateRect(handle, nullptr, FALSE), FALSE) << "the normal paint is still due";

    window.Show(SW_MINIMIZE);
    ASSERT_NE(::IsIconic(handle), FALSE);
    window.Invalidate();
    EXPECT_TRUE(window.PaintIconIfMinimised(icon));

    window.Destroy();
}

}  // namespace
