#pragma once
// The model keeps UTF-16 as char16_t; the wide Windows calls take wchar_t, the
// same 16-bit units on Windows.
#include <string>

inline std::wstring Wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}
inline std::u16string Utf16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}
