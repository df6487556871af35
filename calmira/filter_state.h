#pragma once
// The screen filter's settings: which picture lies over the displays, how opaque
// it is and how far the displays' black level is moved. One active state for the
// program, and a working copy inside the filter dialog.
#include <cstdint>
#include <string>

#include "shell/registry.h"

namespace calmira {

inline constexpr const char* kFilterKey =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\VSFilter";

enum FilterFileType : std::int32_t { kFileNone = 0, kFileDefault = 1, kFileUser = 2 };

inline constexpr std::int32_t kMaxAlpha = 255;
inline constexpr std::int32_t kMinLuminance = -100;
inline constexpr std::int32_t kMaxLuminance = 100;
// The alpha a freshly chosen picture starts with.
inline constexpr std::int32_t kStartAlpha = 64;
// FilePath is read into a buffer of this size.
inline constexpr std::uint32_t kPathBufferSize = 260;

struct FilterState {
    std::int32_t on = 0;
    std::int32_t fileType = kFileNone;
    std::string filePath;
    std::int32_t alpha = 0;
    std::int32_t luminance = 0;

    bool operator==(const FilterState&) const = default;
    // Off, no picture, no opacity, no luminance shift.
    void TurnOff() { *this = FilterState(); }
};

// Stored or typed values outside their range would wrap in the overlay's alpha
// byte or push the gamma ramp beyond what the filter offers.
std::int32_t ClampAlpha(std::int64_t alpha);
std::int32_t ClampLuminance(std::int64_t luminance);

// "On", and when it is set the other four values. Every value is clamped; a file
// type other than 1 or 2 reads as a user file when a path is stored.
FilterState LoadFilterState(CRegistry& registry);
void StoreFilterState(CRegistry& registry, const FilterState& state);

// The user's values for a default picture, in VSFilter\<file name>.
bool ReadImageValue(CRegistry& registry, const std::string& fileName, const char* valueName,
                    std::int32_t* value);
void StoreImageChoice(CRegistry& registry, const std::string& fileName, std::int32_t alpha,
                      std::int32_t luminance);

// Slider positions: transmittance 0-50 stands for alpha 0-128, luminance 0-200
// for -100 to 100.
inline constexpr int kTransmittanceMax = 50;
inline constexpr int kLuminancePositionMax = 200;
std::int32_t AlphaFromTransmittance(int position);
int TransmittanceFromAlpha(std::int32_t alpha);
std::int32_t LuminanceFromPosition(int position);
int PositionFromLuminance(std::int32_t luminance);

// Tiles that cover a window of width x height from the top-left corner with a
// picture of imageWidth x imageHeight. An empty picture gives no tiles.
struct TileGrid {
    int columns = 0;
    int rows = 0;
};
TileGrid TilesFor(int width, int height, int imageWidth, int imageHeight);

}  // namespace calmira
