#include "modes/adjustment_data.h"

#include <cstring>

namespace {

constexpr std::size_t kModelOffset = 0;
constexpr std::size_t kSerialOffset = 18;
constexpr std::size_t kIdentityOffset = 36;
constexpr std::size_t kModeOffset = 72;
constexpr std::size_t kColorTempOffset = 76;
constexpr std::size_t kBrightnessOffset = 80;
constexpr std::size_t kRedGainOffset = 92;
constexpr std::size_t kGreenGainOffset = 104;
constexpr std::size_t kBlueGainOffset = 116;
constexpr std::size_t kGammaOffset = 128;
constexpr std::size_t kQuadOffset = 140;
constexpr std::size_t kQuadValidOffset = 156;
constexpr std::size_t kContrastOffset = 160;

void PutWord(AdjustmentBytes& bytes, std::size_t offset, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(word >> (8 * i));
}

std::int32_t GetWord(const std::uint8_t* bytes, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) word |= std::uint32_t{bytes[offset + i]} << (8 * i);
    return static_cast<std::int32_t>(word);
}

void PutText(AdjustmentBytes& bytes, std::size_t offset, std::size_t field,
             const std::string& text) {
    std::memcpy(bytes.data() + offset, text.data(), text.size() < field ? text.size() : field);
}

// Up to the first zero, and never past the field.
std::string GetText(const std::uint8_t* bytes, std::size_t offset, std::size_t field) {
    const char* start = reinterpret_cast<const char*>(bytes + offset);
    std::size_t length = 0;
    while (length < field && start[length] != '\0') ++length;
    return std::string(start, length);
}

void PutItem(AdjustmentBytes& bytes, std::size_t offset, const AdjustmentItem& item) {
    PutWord(bytes, offset, item.value);
    PutWord(bytes, offset + 4, item.maximum);
    PutWord(bytes, offset + 8, item.valid);
}

AdjustmentItem GetItem(const std::uint8_t* bytes, std::size_t offset) {
    return AdjustmentItem{GetWord(bytes, offset), GetWord(bytes, offset + 4),
                          GetWord(bytes, offset + 8)};
}

}  // namespace

AdjustmentBytes EncodeAdjustmentData(const AdjustmentData& data) {
    AdjustmentBytes bytes{};
    PutText(bytes, kModelOffset, AdjustmentData::kModelNameSize, data.modelName);
    PutText(bytes, kSerialOffset, AdjustmentData::kSerialNumberSize, data.serialNumber);
    PutText(bytes, kIdentityOffset, AdjustmentData::kIdentitySize, data.identity);
    PutWord(bytes, kModeOffset, data.mode);
    PutWord(bytes, kColorTempOffset, data.colorTemperature);
    PutItem(bytes, kBrightnessOffset, data.brightness);
    PutItem(bytes, kRedGainOffset, data.redGain);
    PutItem(bytes, kGreenGainOffset, data.greenGain);
    PutItem(bytes, kBlueGainOffset, data.blueGain);
    PutItem(bytes, kGammaOffset, data.gamma);
    for (std::size_t i = 0; i < 4; ++i) PutWord(bytes, kQuadOffset + 4 * i, data.quad[i]);
    PutWord(bytes, kQuadValidOffset, data.quadValid);
    PutItem(bytes, kContrastOffset, data.contrast);
    return bytes;
}

bool DecodeAdjustmentData(const std::uint8_t* bytes, std::size_t size, AdjustmentData* data) {
    if (bytes == nullptr || data == nullptr || size != AdjustmentData::kSize) return false;
    AdjustmentData decoded;
    decoded.modelName = GetText(bytes, kModelOffset, AdjustmentData::kModelNameSize);
    decoded.serialNumber = GetText(bytes, kSerialOffset, AdjustmentData::kSerialNumberSize);
    decoded.identity = GetText(bytes, kIdentityOffset, AdjustmentData::kIdentitySize);
    decoded.mode = GetWord(bytes, kModeOffset);
    decoded.colorTemperature = GetWord(bytes, kColorTempOffset);
    decoded.brightness = GetItem(bytes, kBrightnessOffset);
    decoded.redGain = GetItem(bytes, kRedGainOffset);
    decoded.greenGain = GetItem(bytes, kGreenGainOffset);
    decoded.blueGain = GetItem(bytes, kBlueGainOffset);
    decoded.gamma = GetItem(bytes, kGammaOffset);
    for (std::size_t i = 0; i < 4; ++i) decoded.quad[i] = GetWord(bytes, kQuadOffset + 4 * i);
    decoded.quadValid = GetWord(bytes, kQuadValidOffset);
    decoded.contrast = GetItem(bytes, kContrastOffset);
    *data = decoded;
    return true;
}
