#include "match/luminance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "monitor/color_tables.h"

namespace {

bool IsPositiveFinite(double value) {
    return std::isfinite(value) && value > 0;
}

double DriveRatio(const ChannelDrive& channel) {
    if (channel.gainMaximum <= 0) return 1.0;
    const double ratio = static_cast<double>(channel.gain) / channel.gainMaximum;
    return std::clamp(ratio, 0.0, 1.0);
}

}  // namespace

bool LuminanceFromPrimaries(const ChannelDrive& red, const ChannelDrive& green,
                            const ChannelDrive& blue, int gammaIndex, double* luminance) {
    if (luminance == nullptr) return false;
    const double gamma = GammaValue(gammaIndex);
    double sum = 0;
    for (const ChannelDrive* channel : {&red, &green, &blue}) {
        // A primary the monitor did not report contributes nothing.
        if (!std::isfinite(channel->primary) || channel->primary <= 0) continue;
        sum += std::pow(DriveRatio(*channel), gamma) * channel->primary;
    }
    if (!IsPositiveFinite(sum)) return false;
    *luminance = sum;
    return true;
}

bool ComputeBrightnessLimit(double minimumLuminance, double masterLuminance,
                            std::uint32_t brightnessMaximum, BrightnessLimit* result) {
    if (result == nullptr || brightnessMaximum == 0 || !IsPositiveFinite(minimumLuminance) ||
        !IsPositiveFinite(masterLuminance))
        return false;
    const std::int64_t maximum = brightnessMaximum;
    if (minimumLuminance == masterLuminance) {
        *result = {brightnessMaximum, 100};
        return true;
    }
    // The order of operations matters: the truncations below decide the last step.
    const double exact = minimumLuminance / (masterLuminance / static_cast<double>(maximum));
    std::int64_t limit = static_cast<std::int64_t>(std::min(exact, static_cast<double>(maximum)));
    std::int64_t percent = limit * 100 / maximum;
    if (limit > 0 && limit < maximum && ((limit + 1) * 100) % maximum != 0) {
        // The percent shown is rounded down, and the limit follows it down. At the
        // bottom of the range this arithmetic runs below zero; it is kept in range
        // rather than letting the limit wrap to a huge value.
        const std::int64_t unadjusted = limit;
        percent = std::max<std::int64_t>(percent - 1, 0);
        limit = maximum * percent / 100 + maximum / 100 - 1;
        limit = std::clamp<std::int64_t>(limit, 0, unadjusted);
    }
    result->limit = static_cast<std::uint32_t>(limit);
    result->percent = static_cast<std::uint32_t>(percent);
    return true;
}

bool TargetLuminance(std::uint32_t position, double masterLuminance,
                     std::uint32_t brightnessMaximum, double* target) {
    if (target == nullptr || brightnessMaximum == 0 || !IsPositiveFinite(masterLuminance))
        return false;
    *target = position == 0 ? 0.0 : position * (masterLuminance / brightnessMaximum);
    return true;
}

bool TransferBrightness(double target, double candidateLuminance, std::uint32_t brightnessMaximum,
                        std::uint32_t* brightness) {
    if (brightness == nullptr || brightnessMaximum == 0 || !IsPositiveFinite(candidateLuminance) ||
        !std::isfinite(target) || target < 0)
        return false;
    if (target == 0) {
        *brightness = 0;
        return true;
    }
    const double exact = target / (candidateLuminance / brightnessMaximum);
    *brightness =
        exact >= brightnessMaximum ? brightnessMaximum : static_cast<std::uint32_t>(exact);
    return true;
}

bool BrightnessPercent(std::uint32_t position, std::uint32_t brightnessMaximum,
                       std::uint32_t* percent) {
    if (percent == nullptr || brightnessMaximum == 0) return false;
    *percent = static_cast<std::uint32_t>(std::uint64_t{position} * 100 / brightnessMaximum);
    return true;
}
