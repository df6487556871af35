#include "window_capture.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace e2e {

namespace {

// The window's rectangle as the screen shows it, as the rows of a 24-bit DIB.
struct Capture {
    BITMAPINFOHEADER info{};
    std::vector<unsigned char> pixels;
};

bool CaptureWindow(HWND window, Capture* capture) {
    RECT rect{};
    if (window == nullptr || !::GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);

    capture->info = BITMAPINFOHEADER{};
    capture->info.biSize = sizeof capture->info;
    capture->info.biWidth = width;
    capture->info.biHeight = height;
    capture->info.biPlanes = 1;
    capture->info.biBitCount = 24;
    capture->info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    capture->pixels.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    const int lines =
        ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), capture->pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&capture->info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return lines == height;
}

bool SaveBmp(const Capture& capture, const std::string& path) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof capture.info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(capture.pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written =
        std::fwrite(&file, sizeof file, 1, out) == 1 &&
        std::fwrite(&capture.info, sizeof capture.info, 1, out) == 1 &&
        std::fwrite(capture.pixels.data(), 1, capture.pixels.size(), out) == capture.pixels.size();
    return std::fclose(out) == 0 && written;
}

// Returns once the window's thread answers, that is, has done the work it had
// before: a window that fills itself paints nothing meanwhile.
void WaitUntilAnswering(HWND window) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
}

}  // namespace

bool SaveSettledPicture(HWND window, const std::string& path) {
    WaitUntilAnswering(window);
    Capture previous;
    if (!CaptureWindow(window, &previous)) return false;
    for (int look = 0; look < 30; ++look) {
        ::Sleep(1000);
        WaitUntilAnswering(window);
        ::Sleep(300);
        Capture current;
        if (!CaptureWindow(window, &current)) return false;
        if (current.pixels == previous.pixels) return SaveBmp(current, path);
        previous = std::move(current);
    }
    return false;
}

}  // namespace e2e
