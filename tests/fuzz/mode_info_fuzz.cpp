// Feeds arbitrary bytes to the mode information parser, as a monitor with broken
// firmware might send them. Beyond not reading outside the data, a rejected block
// must leave the target untouched, and an accepted one must keep the modes that no
// record type reaches at their catalogue defaults.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "monitor/mode_info_block.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ModeInfoBlock block;
    std::memset(block.words, 0xA5, sizeof block.words);
    const ModeInfoBlock before = block;
    if (!ParseModeInfo(data, size, &block)) {
        Require(std::memcmp(&before, &block, sizeof block) == 0);
        return 0;
    }
    Require(block.words[1] == 0 && block.words[59] == 0);
    for (DisplayMode mode : {7, 9, 10, 48})
        Require(block.ModeFlags(mode) == DisplayModeDefaultFlags(mode));
    Require(block.SoundWord() == 0 || (block.SoundWord() & 0x80000000u) != 0);
    return 0;
}
