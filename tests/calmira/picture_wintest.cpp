// The picture loader on every format and depth the filter offers, through the
// system's GDI+.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "calmira/win/picture.h"

namespace {

std::string Sample(const char* name) {
    std::string path = std::string("Z:") + FILTER_SAMPLES_DIR + "/formats/" + name;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// The colour of a pixel of the decoded bitmap, as the screen would get it.
COLORREF PixelAt(const CPicture& picture, int x, int y) {
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    HBITMAP canvas = ::CreateCompatibleBitmap(screen, picture.Width(), picture.Height());
    HGDIOBJ oldSource = ::SelectObject(source, picture.Bitmap());
    HGDIOBJ oldTarget = ::SelectObject(target, canvas);
    ::BitBlt(target, 0, 0, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
    const COLORREF color = ::GetPixel(target, x, y);
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteObject(canvas);
    ::DeleteDC(source);
    ::DeleteDC(target);
    ::ReleaseDC(nullptr, screen);
    return color;
}

// JPEG is lossy: a channel may miss by a little.
::testing::AssertionResult Near(COLORREF actual, COLORREF expected) {
    const int channels[3][2] = {{GetRValue(actual), GetRValue(expected)},
                                {GetGValue(actual), GetGValue(expected)},
                                {GetBValue(actual), GetBValue(expected)}};
    for (const auto& c : channels) {
        if (c[0] - c[1] > 6 || c[1] - c[0] > 6) {
            return ::testing::AssertionFailure()
                   << std::hex << "0x" << actual << " is not near 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

struct FormatCase {
    const char* file;
    int bitsPerPixel;
    COLORREF topLeft;
};

class PictureFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PictureFormats, DecodesAtTheDepthGdiDrawsAndKeepsThePixels) {
    const FormatCase& c = GetParam();
    CPicture picture;
    ASSERT_TRUE(picture.Load(Sample(c.file))) << c.file;
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 30);
    if (c.bitsPerPixel != 0) {
        EXPECT_EQ(picture.BitsPerPixel(), c.bitsPerPixel);
    }
    EXPECT_TRUE(Near(PixelAt(picture, 2, 2), c.topLeft))
        << "palette and rows copied the right way up";
    EXPECT_TRUE(Near(PixelAt(picture, 20, 25),
                     c.file == std::string("mono.bmp") ? RGB(0, 0, 0) : RGB(0, 0, 255)));
}

INSTANTIATE_TEST_SUITE_P(
    Loader, PictureFormats,
    ::testing::Values(
        FormatCase{"mono.bmp", 1, RGB(255, 255, 255)},
        FormatCase{"palette4.bmp", 4, RGB(255, 0, 0)},
        // Its colour table claims more entries than four bits index.
        FormatCase{"palette4wide.bmp", 4, RGB(255, 0, 0)},
        FormatCase{"rgb24.bmp", 24, RGB(255, 0, 0)}, FormatCase{"argb32.bmp", 32, RGB(255, 0, 0)},
        FormatCase{"photo.jpg", 24, RGB(255, 0, 0)}, FormatCase{"indexed.gif", 8, RGB(255, 0, 0)},
        // Decoders differ in the format they report for TIFF (with or without alpha).
        FormatCase{"plain.tif", 0, RGB(255, 0, 0)}, FormatCase{"palette.png", 8, RGB(255, 0, 0)},
        FormatCase{"alpha.png", 32, RGB(255, 0, 0)}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name) {
            if (c == '.') c = '_';
        }
        return name;
    });

TEST(PictureLoader, DamagedOrMissingFilesLeaveThePictureEmpty) {
    CPicture picture;
    ASSERT_TRUE(picture.Load(Sample("rgb24.bmp")));
    EXPECT_FALSE(picture.Load(Sample("damaged.bmp"))) << "a failed load also drops the old picture";
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_FALSE(picture.Load(Sample("absent.png")));
    EXPECT_TRUE(picture.IsEmpty());
}

TEST(PictureLoader, TheDecoderShutDownAtExitStartsAgainForTheNextLoad) {
    CPicture picture;
    ASSERT_TRUE(picture.Load(Sample("photo.jpg")));
    CPicture::ShutdownDecoder();
    CPicture::ShutdownDecoder();  // a second shutdown has nothing left to end
    EXPECT_FALSE(picture.IsEmpty()) << "the decoded bitmap belongs to GDI, not to the decoder";
    ASSERT_TRUE(picture.Load(Sample("palette.png"))) << "the next load starts the decoder again";
    EXPECT_EQ(picture.BitsPerPixel(), 8);
    CPicture::ShutdownDecoder();
}

}  // namespace
