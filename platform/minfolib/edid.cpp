#include "platform/minfolib/edid.h"

namespace minfolib {
namespace {

constexpr std::uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kFirstDescriptor = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr std::size_t kDescriptorCount = 4;
constexpr std::uint8_t kMonitorNameTag = 0xFC;
constexpr std::size_t kDescriptorTextSize = 13;

// Descriptor text ends at a line feed and is padded with spaces; anything that is
// not printable ASCII is dropped so a damaged block cannot smuggle control bytes
// into the record.
std::string DescriptorText(const std::uint8_t* text) {
    std::string result;
    for (std::size_t i = 0; i < kDescriptorTextSize; ++i) {
        const std::uint8_t c = text[i];
        if (c == 0x0A || c == 0x00) break;
        if (c >= 0x20 && c <= 0x7E) result.push_back(static_cast<char>(c));
    }
    while (!result.empty() && result.back() == ' ') result.pop_back();
    return result;
}

std::string MonitorName(const std::uint8_t* block) {
    for (std::size_t d = 0; d < kDescriptorCount; ++d) {
        const std::uint8_t* descriptor = block + kFirstDescriptor + d * kDescriptorSize;
        // A display descriptor has a zero pixel clock; detailed timings do not.
        const bool isDisplayDescriptor =
            descriptor[0] == 0 && descriptor[1] == 0 && descriptor[2] == 0;
        if (isDisplayDescriptor && descriptor[3] == kMonitorNameTag)
            return DescriptorText(descriptor + 5);
    }
    return std::string();
}

}  // namespace

std::string ManufacturerIdFromCode(std::uint16_t code) {
    if ((code & 0x8000u) != 0) return std::string();
    std::string id(3, ' ');
    for (int letter = 0; letter < 3; ++letter) {
        const unsigned value = (code >> (10 - 5 * letter)) & 0x1Fu;
        if (value < 1 || value > 26) return std::string();
        id[static_cast<std::size_t>(letter)] = static_cast<char>('A' + value - 1);
    }
    return id;
}

EdidStatus DecodeEdid(const std::uint8_t* data, std::size_t size, EdidIdentity* identity) {
    if (data == nullptr || size < kEdidBlockSize) return EdidStatus::TooShort;
    for (std::size_t i = 0; i < sizeof kHeader; ++i) {
        if (data[i] != kHeader[i]) return EdidStatus::BadHeader;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < kEdidBlockSize; ++i) sum += data[i];
    if ((sum & 0xFFu) != 0) return EdidStatus::BadChecksum;

    const auto code = static_cast<std::uint16_t>((data[8] << 8) | data[9]);
    std::string manufacturer = ManufacturerIdFromCode(code);
    if (manufacturer.empty()) return EdidStatus::BadManufacturer;

    if (identity != nullptr) {
        identity->manufacturerId = manufacturer;
        identity->productCode = static_cast<std::uint16_t>(data[10] | (data[11] << 8));
        identity->serialNumber = static_cast<std::uint32_t>(data[12]) |
                                 (static_cast<std::uint32_t>(data[13]) << 8) |
                                 (static_cast<std::uint32_t>(data[14]) << 16) |
                                 (static_cast<std::uint32_t>(data[15]) << 24);
        identity->monitorName = MonitorName(data);
    }
    return EdidStatus::Ok;
}

}  // namespace minfolib
