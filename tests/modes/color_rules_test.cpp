// What the colour page and the colour detail dialog show and allow, decided
// without windows: slider ranges, the texts beside them, enabling and pictures.
#include <gtest/gtest.h>

#include "modes/color_detail.h"
#include "modes/color_page.h"

namespace {

bool ShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

TEST(ColorPageRules, ButtonsFollowTheModeAndTheName) {
    EXPECT_EQ(ColorPageControls(false, 0x804F, "Evening", true, true), ColorPageEnabling{});
    // A mode without flags: nothing to adjust or register, but a set can still come back.
    EXPECT_EQ(ColorPageControls(true, 0, "Evening", false, true),
              (ColorPageEnabling{true, true, false, false, true, true}));
    EXPECT_EQ(ColorPageControls(true, 0x0001, "", false, false),
              (ColorPageEnabling{true, true, true, false, false, false}));
    // Typed text that names no set can be registered, not deleted or restored.
    EXPECT_EQ(ColorPageControls(true, 0x0001, "New", false, false),
              (ColorPageEnabling{true, true, true, true, false, false}));
    EXPECT_EQ(ColorPageControls(true, 0x0001, "", true, false),
              (ColorPageEnabling{true, true, true, true, true, true}));
}

TEST(ColorPageRules, OverlongNamesPutBackTheLastNameCutTo32Characters) {
    const std::string name32(32, 'a');
    EXPECT_EQ(NameToPutBack(name32, "", ShiftJisLead), std::nullopt);
    EXPECT_EQ(NameToPutBack(name32 + "b", "", ShiftJisLead), std::string());
    EXPECT_EQ(NameToPutBack(name32 + "b", "Evening", ShiftJisLead), std::string("Evening"));
    EXPECT_EQ(NameToPutBack(name32 + "b", name32 + "xyz", ShiftJisLead), name32);
    // Japanese: 32 double-byte characters are 64 bytes and still fit; cutting never
    // leaves half a character.
    std::string kanji;
    for (int i = 0; i < 33; ++i) kanji += "\x93\xFA";
    EXPECT_EQ(NameToPutBack(kanji.substr(0, 64), "", ShiftJisLead), std::nullopt);
    EXPECT_EQ(NameToPutBack(kanji, kanji, ShiftJisLead), kanji.substr(0, 64));
}

TEST(ColorDetailRules, TemperatureSliderOffersTheMonitorsPresets) {
    const std::vector<std::int32_t> presets =
        AvailablePresets((1u << 0) | (1u << 6) | (1u << 12) | (1u << 30));
    EXPECT_EQ(presets, (std::vector<std::int32_t>{0, 6, 12}));
    // The last named preset (24) is offered; the bit after it names none.
    EXPECT_EQ(AvailablePresets((1u << 23) | (1u << 24) | (1u << 25)),
              (std::vector<std::int32_t>{23, 24}));
    const SliderSetup readable = TemperatureSlider(presets, 6, true, 1);
    EXPECT_TRUE(readable.usable);
    EXPECT_EQ(readable.maximum, 2);
    EXPECT_EQ(readable.position, 1);
    // With the user preset off the last preset is held back.
    EXPECT_EQ(TemperatureSlider(presets, 12, true, 0).maximum, 1);
    // No preset at all: no slider rather than a range that ends below its start.
    EXPECT_FALSE(TemperatureSlider({}, 0, false, 0).usable);
    EXPECT_FALSE(TemperatureSlider({0}, 0, true, 0).usable);

    // Texts of the three positions, compared with the slider's upper end 2.
    EXPECT_EQ(TemperatureText(0, 2, true), "Native");
    EXPECT_EQ(TemperatureText(6, 2, true), "6500K");
    EXPECT_EQ(TemperatureText(12, 2, true), "9300K");
    EXPECT_EQ(TemperatureText(0, 2, false), "OFF");
    // Equal to the upper value: "User" when the indicator is readable, else preset 0's name.
    EXPECT_EQ(TemperatureText(14, 14, true), "User");
    EXPECT_EQ(TemperatureText(14, 14, false), "OFF");
    EXPECT_EQ(TemperatureText(25, 2, true), "") << "presets above 24 have no name";
}

TEST(ColorDetailRules, ValueTexts) {
    EXPECT_EQ(PercentText(60, 120), "50");
    EXPECT_EQ(PercentText(255, 255), "100");
    EXPECT_EQ(PercentText(50, 0), "") << "a maximum of 0 is no division";
    EXPECT_EQ(PercentText(65535, 65535), "100");
}

TEST(ColorDetailRules, GammaSliderSpansTheOfferedSteps) {
    const SliderSetup steps = GammaSlider(0b000111100, 4);
    EXPECT_TRUE(steps.usable);
    EXPECT_EQ(steps.minimum, 2);
    EXPECT_EQ(steps.maximum, 5);
    EXPECT_EQ(steps.position, 4);
    const SliderSetup none = GammaSlider(0x1FF, 0xFF);
    EXPECT_FALSE(none.usable);
    EXPECT_EQ(none.maximum, 8);
    EXPECT_FALSE(GammaSlider(0, 4).usable);
}

TEST(ColorDetailRules, ControlsAndPicturesFollowTheModeFlags) {
    CMonitorColor color;
    color.m_bColorTempValid = 1;
    color.m_bBrightnessValid = 1;
    color.m_bContrastValid = 0;
    color.m_bGammaValid = 1;
    EXPECT_EQ(DetailControls(color, 0x804F), (DetailEnabling{true, true, false, true, true, true}));
    EXPECT_EQ(DetailControls(color, 0x000D),
              (DetailEnabling{true, true, false, true, false, false}))
        << "without flag 0x8000 the reset stays off";
    EXPECT_EQ(ColorBarBitmap(true, true, false), 156u);
    EXPECT_EQ(ColorBarBitmap(true, true, true), 158u);
    EXPECT_EQ(ColorBarBitmap(true, false, false), 270u);
    EXPECT_EQ(ColorBarBitmap(false, true, true), 181u);
    EXPECT_EQ(ColorBarBitmap(false, false, false), 272u);
}

}  // namespace
