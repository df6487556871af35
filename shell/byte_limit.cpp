#include "shell/byte_limit.h"

namespace shell {

std::uint32_t ClampMaxBytes(std::uint32_t requested) {
    if (requested == 0 || requested > kDefaultMaxBytes) return kDefaultMaxBytes;
    return requested;
}

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsNeverLeadByte(unsigned char) {
    return false;
}

bool CutToByteLimit(std::string* text, std::uint32_t maxBytes, LeadBytePredicate isLeadByte) {
    if (text->size() <= maxBytes) return false;
    std::size_t keep = 0;
    while (keep < maxBytes) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>((*text)[keep])) ? 2 : 1;
        if (keep + width > maxBytes) break;
        keep += width;
    }
    text->resize(keep);
    return true;
}

}  // namespace shell
