// The screen filter as the screen shows it: pixels of the bare desktop taken
// before, while the overlays show a default picture, and after the filter is
// turned off again. Run with a compositing manager, the overlay blends the
// picture into what lies below; without one, Wine draws it opaque.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "settings_driver.h"

namespace {

using e2e::Program;

constexpr int kIdImage = 1219;
constexpr int kIdTransmittanceText = 1226;
constexpr int kNone = 0;
constexpr int kFirstPicture = 1;  // amber.bmp: a 300x200 gradient, alpha 64
constexpr int kPictureAlpha = 64;

struct Sample {
    POINT point;
    POINT inTile;  // the point's place in the picture tiled from its display's corner
    COLORREF before;
};

BOOL CALLBACK CollectDisplays(HMONITOR, HDC, LPRECT rect, LPARAM context) {
    reinterpret_cast<std::vector<RECT>*>(context)->push_back(*rect);
    return TRUE;
}

COLORREF ScreenPixel(POINT point) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// A channel as composited: the picture's alpha over what lies below.
int Blend(int below, int picture) {
    return below + (picture - below) * kPictureAlpha / 255;
}

bool Near(int value, int expected, int tolerance) {
    return std::abs(value - expected) <= tolerance;
}

class FilterOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "default-desk.json"));
        dataFolder = e2e::InstallFilterSamples();
        ASSERT_FALSE(dataFolder.empty()) << "the sample filter files were not copied";
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
    }
    void TearDown() override {
        if (program.Running()) {
            if (dialog != nullptr && ::IsWindow(dialog)) e2e::Press(dialog, IDCANCEL);
            e2e::WaitUntil(3000, [&] { return dialog == nullptr || !::IsWindow(dialog); });
            program.ExitFromTray(false, 15000);
        }
        e2e::DeleteSettingsTree();
    }
    // Points near the corners of every display where nothing but the desktop shows.
    std::vector<Sample> BareDesktopSamples() const {
        std::vector<RECT> displays;
        ::EnumDisplayMonitors(nullptr, nullptr, CollectDisplays,
                              reinterpret_cast<LPARAM>(&displays));
        std::vector<Sample> samples;
        for (const RECT& display : displays) {
            const POINT corners[] = {{display.right - 5, display.bottom - 5},
                                     {display.left + 310, display.bottom - 7},
                                     {display.right - 40, display.top + 150}};
            for (const POINT& corner : corners) {
                if (::WindowFromPoint(corner) != ::GetDesktopWindow()) continue;
                const POINT inTile{(corner.x - display.left) % 300, (corner.y - display.top) % 200};
                samples.push_back({corner, inTile, ScreenPixel(corner)});
            }
        }
        return samples;
    }
    std::vector<HWND> VisibleOverlays() const {
        std::vector<HWND> shown;
        for (HWND window = ::FindWindowExA(nullptr, nullptr, "VistrelFilterOverlay", nullptr);
             window != nullptr;
             window = ::FindWindowExA(nullptr, window, "VistrelFilterOverlay", nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == program.ProcessId() && ::IsWindowVisible(window)) shown.push_back(window);
        }
        return shown;
    }
    // The picture's own pixel at a place of its tile.
    COLORREF PicturePixel(POINT inTile) const {
        HBITMAP picture = static_cast<HBITMAP>(
            ::LoadImageA(nullptr, (dataFolder + "amber.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (picture == nullptr) return CLR_INVALID;
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory, picture);
        const COLORREF colour = ::GetPixel(memory, inTile.x, inTile.y);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ::DeleteObject(picture);
        return colour;
    }
    // The screen at every sample shows the picture over the desktop: blended at the
    // picture's alpha, or, without a compositor, the picture itself.
    ::testing::AssertionResult ScreenShowsThePicture(const std::vector<Sample>& samples) const {
        for (const Sample& sample : samples) {
            const COLORREF now = ScreenPixel(sample.point);
            const COLORREF picture = PicturePixel(sample.inTile);
            bool blended = true;
            bool opaque = true;
            for (int shift : {0, 8, 16}) {
                const int below = (sample.before >> shift) & 0xFF;
                const int over = (picture >> shift) & 0xFF;
                const int seen = (now >> shift) & 0xFF;
                blended = blended && Near(seen, Blend(below, over), 4);
                opaque = opaque && Near(seen, over, 2);
            }
            if ((!blended && !opaque) || now == sample.before)
                return ::testing::AssertionFailure()
                       << "at " << sample.point.x << "," << sample.point.y << " the screen shows "
                       << std::hex << now << " over " << sample.before << ", picture " << picture;
        }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult ScreenIsAsBefore(const std::vector<Sample>& samples) const {
        for (const Sample& sample : samples) {
            const COLORREF now = ScreenPixel(sample.point);
            if (now != sample.before)
                return ::testing::AssertionFailure()
                       << "at " << sample.point.x << "," << sample.point.y << " " << std::hex << now
                       << " instead of " << sample.before;
        }
        return ::testing::AssertionSuccess();
    }
    HWND OpenFilterDialog() {
        HWND menu = program.OpenTrayMenu();
        if (menu == nullptr) return nullptr;
        program.PickMenuItem(menu, e2e::kMenuFilter);
        HWND found = nullptr;
        e2e::WaitUntil(10000,
                       [&] { return (found = program.FindOwnDialogWith(kIdImage)) != nullptr; });
        return found;
    }

    Program program;
    std::string dataFolder;
    HWND dialog = nullptr;
};

TEST_F(FilterOverlayTest, ThePictureTintsTheScreenAndGoesWithTheFilter) {
    dialog = OpenFilterDialog();
    ASSERT_NE(dialog, nullptr);
    const std::vector<Sample> samples = BareDesktopSamples();
    ASSERT_GE(samples.size(), 2u) << "no bare desktop to look at";

    e2e::Choose(dialog, kIdImage, kFirstPicture);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] {
        return VisibleOverlays().size() == static_cast<std::size_t>(e2e::DisplayCount());
    }));
    ASSERT_EQ(e2e::WindowText(::GetDlgItem(dialog, kIdTransmittanceText)), L"25")
        << "the picture's alpha 64";
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return bool(ScreenShowsThePicture(samples)); }))
        << ScreenShowsThePicture(samples);

    // Turned off and confirmed, the screen is the desktop again.
    e2e::Choose(dialog, kIdImage, kNone);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().empty(); }));
    e2e::Press(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return bool(ScreenIsAsBefore(samples)); }))
        << ScreenIsAsBefore(samples);
}

}  // namespace
