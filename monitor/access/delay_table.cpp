#include "monitor/access/delay_table.h"

#include <array>
#include <cstddef>

#include "monitor/vcp.h"

namespace {

struct StandardRow {
    std::uint8_t code;
    std::uint32_t delay;
};

constexpr std::array<StandardRow, 9> kStandardRows = {{
    {vcp::kFactoryColorCode, 330},
    {vcp::kBrightnessCode, 35},
    {vcp::kContrastCode, 50},
    {vcp::kRedGainCode, 70},
    {vcp::kGreenGainCode, 70},
    {vcp::kBlueGainCode, 70},
    {vcp::kVolumeCode, 30},
    {vcp::kOwnerCode, 10},
    {vcp::kPageSelectCode, 20},
}};

// The maker's pages: delays of their registers in code order, without gaps.
constexpr std::array<std::uint32_t, 12> kPage10 = {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
constexpr std::array<std::uint32_t, 5> kPage20 = {22, 110, 20, 20, 20};
constexpr std::array<std::uint32_t, 3> kPage30 = {340, 260, 158};
constexpr std::array<std::uint32_t, 8> kPageE0 = {23, 24, 10, 10, 10, 10, 13, 33};
constexpr std::array<std::uint32_t, 2> kPageF0 = {3200, 120};

template <std::size_t N>
std::optional<std::uint32_t> PageRow(const std::array<std::uint32_t, N>& delays,
                                     std::uint8_t code) {
    if (code < vcp::kFirstPageCode) return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(code - vcp::kFirstPageCode);
    if (index >= N) return std::nullopt;
    return delays[index];
}

}  // namespace

std::optional<std::uint32_t> SettlingDelay(std::uint16_t page, std::uint8_t code) {
    switch (page) {
        case vcp::kStandardPage:
            for (const StandardRow& row : kStandardRows) {
                if (row.code == code) return row.delay;
            }
            return std::nullopt;
        case vcp::kBlockPage:
            return PageRow(kPage10, code);
        case vcp::kReadinessPage:
            return PageRow(kPage20, code);
        case vcp::kColorPage:
            return PageRow(kPage30, code);
        case vcp::kQuadPage:
            return PageRow(kPageE0, code);
        case vcp::kCommandPage:
            return PageRow(kPageF0, code);
        default:
            return std::nullopt;
    }
}
