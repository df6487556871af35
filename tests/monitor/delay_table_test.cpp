// The settling delays of the maker's pages, code by code: a monitor that gets
// its next command a millisecond early may drop it, so every row must be exact,
// and a code past a page's last row has no delay (the write is refused).
#include "monitor/access/delay_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct PageRows {
    std::uint16_t page;
    std::vector<std::uint32_t> delays;  // codes 0xE2 upwards
};

TEST(SettlingDelayTable, EveryMakerPageRowHasItsDelayAndNothingFollowsIt) {
    const PageRows pages[] = {
        {0x10, std::vector<std::uint32_t>(12, 20)},
        {0x20, {22, 110, 20, 20, 20}},
        {0x30, {340, 260, 158}},
        {0xE0, {23, 24, 10, 10, 10, 10, 13, 33}},
        {0xF0, {3200, 120}},
    };
    for (const PageRows& rows : pages) {
        SCOPED_TRACE(testing::Message() << "page " << std::hex << rows.page);
        EXPECT_FALSE(SettlingDelay(rows.page, 0xE1).has_value()) << "below the first row";
        for (std::size_t i = 0; i < rows.delays.size(); ++i) {
            const auto code = static_cast<std::uint8_t>(0xE2 + i);
            ASSERT_TRUE(SettlingDelay(rows.page, code).has_value()) << std::hex << int(code);
            EXPECT_EQ(*SettlingDelay(rows.page, code), rows.delays[i]) << std::hex << int(code);
        }
        EXPECT_FALSE(SettlingDelay(rows.page, static_cast<std::uint8_t>(0xE2 + rows.delays.size()))
                         .has_value())
            << "past the last row";
    }
    EXPECT_FALSE(SettlingDelay(0x40, 0xE2).has_value()) << "a page without rows";
    EXPECT_EQ(SettlingDelay(0, 0xE0), 10u);
    EXPECT_EQ(SettlingDelay(0, 0xE1), 20u);
}

}  // namespace
