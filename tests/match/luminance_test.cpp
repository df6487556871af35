#include "match/luminance.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "match/match_support.h"
#include "monitor/monitor_status.h"

namespace {

BrightnessLimit Limit(double minimum, double master, std::uint32_t maximum) {
    BrightnessLimit limit;
    EXPECT_TRUE(ComputeBrightnessLimit(minimum, master, maximum, &limit))
        << minimum << " " << master << " " << maximum;
    return limit;
}

TEST(BrightnessLimitTest, RoundsThePercentDownAndTheLimitWithIt) {
    BrightnessLimit limit = Limit(200, 250, 100);
    EXPECT_EQ(limit.limit, 80u);
    EXPECT_EQ(limit.percent, 80u);

    // 40 of 60 is 66 %; 41 x 100 is no multiple of 60, so 65 % and 60 x 65 / 100 - 1.
    limit = Limit(40, 60, 60);
    EXPECT_EQ(limit.limit, 38u);
    EXPECT_EQ(limit.percent, 65u);

    limit = Limit(245.5, 245.5, 60);
    EXPECT_EQ(limit.limit, 60u);
    EXPECT_EQ(limit.percent, 100u);
}

TEST(BrightnessLimitTest, StaysInRangeAtTheBottomOfTheScale) {
    // Unsigned, these wrapped: percent 0 - 1, and a limit of 0 + 0 - 1 that would
    // have let every slider position through.
    BrightnessLimit limit = Limit(1, 255, 255);
    EXPECT_EQ(limit.percent, 0u);
    EXPECT_EQ(limit.limit, 1u);

    limit = Limit(1, 60, 60);
    EXPECT_EQ(limit.percent, 0u);
    EXPECT_EQ(limit.limit, 0u);

    limit = Limit(0.4, 60, 60);
    EXPECT_EQ(limit.percent, 0u);
    EXPECT_EQ(limit.limit, 0u);
}

TEST(BrightnessLimitTest, RefusesLuminancesAndMaximaThatCannotBeDividedBy) {
    BrightnessLimit limit;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ComputeBrightnessLimit(200, 0, 100, &limit));
    EXPECT_FALSE(ComputeBrightnessLimit(0, 250, 100, &limit));
    EXPECT_FALSE(ComputeBrightnessLimit(200, 250, 0, &limit));
    EXPECT_FALSE(ComputeBrightnessLimit(nan, 250, 100, &limit));
    EXPECT_FALSE(ComputeBrightnessLimit(200, infinity, 100, &limit));
    EXPECT_FALSE(ComputeBrightnessLimit(-5, 250, 100, &limit));
}

// Properties that hold whatever the rounding rule: the limit stays in range and
// within what the dimmest monitor reaches, the percent told the user never
// promises more than that reach, and at the limit the dimmest monitor is given
// the largest setting whose luminance does not exceed the master's.
TEST(BrightnessLimitTest, SweepNeverOffersAPositionTheDimmestMonitorCannotFollow) {
    const std::uint32_t maxima[] = {1, 2, 3, 7, 10, 30, 60, 99, 100, 101, 199, 255, 1000};
    const double masters[] = {0.5, 77.7, 150.0, 245.52, 307.7};
    for (std::uint32_t maximum : maxima) {
        for (double master : masters) {
            for (int step = 1; step <= 200; ++step) {
                const double minimum = master * step / 200.0;
                const BrightnessLimit limit = Limit(minimum, master, maximum);
                const auto where = [&] {
                    return ::testing::Message()
                           << minimum << "/" << master << " B=" << maximum << " limit "
                           << limit.limit << " percent " << limit.percent;
                };
                ASSERT_LE(limit.limit, maximum) << where();
                ASSERT_LE(limit.percent, 100u) << where();
                // The master's luminance at the limit is within the dimmest one's reach.
                ASSERT_LE(limit.limit * (master / maximum), minimum * (1 + 1e-9)) << where();
                // Whole settings the master could go to for the dimmest to follow.
                const double reach = std::floor(minimum * maximum / master * (1 + 1e-12));
                ASSERT_LE(limit.percent * static_cast<double>(maximum), reach * 100 + 1e-9)
                    << where();
                if (step == 200) {
                    ASSERT_EQ(limit.limit, maximum) << where();
                    ASSERT_EQ(limit.percent, 100u) << where();
                }

                double target = 0;
                std::uint32_t brightness = 0;
                ASSERT_TRUE(TargetLuminance(limit.limit, master, maximum, &target));
                ASSERT_NEAR(target, limit.limit * master / maximum, 1e-9 * master);
                ASSERT_TRUE(TransferBrightness(target, minimum, 100, &brightness));
                ASSERT_LE(brightness, 100u) << where();
                const double perStep = minimum / 100;
                ASSERT_LE(brightness * perStep, target * (1 + 1e-9) + 1e-12)
                    << where() << " b=" << brightness;
                ASSERT_GT((brightness + 1) * perStep, target * (1 - 1e-9))
                    << where() << " b=" << brightness;
            }
        }
    }
}

TEST(TransferTest, GivesEachMonitorTheMastersLuminance) {
    double target = 0;
    std::uint32_t brightness = 0;
    ASSERT_TRUE(TargetLuminance(60, 250, 100, &target));
    EXPECT_DOUBLE_EQ(target, 150);
    ASSERT_TRUE(TransferBrightness(target, 200, 100, &brightness));
    EXPECT_EQ(brightness, 75u);
    ASSERT_TRUE(TransferBrightness(target, 245, 60, &brightness));
    EXPECT_EQ(brightness, 36u);  // 150 / (245 / 60) = 36.7, truncated

    ASSERT_TRUE(TargetLuminance(0, 250, 100, &target));
    EXPECT_EQ(target, 0);
    ASSERT_TRUE(TransferBrightness(target, 200, 100, &brightness));
    EXPECT_EQ(brightness, 0u);
}

TEST(TransferTest, NeverWritesAboveTheMaximumOrFromNonsense) {
    std::uint32_t brightness = 0;
    ASSERT_TRUE(TransferBrightness(300, 200, 100, &brightness));
    EXPECT_EQ(brightness, 100u);

    EXPECT_FALSE(TransferBrightness(150, 200, 0, &brightness));
    EXPECT_FALSE(TransferBrightness(150, 0, 100, &brightness));
    EXPECT_FALSE(
        TransferBrightness(std::numeric_limits<double>::quiet_NaN(), 200, 100, &brightness));
    double target = 0;
    EXPECT_FALSE(TargetLuminance(50, 0, 100, &target));
    EXPECT_FALSE(TargetLuminance(50, 250, 0, &target));

    std::uint32_t percent = 0;
    EXPECT_FALSE(BrightnessPercent(50, 0, &percent));
    ASSERT_TRUE(BrightnessPercent(38, 60, &percent));
    EXPECT_EQ(percent, 63u);
}

TEST(LuminanceEstimateTest, WeighsThePrimariesByGainToTheGamma) {
    double luminance = 0;
    ASSERT_TRUE(LuminanceFromPrimaries({255, 255, 59.1}, {255, 255, 198.8}, {255, 255, 20.1}, 4,
                                       &luminance));
    EXPECT_DOUBLE_EQ(luminance, 59.1 + 198.8 + 20.1);

    ASSERT_TRUE(
        LuminanceFromPrimaries({50, 100, 60}, {50, 100, 200}, {50, 100, 20}, 4, &luminance));
    EXPECT_NEAR(luminance, std::pow(0.5, 2.2) * 280, 1e-9);
    ASSERT_TRUE(
        LuminanceFromPrimaries({50, 100, 60}, {50, 100, 200}, {50, 100, 20}, 8, &luminance));
    EXPECT_NEAR(luminance, std::pow(0.5, 3.0) * 280, 1e-9);

    // Unreported primaries count nothing; a channel without gain range counts at full.
    ASSERT_TRUE(LuminanceFromPrimaries({255, 255, 60}, {0, 0, 0}, {0, 0, 20}, 4, &luminance));
    EXPECT_DOUBLE_EQ(luminance, 80);
    // Nor do a negative, an infinite or an undefined one (a damaged record).
    const double infinite = std::numeric_limits<double>::infinity();
    ASSERT_TRUE(LuminanceFromPrimaries({255, 255, -40}, {255, 255, infinite}, {255, 255, 20}, 4,
                                       &luminance));
    EXPECT_DOUBLE_EQ(luminance, 20);
    ASSERT_TRUE(LuminanceFromPrimaries({255, 255, std::numeric_limits<double>::quiet_NaN()},
                                       {255, 255, 200}, {0, 0, 0}, 4, &luminance));
    EXPECT_DOUBLE_EQ(luminance, 200);

    EXPECT_FALSE(LuminanceFromPrimaries({0, 255, 60}, {0, 255, 200}, {0, 255, 20}, 4, &luminance));
    EXPECT_FALSE(
        LuminanceFromPrimaries({255, 255, 0}, {255, 255, 0}, {255, 255, 0}, 4, &luminance));
}

TEST(MatchSupportTest, FindsModelsByTheNamesTheyContain) {
    MatchSupport support;
    EXPECT_EQ(support.MatchModelRow("TQ6600W"), 0);
    EXPECT_EQ(support.MatchModelRow("TQ3300W-BK"), 3);
    EXPECT_EQ(support.MatchModelRow("XTQ7000Q"), 6);
    EXPECT_EQ(support.MatchModelRow("tq6600w"), -1);
    EXPECT_EQ(support.MatchModelRow("TQ8800X"), -1);
    EXPECT_FALSE(support.IsMatchModel(""));

    CMonitorStatus record;
    record.m_strModelName = "TQ6600W-S";
    double luminance = 0;
    ASSERT_TRUE(support.TableLuminance(record, 6, &luminance));
    EXPECT_DOUBLE_EQ(luminance, 278.5);
    EXPECT_FALSE(support.TableLuminance(record, 0, &luminance));
    EXPECT_FALSE(support.TableLuminance(record, 15, &luminance));
    record.m_strModelName = "TQ8800X";
    EXPECT_FALSE(support.TableLuminance(record, 6, &luminance));
}

TEST(MatchSupportTest, WizardGammaOnlyForItsModelsInModesWithGamma) {
    MatchSupport support;
    CMonitorStatus record;
    record.m_ModeInfo.words[ModeInfoBlock::kFirstModeFlags + 3] =
        kModeFlagGamma | kModeFlagBrightness;
    record.m_ModeInfo.words[ModeInfoBlock::kFirstModeFlags + 1] = kModeFlagBrightness;
    record.m_strModelName = "TQ7000Q";
    EXPECT_TRUE(support.UsesWizardGamma(record, 3));
    EXPECT_FALSE(support.UsesWizardGamma(record, 1));
    record.m_strModelName = "TQ5500W";
    EXPECT_FALSE(support.UsesWizardGamma(record, 3));
}

}  // namespace
