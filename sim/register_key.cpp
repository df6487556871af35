#include "sim/register_key.h"

#include <cstdio>

namespace sim {
namespace {

bool ParseHex(std::string_view text, unsigned limit, unsigned* value) {
    if (text.empty() || text.size() > 4) return false;
    unsigned result = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        result = result * 16 + digit;
    }
    if (result > limit) return false;
    *value = result;
    return true;
}

}  // namespace

std::string FormatRegisterKey(RegisterKey key) {
    char text[16];
    if (key.page == 0)
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(key.code));
    else
        std::snprintf(text, sizeof text, "%02X:%02X", static_cast<unsigned>(key.page),
                      static_cast<unsigned>(key.code));
    return text;
}

bool ParseRegisterKey(std::string_view text, RegisterKey* key) {
    unsigned page = 0;
    unsigned code = 0;
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        if (!ParseHex(text, 0xFF, &code)) return false;
    } else {
        if (!ParseHex(text.substr(0, colon), 0xFFFF, &page)) return false;
        if (!ParseHex(text.substr(colon + 1), 0xFF, &code)) return false;
    }
    key->page = static_cast<std::uint16_t>(page);
    key->code = static_cast<std::uint8_t>(code);
    return true;
}

}  // namespace sim
