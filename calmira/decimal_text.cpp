#include "calmira/decimal_text.h"

#include <limits>

namespace calmira {

namespace {

template <typename Char>
std::int32_t Parse(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    auto blank = [](Char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    };
    while (i < text.size() && blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude below the limit, so no step can overflow.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::int32_t ParseDecimal(std::string_view text) {
    return Parse(text);
}
std::int32_t ParseDecimal(std::u16string_view text) {
    return Parse(text);
}

}  // namespace calmira
