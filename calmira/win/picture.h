#pragma once
// A picture file decoded into a device-independent bitmap, ready to be copied
// onto the screen. Decoding goes through GDI+, which reads BMP, JPEG, GIF, TIFF
// and PNG.
#include <windows.h>

#include <string>

#include "ui/gdi.h"

class CPicture {
public:
    CPicture() = default;
    ~CPicture() { Release(); }
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Releases what is held, then decodes the file; false leaves the picture empty.
    bool Load(const std::string& path);
    void Release();
    // Ends the decoder the first Load started (the program calls it at exit); a
    // later Load starts it again.
    static void ShutdownDecoder();

    bool IsEmpty() const { return !m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BitsPerPixel() const { return m_nBitsPerPixel; }
    // The bitmap, for selecting into a memory device context.
    HBITMAP Bitmap() const { return m_hBitmap.Get(); }

private:
    ui::Bitmap m_hBitmap;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitsPerPixel = 0;
};
