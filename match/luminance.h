#pragma once
// The arithmetic behind matching several monitors: how bright a monitor can get,
// how far the master's brightness may go so that the dimmest monitor can follow,
// and what brightness setting gives each monitor the master's luminance.
//
// Every function refuses inputs that would turn into infinities or NaN (a
// luminance that is not positive and finite, a maximum of 0): such a value would
// otherwise reach a monitor as an arbitrary brightness setting.
#include <cstdint>

// Gain setting and maximum of one colour channel, and that primary's luminance
// at full drive (the monitor's report in tenths, divided by 10).
struct ChannelDrive {
    std::int32_t gain = 0;
    std::int32_t gainMaximum = 0;
    double primary = 0;
};

// Estimated maximum luminance from the primaries: the sum of each primary
// weighted by its gain ratio raised to the gamma of `gammaIndex`. A channel whose
// gain maximum is 0 has no adjustable gain and counts at full drive; a gain above
// its maximum counts as the maximum. False when the sum is not positive and finite.
bool LuminanceFromPrimaries(const ChannelDrive& red, const ChannelDrive& green,
                            const ChannelDrive& blue, int gammaIndex, double* luminance);

struct BrightnessLimit {
    // Highest master brightness setting every candidate can follow.
    std::uint32_t limit = 0;
    // The limit as shown to the user, 0-100.
    std::uint32_t percent = 0;
};

// The limit for a desk whose dimmest candidate reaches `minimumLuminance` while the
// master reaches `masterLuminance` at brightness maximum `brightnessMaximum`.
// The percent is rounded down so that the user is never told a value the limit
// does not allow; the limit is lowered to match. False when a luminance is not
// positive and finite or the maximum is 0.
bool ComputeBrightnessLimit(double minimumLuminance, double masterLuminance,
                            std::uint32_t brightnessMaximum, BrightnessLimit* result);

// The master's luminance at slider position `position` (0 at position 0).
// False when the luminance is not positive and finite or the maximum is 0.
bool TargetLuminance(std::uint32_t position, double masterLuminance,
                     std::uint32_t brightnessMaximum, double* target);

// The brightness setting at which a candidate with maximum luminance
// `candidateLuminance` and brightness maximum `brightnessMaximum` shows `target`,
// truncated, and never above the maximum. False for a luminance that is not
// positive and finite, a target that is negative or not finite, or a maximum of 0.
bool TransferBrightness(double target, double candidateLuminance, std::uint32_t brightnessMaximum,
                        std::uint32_t* brightness);

// Slider text of the brightness step: position as a percentage of the maximum
// (integer division). False when the maximum is 0.
bool BrightnessPercent(std::uint32_t position, std::uint32_t brightnessMaximum,
                       std::uint32_t* percent);
