#pragma once
// Bytes as lower-case hexadecimal, two digits a byte, for vistrelctl's text
// files: whatever the bytes, the line stays one line of plain text.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::string HexText(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0xF];
    }
    return text;
}
