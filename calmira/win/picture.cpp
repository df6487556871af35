#include "calmira/win/picture.h"

// The lean Windows headers leave out the COM types GDI+ names.
#include <objidl.h>
#include <gdiplus.h>

#include <cstddef>
#include <cstdlib>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// GDI+ is started on first use and shut down when the filter goes at exit; the
// token is what the shutdown needs.
ULONG_PTR g_gdiplusToken = 0;

bool StartGdiplus() {
    if (g_gdiplusToken != 0) return true;
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) return false;
    g_gdiplusToken = token;
    return true;
}

std::wstring Widen(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// The bitmap layout a source pixel format is copied into: formats GDI draws
// itself keep their depth, everything else becomes 32 bits (with alpha when
// the source has it).
struct TargetFormat {
    PixelFormat format;
    int bitsPerPixel;
};

TargetFormat TargetFor(PixelFormat source) {
    if ((source & PixelFormatGDI) != 0) {
        return {source, static_cast<int>(GetPixelFormatSize(source))};
    }
    if ((source & PixelFormatAlpha) != 0) return {PixelFormat32bppARGB, 32};
    return {PixelFormat32bppRGB, 32};
}

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// The palette's entry count comes from the file; the bitmap's colour table
// holds only 2^bpp entries.
void CopyPalette(GpBitmap* source, HBITMAP target, int bitsPerPixel) {
    INT size = 0;
    if (GdipGetImagePaletteSize(source, &size) != Ok ||
        size < static_cast<INT>(sizeof(ColorPalette))) {
        return;
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size));
    auto* palette = reinterpret_cast<ColorPalette*>(buffer.data());
    if (GdipGetImagePalette(source, palette, size) != Ok) return;
    const UINT fits = static_cast<UINT>(
        (static_cast<std::size_t>(size) - offsetof(ColorPalette, Entries)) / sizeof(ARGB));
    const UINT count = std::min({palette->Count, fits, 1u << bitsPerPixel, 256u});
    RGBQUAD quads[256] = {};
    for (UINT i = 0; i < count; ++i) {
        const ARGB color = palette->Entries[i];
        quads[i].rgbRed = static_cast<BYTE>(color >> 16);
        quads[i].rgbGreen = static_cast<BYTE>(color >> 8);
        quads[i].rgbBlue = static_cast<BYTE>(color);
    }
    const ui::MemoryDc dc(nullptr);
    const ui::SelectGuard selected(dc.Get(), target);
    ::SetDIBColorTable(dc.Get(), 0, count, quads);
}

}  // namespace

void CPicture::ShutdownDecoder() {
    if (g_gdiplusToken == 0) return;
    GdiplusShutdown(g_gdiplusToken);
    g_gdiplusToken = 0;
}

void CPicture::Release() {
    m_hBitmap.Reset();
    m_nWidth = m_nHeight = m_nBitsPerPixel = 0;
}

bool CPicture::Load(const std::string& path) {
    Release();
    if (!StartGdiplus()) return false;
    GpBitmap* source = nullptr;
    if (GdipCreateBitmapFromFile(Widen(path).c_str(), &source) != Ok || source == nullptr)
        return false;

    UINT width = 0, height = 0;
    PixelFormat sourceFormat = 0;
    GdipGetImageWidth(source, &width);
    GdipGetImageHeight(source, &height);
    GdipGetImagePixelFormat(source, &sourceFormat);
    const TargetFormat target = TargetFor(sourceFormat);
    if (width == 0 || height == 0 || width > 32768 || height > 32768 || target.bitsPerPixel <= 0) {
        GdipDisposeImage(source);
        return false;
    }

    DibInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = static_cast<LONG>(width);
    // Top-down rows, in the order GDI+ hands them over.
    info.header.biHeight = -static_cast<LONG>(height);
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(target.bitsPerPixel);
    info.header.biCompression = BI_RGB;
    if (target.format == PixelFormat16bppRGB565) {
        info.header.biCompression = BI_BITFIELDS;
        auto* masks = reinterpret_cast<DWORD*>(info.colors);
        masks[0] = 0xF800;
        masks[1] = 0x07E0;
        masks[2] = 0x001F;
    }
    void* bits = nullptr;
    ui::Bitmap bitmap(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                         DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        GdipDisposeImage(source);
        return false;
    }
    const INT stride =
        static_cast<INT>(((width * static_cast<UINT>(target.bitsPerPixel) + 31) / 32) * 4);

    bool copied = false;
    if (target.format == sourceFormat) {
        GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        BitmapData data{};
        if (GdipBitmapLockBits(source, &rect, ImageLockModeRead, sourceFormat, &data) == Ok) {
            const auto rowBytes = static_cast<std::size_t>(std::min(stride, std::abs(data.Stride)));
            for (UINT row = 0; row < height; ++row) {
                std::memcpy(static_cast<BYTE*>(bits) + static_cast<std::size_t>(row) * stride,
                            static_cast<const BYTE*>(data.Scan0) +
                                static_cast<std::ptrdiff_t>(row) * data.Stride,
                            rowBytes);
            }
            GdipBitmapUnlockBits(source, &data);
            copied = true;
        }
        if ((sourceFormat & PixelFormatIndexed) != 0)
            CopyPalette(source, bitmap.Get(), target.bitsPerPixel);
    } else {
        // GDI+ converts while drawing onto a bitmap that shares the section's pixels.
        GpBitmap* canvas = nullptr;
        if (GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), stride,
                                      target.format, static_cast<BYTE*>(bits), &canvas) == Ok) {
            GpGraphics* graphics = nullptr;
            if (GdipGetImageGraphicsContext(canvas, &graphics) == Ok) {
                // Drawn at the pixel size: the plain call would scale by the file's resolution.
                copied = GdipDrawImageRectI(graphics, source, 0, 0, static_cast<INT>(width),
                                            static_cast<INT>(height)) == Ok;
                GdipDeleteGraphics(graphics);
            }
            GdipDisposeImage(canvas);
        }
    }
    GdipDisposeImage(source);
    if (!copied) return false;
    m_hBitmap = std::move(bitmap);
    m_nWidth = static_cast<int>(width);
    m_nHeight = static_cast<int>(height);
    m_nBitsPerPixel = target.bitsPerPixel;
    return true;
}
