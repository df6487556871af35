#pragma once
// Decimal numbers typed by the user or written in settings files, read the way
// atoi reads them (leading blanks, optional sign, digits up to the first other
// character, no digits = 0) but saturating at the int32 limits instead of
// overflowing.
#include <cstdint>
#include <string_view>

namespace calmira {

std::int32_t ParseDecimal(std::string_view text);
std::int32_t ParseDecimal(std::u16string_view text);

}  // namespace calmira
