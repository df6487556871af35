// Which modes a list offers, in which order, and with which item data.
#include "modes/mode_lists.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::uint64_t Bits(std::initializer_list<int> bits) {
    std::uint64_t mask = 0;
    for (int bit : bits) mask |= std::uint64_t{1} << bit;
    return mask;
}

TEST(ModeLists, RowsOfTheMaskInAscendingOrder) {
    struct Case {
        std::uint64_t mask;
        ModeList expected;
    };
    const Case cases[] = {
        {Bits({17, 0}), {{111, 0}, {104, 17}}},      // Text, Game
        {Bits({12}), {{kUnnamedModeStringId, 12}}},  // an unnamed row shows a blank
        {Bits({63}), {}},                            // "Not change the mode" is never listed
        {Bits({48}), {}},                            // bit 48 belongs to no row
        {Bits({47, 36, 3}), {{114, 3}, {118, 36}, {119, 47}}},
        {0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModeListForMask(c.mask), c.expected) << std::hex << c.mask;
    EXPECT_EQ(ModeListForMask(~std::uint64_t{0}).size(), 48u);
}

TEST(ModeLists, AllMonitorsListTheUnionOnce) {
    CMonitorStatusAll all;
    for (std::uint64_t mask : {Bits({0, 17}), Bits({17, 22}), Bits({63})}) {
        auto record = std::make_unique<CMonitorStatus>();
        record->m_ModeInfo.words[ModeInfoBlock::kModeMaskLow] = static_cast<std::uint32_t>(mask);
        record->m_ModeInfo.words[ModeInfoBlock::kModeMaskHigh] =
            static_cast<std::uint32_t>(mask >> 32);
        all.Add(std::move(record));
    }
    const ModeList expected = {{111, 0}, {104, 17}, {105, 22}};
    EXPECT_EQ(ModeListForAllMonitors(all), expected);
    EXPECT_EQ(ModeListForMonitor(*all.At(1)), (ModeList{{104, 17}, {105, 22}}));
}

TEST(ModeLists, FindingTheItemOfAMode) {
    const ModeList list = ModeListForMask(Bits({0, 17}));
    EXPECT_EQ(FindModeItem(list, 17), 1);
    EXPECT_EQ(FindModeItem(list, 0), 0);
    EXPECT_EQ(FindModeItem(list, 1), -1);
    EXPECT_EQ(FindModeItem(list, 48), -1);
    EXPECT_EQ(NotChangeModeItem(), (ModeListItem{156, 48}));
}

}  // namespace
