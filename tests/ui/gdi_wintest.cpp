// The owners of GDI objects, DCs, selections and libraries: each releases what it
// holds exactly once, hands it over on a move, and a selection guard gives the DC
// back what it held before.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "ui/gdi.h"

namespace {

bool Alive(HGDIOBJ object) {
    return ::GetObjectType(object) != 0;
}

TEST(GdiObject, DeletesWhatItHoldsOnceWhenResetAndWhenDestroyed) {
    HBRUSH first = ::CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH second = ::CreateSolidBrush(RGB(4, 5, 6));
    {
        ui::Brush brush(first);
        EXPECT_EQ(brush.Get(), first);
        brush.Reset(second);
        EXPECT_FALSE(Alive(first));
        EXPECT_TRUE(Alive(second));
    }
    EXPECT_FALSE(Alive(second));
}

TEST(GdiObject, MoveHandsTheObjectOverAndReleaseGivesItUp) {
    HFONT handle = ::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    ui::Font moved;
    {
        ui::Font font(handle);
        moved = std::move(font);
        EXPECT_FALSE(font);
    }
    EXPECT_TRUE(Alive(handle));
    EXPECT_EQ(moved.Release(), handle);
    EXPECT_FALSE(moved);
    EXPECT_TRUE(Alive(handle));
    ::DeleteObject(handle);
}

TEST(GdiObject, PutDeletesTheOldObjectAndTakesTheNewOne) {
    HBRUSH old = ::CreateSolidBrush(RGB(7, 8, 9));
    ui::Brush brush(old);
    HBRUSH* slot = brush.Put();
    EXPECT_FALSE(Alive(old));
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(*slot, nullptr);
    *slot = ::CreateSolidBrush(RGB(10, 11, 12));
    EXPECT_EQ(brush.Get(), *slot);
    EXPECT_TRUE(Alive(brush.Get()));
}

TEST(SelectGuard, SelectsForItsLifetimeAndRestoresThePreviousObject) {
    ui::MemoryDc dc(nullptr);
    ASSERT_TRUE(dc);
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_BITMAP);
    const ui::WindowDc screen(nullptr);
    const ui::Bitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 4, 4));
    {
        const ui::SelectGuard selected(dc.Get(), bitmap.Get());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), before);
}

TEST(MemoryDc, DeletesItsDc) {
    HDC handle = nullptr;
    {
        ui::MemoryDc dc(nullptr);
        handle = dc.Get();
        EXPECT_EQ(::GetObjectType(handle), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(handle), 0u);
}

TEST(WindowDc, GivesTheDcBackSoTheWindowsNextDcIsTheSameOne) {
    HWND window = ::CreateWindowEx(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HDC first = nullptr;
    {
        const ui::WindowDc dc(window);
        ASSERT_TRUE(dc);
        first = dc.Get();
    }
    // A common DC still held is not handed out again; one given back is.
    HDC second = ::GetDC(window);
    EXPECT_EQ(second, first);
    ::ReleaseDC(window, second);
    ::DestroyWindow(window);
}

TEST(Module, FreesTheLibraryItLoaded) {
    // A library nothing else in this process has loaded, so that its last
    // reference is the module's.
    const wchar_t* name = nullptr;
    for (const wchar_t* candidate : {L"msimg32.dll", L"mscms.dll", L"wintrust.dll"}) {
        if (::GetModuleHandleW(candidate) == nullptr) {
            name = candidate;
            break;
        }
    }
    if (name == nullptr) GTEST_SKIP() << "every candidate library is loaded already";
    {
        ui::Module module(::LoadLibraryW(name));
        ASSERT_TRUE(module);
        EXPECT_NE(::GetModuleHandleW(name), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleW(name), nullptr);
}

}  // namespace
