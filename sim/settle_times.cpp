#include "sim/settle_times.h"

#include <iterator>

namespace sim {
namespace {

struct StandardRow {
    std::uint8_t code;
    std::uint32_t ms;
};

constexpr StandardRow kStandard[] = {
    {0x08, 330}, {0x10, 35}, {0x12, 50}, {0x16, 70}, {0x18, 70},
    {0x1A, 70},  {0x62, 30}, {0xE0, 10}, {0xE1, 20},
};

constexpr std::uint32_t kPage10[] = {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
constexpr std::uint32_t kPage20[] = {22, 110, 20, 20, 20};
constexpr std::uint32_t kPage30[] = {340, 260, 158};
constexpr std::uint32_t kPageE0[] = {23, 24, 10, 10, 10, 10, 13, 33};
constexpr std::uint32_t kPageF0[] = {3200, 120};

constexpr std::uint32_t kDdcDefault = 50;

template <std::size_t N>
std::uint32_t FromPage(const std::uint32_t (&row)[N], std::uint8_t code) {
    if (code < 0xE2) return kDdcDefault;
    const std::size_t index = static_cast<std::size_t>(code - 0xE2);
    return index < N ? row[index] : kDdcDefault;
}

}  // namespace

std::uint32_t SettleAfterWrite(RegisterKey key) {
    switch (key.page) {
        case 0x00:
            for (const auto& row : kStandard)
                if (row.code == key.code) return row.ms;
            return kDdcDefault;
        case 0x10:
            return FromPage(kPage10, key.code);
        case 0x20:
            return FromPage(kPage20, key.code);
        case 0x30:
            return FromPage(kPage30, key.code);
        case 0xE0:
            return FromPage(kPageE0, key.code);
        case 0xF0:
            return FromPage(kPageF0, key.code);
        default:
            return kDdcDefault;
    }
}

}  // namespace sim
