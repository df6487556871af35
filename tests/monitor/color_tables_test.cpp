// Constant colour tables: lookups at and beyond their edges.
#include "monitor/color_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ColorTables, PresetLabels) {
    EXPECT_STREQ(ColorTemperatureLabel(0), "OFF");
    EXPECT_STREQ(ColorTemperatureLabel(1), "4000K");
    EXPECT_STREQ(ColorTemperatureLabel(11), "9000K");
    EXPECT_STREQ(ColorTemperatureLabel(12), "9300K");
    EXPECT_STREQ(ColorTemperatureLabel(13), "9500K");
    EXPECT_STREQ(ColorTemperatureLabel(24), "15000K");
    EXPECT_EQ(ColorTemperatureLabel(-1), nullptr);
    EXPECT_EQ(ColorTemperatureLabel(25), nullptr);
}

TEST(ColorTables, GammaStepsAndTheirText) {
    const char* const texts[kGammaStepCount] = {"1.4", "1.6", "1.8", "2.0", "2.2",
                                                "2.4", "2.6", "2.8", "3.0"};
    for (int step = 0; step < kGammaStepCount; ++step) {
        EXPECT_EQ(GammaText(step), texts[step]) << step;
        EXPECT_DOUBLE_EQ(GammaValue(step), 1.4 + 0.2 * step);
    }
    EXPECT_EQ(GammaText(kDefaultGammaStep), "2.2");
}

TEST(ColorTables, LuminanceOnlyForKnownModelsAndPresetsOneToFourteen) {
    double value = -1;
    EXPECT_EQ(LuminanceModelRow("TQ6600W"), 0);
    EXPECT_EQ(LuminanceModelRow("TQ7000Q"), 6);
    EXPECT_EQ(LuminanceModelRow("tq6600w"), -1);
    EXPECT_EQ(LuminanceModelRow(""), -1);
    EXPECT_STREQ(LuminanceModelName(3), "TQ3300W");
    EXPECT_EQ(LuminanceModelName(7), nullptr);

    ASSERT_TRUE(TableLuminance(0, 6, &value));
    EXPECT_DOUBLE_EQ(value, 278.5);
    ASSERT_TRUE(TableLuminance(1, 1, &value));
    EXPECT_DOUBLE_EQ(value, 215.5);
    ASSERT_TRUE(TableLuminance(5, 14, &value));
    EXPECT_DOUBLE_EQ(value, 164.9);

    value = -1;
    EXPECT_FALSE(TableLuminance(0, 0, &value));
    EXPECT_FALSE(TableLuminance(0, 15, &value));
    EXPECT_FALSE(TableLuminance(-1, 6, &value));
    EXPECT_FALSE(TableLuminance(7, 6, &value));
    EXPECT_EQ(value, -1);
}

}  // namespace
