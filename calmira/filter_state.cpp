#include "calmira/filter_state.h"

#include <cstring>

namespace calmira {

namespace {

std::string ImageKey(const std::string& fileName) {
    return std::string(kFilterKey) + "\\" + fileName;
}

std::int32_t Int32FromBytes(const std::uint8_t* bytes) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

void WriteInt32Binary(CRegistry& registry, const char* valueName, std::int32_t value,
                      const char* keyPath) {
    const auto bits = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    registry.WriteBinary(valueName, bytes, 4, keyPath);
}

}  // namespace

std::int32_t ClampAlpha(std::int64_t alpha) {
    if (alpha < 0) return 0;
    if (alpha > kMaxAlpha) return kMaxAlpha;
    return static_cast<std::int32_t>(alpha);
}

std::int32_t ClampLuminance(std::int64_t luminance) {
    if (luminance < kMinLuminance) return kMinLuminance;
    if (luminance > kMaxLuminance) return kMaxLuminance;
    return static_cast<std::int32_t>(luminance);
}

FilterState LoadFilterState(CRegistry& registry) {
    FilterState state;
    std::uint8_t on[4] = {};
    if (!registry.ReadValue("On", on, sizeof on, kFilterKey)) return state;
    state.on = on[0] != 0 || on[1] != 0 || on[2] != 0 || on[3] != 0 ? 1 : 0;
    if (!state.on) return state;

    std::uint32_t fileType = 0;
    if (registry.ReadDword("FileType", &fileType, kFilterKey)) {
        state.fileType = static_cast<std::int32_t>(fileType);
    }
    // One byte more than is read, so that a path filling the buffer is still terminated.
    char path[kPathBufferSize + 1] = {};
    if (registry.ReadValue("FilePath", path, kPathBufferSize, kFilterKey)) state.filePath = path;
    std::uint32_t alpha = 0;
    // Written from a signed value; a negative one must not turn into a large alpha.
    if (registry.ReadDword("Alpha", &alpha, kFilterKey)) {
        state.alpha = ClampAlpha(static_cast<std::int32_t>(alpha));
    }
    std::uint8_t luminance[4] = {};
    if (registry.ReadValue("Luminance", luminance, sizeof luminance, kFilterKey)) {
        state.luminance = ClampLuminance(Int32FromBytes(luminance));
    }
    if (state.fileType != kFileDefault && state.fileType != kFileUser) {
        state.fileType = state.filePath.empty() ? kFileNone : kFileUser;
    }
    return state;
}

void StoreFilterState(CRegistry& registry, const FilterState& state) {
    const std::uint8_t on = state.on ? 1 : 0;
    registry.WriteBinary("On", &on, 1, kFilterKey);
    registry.WriteDword("FileType", static_cast<std::uint32_t>(state.fileType), kFilterKey);
    registry.WriteString("FilePath", state.filePath.c_str(),
                         static_cast<std::uint32_t>(state.filePath.size() + 1), kFilterKey);
    registry.WriteDword("Alpha", static_cast<std::uint32_t>(ClampAlpha(state.alpha)), kFilterKey);
    WriteInt32Binary(registry, "Luminance", ClampLuminance(state.luminance), kFilterKey);
}

bool ReadImageValue(CRegistry& registry, const std::string& fileName, const char* valueName,
                    std::int32_t* value) {
    std::uint8_t bytes[4] = {};
    if (!registry.ReadValue(valueName, bytes, sizeof bytes, ImageKey(fileName).c_str()))
        return false;
    *value = Int32FromBytes(bytes);
    return true;
}

void StoreImageChoice(CRegistry& registry, const std::string& fileName, std::int32_t alpha,
                      std::int32_t luminance) {
    const std::string key = ImageKey(fileName);
    registry.WriteDword("ModAlpha", static_cast<std::uint32_t>(ClampAlpha(alpha)), key.c_str());
    WriteInt32Binary(registry, "ModLuminance", ClampLuminance(luminance), key.c_str());
}

std::int32_t AlphaFromTransmittance(int position) {
    if (position < 0) position = 0;
    if (position > kTransmittanceMax) position = kTransmittanceMax;
    return (position * 255 + 99) / 100;
}

int TransmittanceFromAlpha(std::int32_t alpha) {
    const int position = ClampAlpha(alpha) * 100 / 255;
    return position > kTransmittanceMax ? kTransmittanceMax : position;
}

std::int32_t LuminanceFromPosition(int position) {
    return ClampLuminance(position - 100LL);
}

int PositionFromLuminance(std::int32_t luminance) {
    return ClampLuminance(luminance) + 100;
}

TileGrid TilesFor(int width, int height, int imageWidth, int imageHeight) {
    TileGrid grid;
    if (imageWidth <= 0 || imageHeight <= 0 || width <= 0 || height <= 0) return grid;
    grid.columns = width / imageWidth + 1;
    grid.rows = height / imageHeight + 1;
    return grid;
}

}  // namespace calmira
