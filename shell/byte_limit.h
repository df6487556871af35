#pragma once
// Text limits counted in bytes of the ANSI code page, where a character may take
// two bytes: a cut must never keep the first half of a character.
#include <cstdint>
#include <string>

namespace shell {

inline constexpr std::uint32_t kDefaultMaxBytes = 1024;

// 0 or anything above 1024 means 1024.
std::uint32_t ClampMaxBytes(std::uint32_t requested);

using LeadBytePredicate = bool (*)(unsigned char);

// Shift-JIS (code page 932) lead bytes; single-byte code pages have none.
bool IsShiftJisLeadByte(unsigned char byte);
bool IsNeverLeadByte(unsigned char byte);

// True when the text does not fit and was cut. Characters are walked from the
// start: a trail byte may carry a value that could also be a lead byte, so only
// the walk knows where a character begins.
bool CutToByteLimit(std::string* text, std::uint32_t maxBytes, LeadBytePredicate isLeadByte);

}  // namespace shell
