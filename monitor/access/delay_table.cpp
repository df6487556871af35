#include "monitor/access/delay_table.h"

#include <array>
#include <cstddef>

namespace {

struct StandardRow {
    std::uint8_t code;
    std::uint32_t delay;
};

constexpr std::array<StandardRow, 9> kStandardRows = {{
    {0x08, 330},  // restore factory colour defaults
    {0x10, 35},
    {0x12, 50},
    {0x16, 70},
    {0x18, 70},
    {0x1A, 70},
    {0x62, 30},
    {0xE0, 10},  // owner register
    {0xE1, 20},  // page select
}};

// The maker's pages number their registers from 0xE2 upwards without gaps.
constexpr std::uint8_t kFirstPageCode = 0xE2;

constexpr std::array<std::uint32_t, 12> kPage10 = {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
constexpr std::array<std::uint32_t, 5> kPage20 = {22, 110, 20, 20, 20};
constexpr std::array<std::uint32_t, 3> kPage30 = {340, 260, 158};
constexpr std::array<std::uint32_t, 8> kPageE0 = {23, 24, 10, 10, 10, 10, 13, 33};
constexpr std::array<std::uint32_t, 2> kPageF0 = {3200, 120};

template <std::size_t N>
std::optional<std::uint32_t> PageRow(const std::array<std::uint32_t, N>& delays, std::uint8_t code) {
    if (code < kFirstPageCode) return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(code - kFirstPageCode);
    if (index >= N) return std::nullopt;
    return delays[index];
}

}  // namespace

std::optional<std::uint32_t> SettlingDelay(std::uint16_t page, std::uint8_t code) {
    switch (page) {
    case 0x00:
        for (const StandardRow& row : kStandardRows) {
            if (row.code == code) return row.delay;
        }
        return std::nullopt;
    case 0x10: return PageRow(kPage10, code);
    case 0x20: return PageRow(kPage20, code);
    case 0x30: return PageRow(kPage30, code);
    case 0xE0: return PageRow(kPageE0, code);
    case 0xF0: return PageRow(kPageF0, code);
    default: return std::nullopt;
    }
}
