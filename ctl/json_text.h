#pragma once
// The few pieces of JSON vistrelctl prints, written by hand: strings quoted with
// every control character escaped, so a monitor's texts cannot break the output.
#include <string>

inline std::string JsonQuote(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\u00";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}
