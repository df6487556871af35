// The mode information record walk: types, value widths, stop rules and the two
// ways a block is rejected.
#include "monitor/mode_info_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool Parse(const Bytes& data, ModeInfoBlock* block) {
    return ParseModeInfo(data.data(), data.size(), block);
}

ModeInfoBlock ParseOk(const Bytes& data) {
    ModeInfoBlock block;
    EXPECT_TRUE(Parse(data, &block));
    return block;
}

TEST(ModeInfoBlock, DefaultsComeFromTheCatalogue) {
    const ModeInfoBlock block = ParseOk({0x01, 0x01, 0x07, 0xFF});
    EXPECT_EQ(block.words[0], 7u);
    EXPECT_EQ(block.ModeMask(), 0u);
    EXPECT_EQ(block.ModeFlags(0), 0x800Du);
    EXPECT_EQ(block.ModeFlags(7), 0x0001u);
    EXPECT_EQ(block.ModeFlags(17), 0x804Du);
    EXPECT_EQ(block.ModeFlags(48), 0u);
    EXPECT_EQ(block.ModeFlags(-1), 0u);
    EXPECT_EQ(block.ModeFlags(49), 0u);
    EXPECT_EQ(block.words[1], 0u);
    EXPECT_EQ(block.words[59], 0u);
}

TEST(ModeInfoBlock, RecordTypesLandInTheirWords) {
    const ModeInfoBlock block = ParseOk(
        {0x04, 0x01, 0x10,                                            // compatible
         0x05, 0x08, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x80,  // modes 0, 17, 48
         0x06, 0x04, 0xFF, 0xFF, 0xFF, 0x01,                          // presets 0-24
         0x07, 0x02, 0x34, 0x12, 0x0E, 0x02, 0xFF, 0x01, 0x00, 0x00,  // gamma: all four bytes count
         0x0A, 0x02, 0x01, 0x00,                                      // sound
         0x0B, 0x01, 0x08,                                            // four-value set
         0x24, 0x01, 0x05,                                            // flags slot 49
         0x28, 0x02, 0x01, 0x00,                                      // Game: brightness only
         0x58, 0x02, 0x02, 0x80,                                      // User
         0x1A, 0x01, 0x00,                                            // DICOM: nothing
         0xFF});
    EXPECT_EQ(block.ModeMask(), (1ull << 0) | (1ull << 17) | (1ull << 63));
    EXPECT_TRUE(block.HasMode(0));
    EXPECT_TRUE(block.HasMode(17));
    EXPECT_TRUE(block.HasMode(48));
    EXPECT_FALSE(block.HasMode(1));
    EXPECT_EQ(block.PresetMask(), 0x01FFFFFFu);
    EXPECT_EQ(block.words[5], 0x1234u);
    EXPECT_EQ(block.GammaMask(), 0x01FFu);
    EXPECT_EQ(block.SoundWord(), 0x80000001u);
    EXPECT_EQ(block.words[58], 8u);
    EXPECT_TRUE(block.HasQuadSet());
    EXPECT_EQ(block.words[57], 5u);
    EXPECT_EQ(block.ModeFlags(17), kModeFlagBrightness);
    EXPECT_EQ(block.ModeFlags(47), 0x8002u);
    EXPECT_EQ(block.ModeFlags(8), 0u);
    // No record type reaches CAL or DICOM-BL.
    EXPECT_EQ(block.ModeFlags(7), 0x0001u);
    EXPECT_EQ(block.ModeFlags(9), 0x0001u);
}

TEST(ModeInfoBlock, EveryModeOverrideTypeReachesItsMode) {
    const std::pair<std::uint8_t, int> overrides[] = {
        {18, 0},  {19, 1},  {20, 2},  {21, 3},  {22, 4},  {23, 5},  {24, 6},  {26, 8},  {34, 14},
        {40, 17}, {49, 22}, {50, 23}, {51, 24}, {58, 31}, {61, 33}, {62, 34}, {68, 36}, {88, 47}};
    for (auto [type, mode] : overrides) {
        const ModeInfoBlock block = ParseOk({type, 0x02, 0x42, 0x00, 0xFF});
        for (int m = 0; m < kDisplayModeRows; ++m) {
            const std::uint32_t expected = m == mode ? 0x42u : DisplayModeDefaultFlags(m);
            EXPECT_EQ(block.ModeFlags(m), expected) << "type " << int(type) << " mode " << m;
        }
    }
}

TEST(ModeInfoBlock, ValueWidthsAndRepeats) {
    struct Case {
        const char* what;
        Bytes data;
        int word;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"later record of a type wins", {0x06, 0x01, 0x03, 0x06, 0x01, 0x05}, 4, 5},
        {"zero-length value is 0", {0x06, 0x01, 0x03, 0x06, 0x00, 0x01, 0x00}, 4, 0},
        {"values beyond four bytes are cut", {0x06, 0x05, 1, 2, 3, 4, 5}, 4, 0x04030201},
        {"three-byte value", {0x06, 0x03, 1, 2, 3}, 4, 0x030201},
        {"gamma mask takes four bytes whatever L says",
         {0x0E, 0x00, 0x01, 0x02, 0x00, 0x00},
         6,
         0x0201},
        {"gamma read past the data sees zeros", {0x0E, 0x01, 0xFF}, 6, 0xFF},
        {"sound word 0 stays 0", {0x0A, 0x02, 0x00, 0x00, 0x01, 0x01, 0x01}, 7, 0},
        {"unknown types are skipped", {0x63, 0x02, 0x06, 0x01, 0x06, 0x01, 0x09}, 4, 9},
        {"0xFF type ends the walk", {0x06, 0x01, 0x02, 0xFF, 0x06, 0x01, 0x09}, 4, 2},
        {"mode mask of four bytes leaves the high word 0",
         {0x05, 0x04, 0xFF, 0xFF, 0xFF, 0xFF},
         3,
         0},
    };
    for (const Case& c : cases) {
        ModeInfoBlock block;
        ASSERT_TRUE(Parse(c.data, &block)) << c.what;
        EXPECT_EQ(block.words[c.word], c.expected) << c.what;
    }
}

TEST(ModeInfoBlock, RejectedBlocksLeaveTheTargetAlone) {
    const Bytes rejected[] = {
        {},
        Bytes(255, 0),
        {0x04, 0x01, 0x0F, 0xFF},                    // not compatible
        {0x06, 0x01, 0x03, 0x04, 0x00},              // compatibility word of no bytes
        {0x05, 0x01, 0x01, 0x04, 0x02, 0xEF, 0xFF},  // 0xFFEF lacks 0x10
    };
    for (const Bytes& data : rejected) {
        ModeInfoBlock block;
        block.words[4] = 0xABCD;
        EXPECT_FALSE(Parse(data, &block)) << data.size();
        EXPECT_EQ(block.words[4], 0xABCDu);
        EXPECT_EQ(block.words[8], 0u);
    }
    EXPECT_FALSE(ParseModeInfo(nullptr, 4, nullptr));
}

TEST(ModeInfoBlock, WalkStopsAtTheEndOfTheDataAndOfTheBlock) {
    // The walk ends at the data length even where the caller's buffer goes on.
    const Bytes data = {0x06, 0x01, 0x03, 0x06, 0x01, 0x05};
    ModeInfoBlock block;
    ASSERT_TRUE(ParseModeInfo(data.data(), 3, &block));
    EXPECT_EQ(block.PresetMask(), 3u);

    // A record that would end past byte 255 is not read.
    Bytes longBlock(255, 0);
    longBlock[0] = 0x07;
    longBlock[1] = 248;  // ends at 250
    longBlock[250] = 0x06;
    longBlock[251] = 0x01;
    longBlock[252] = 0x09;  // ends at 253: read
    longBlock[253] = 0x06;
    longBlock[254] = 0x01;  // would end at 256: not read
    block = ParseOk(longBlock);
    EXPECT_EQ(block.PresetMask(), 9u);

    // Only the first 255 bytes of a longer block count.
    Bytes tooLong(300, 0);
    tooLong[0] = 0x07;
    tooLong[1] = 251;  // ends at 253
    tooLong[253] = 0x06;
    tooLong[254] = 0x00;  // ends at 255: read, value 0
    tooLong[255] = 0x06;
    tooLong[256] = 0x01;
    tooLong[257] = 0x07;
    block = ParseOk(tooLong);
    EXPECT_EQ(block.PresetMask(), 0u);
}

TEST(ModeInfoBlock, HostileBlocksNeverReadOutsideTheirBytes) {
    // Every single-record block with every length byte; ASan watches the reads.
    for (int type = 0; type < 256; ++type) {
        for (int length = 0; length < 256; length += 17) {
            Bytes data = {static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(length)};
            ModeInfoBlock block;
            ParseModeInfo(data.data(), data.size(), &block);
        }
    }
}

}  // namespace
