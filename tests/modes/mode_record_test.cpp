// Simulated mode information: what a description encodes to is what the program's
// parser reads back, and broken descriptions are refused with a reason.
#include "sim/mode_record.h"

#include <gtest/gtest.h>

#include "monitor/mode_info_block.h"
#include "sim/desk_config.h"

namespace {

ModeInfoBlock RoundTrip(const sim::ModeRecordDescription& description) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(sim::EncodeModeRecord(description, &bytes, &error)) << error;
    EXPECT_LE(bytes.size(), 255u);
    ModeInfoBlock block;
    EXPECT_TRUE(ParseModeInfo(bytes.data(), bytes.size(), &block));
    return block;
}

TEST(ModeRecord, DescriptionSurvivesTheProgramsParser) {
    sim::ModeRecordDescription description;
    description.modes = {0, 1, 2, 17, 22, 47, 48};
    description.presetMask = 0x01FFFFFF;
    description.gammaMask = 0x1FF;
    description.sound = 0x21;
    description.quad = 0x08;
    description.modeFlags = {{17, 0x0001}, {47, 0x00012345}};
    const ModeInfoBlock block = RoundTrip(description);
    EXPECT_EQ(block.ModeMask(), 0x8000800000420007ull);
    EXPECT_EQ(block.PresetMask(), 0x01FFFFFFu);
    EXPECT_EQ(block.GammaMask(), 0x1FFu);
    EXPECT_EQ(block.SoundWord(), 0x80000021u);
    EXPECT_TRUE(block.HasQuadSet());
    EXPECT_EQ(block.ModeFlags(17), 0x0001u);
    EXPECT_EQ(block.ModeFlags(47), 0x12345u);
    EXPECT_EQ(block.ModeFlags(0), 0x800Du);  // catalogue default
}

TEST(ModeRecord, EveryModeWithARecordTypeCanCarryFlags) {
    for (int mode : {0, 1, 2, 3, 4, 5, 6, 8, 14, 17, 22, 23, 24, 31, 33, 34, 36, 47}) {
        sim::ModeRecordDescription description;
        description.modeFlags = {{mode, 0x0042}};
        EXPECT_EQ(RoundTrip(description).ModeFlags(mode), 0x42u) << mode;
    }
}

TEST(ModeRecord, IncompatibleFirmwareIsRefusedByTheProgram) {
    sim::ModeRecordDescription description;
    description.modes = {0};
    description.compatibility = 0x0F;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(sim::EncodeModeRecord(description, &bytes, nullptr));
    ModeInfoBlock block;
    EXPECT_FALSE(ParseModeInfo(bytes.data(), bytes.size(), &block));
}

TEST(ModeRecord, JsonDescriptions) {
    sim::ModeRecordDescription description;
    std::string error;
    ASSERT_TRUE(sim::ParseModeRecordDescription(
        nlohmann::json::parse(R"({"modes": [0, 17], "presets": "0x1FFFFFF", "gammaSteps": 511,
                                   "sound": 1, "quad": "0x1", "flags": {"17": "0x0001"}})"),
        &description, &error))
        << error;
    EXPECT_EQ(description.modes, (std::vector<int>{0, 17}));
    EXPECT_EQ(description.presetMask, 0x1FFFFFFu);
    EXPECT_EQ(description.gammaMask, 511u);
    EXPECT_EQ(description.quad, 1u);
    EXPECT_EQ(description.modeFlags.at(17), 1u);

    const char* const broken[] = {
        R"([1, 2])",
        R"({"modes": [49]})",
        R"({"modes": "0 1"})",
        R"({"presets": "0x1G"})",
        R"({"presets": -1})",
        R"({"presets": "0x100000000"})",
        R"({"flags": {"x": 1}})",
        R"({"flags": {"17": "high"}})",
        R"({"mode": [0]})",
    };
    for (const char* text : broken) {
        error.clear();
        EXPECT_FALSE(
            sim::ParseModeRecordDescription(nlohmann::json::parse(text), &description, &error))
            << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(ModeRecord, UnencodableDescriptionsAreRefused) {
    sim::ModeRecordDescription description;
    std::vector<std::uint8_t> bytes = {1, 2, 3};
    std::string error;
    description.modeFlags = {{7, 0x0001}};  // CAL has no flags record
    EXPECT_FALSE(sim::EncodeModeRecord(description, &bytes, &error));
    EXPECT_NE(error.find("mode 7"), std::string::npos);
    description.modeFlags.clear();
    description.modes = {-1};
    EXPECT_FALSE(sim::EncodeModeRecord(description, &bytes, &error));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(ModeRecord, DeskConfigurationsDescribeBlockOne) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::LoadDeskConfig(
        std::string(VISTREL_SOURCE_DIR) + "/sim/configs/default-desk.json", &config, &error))
        << error;
    const auto& first = config.displays.at(0).monitors.at(0);
    ModeInfoBlock block;
    ASSERT_TRUE(ParseModeInfo(first.modeRecord.data(), first.modeRecord.size(), &block));
    EXPECT_EQ(block.ModeMask(), 0x000000048042001Full);
    EXPECT_EQ(block.ModeFlags(17), 0x800Du);
    EXPECT_EQ(block.PresetMask(), 0x7FFFu);
    EXPECT_TRUE(block.HasQuadSet());
    EXPECT_NE(block.SoundWord(), 0u);
    const auto& second = config.displays.at(1).monitors.at(0);
    ASSERT_TRUE(ParseModeInfo(second.modeRecord.data(), second.modeRecord.size(), &block));
    EXPECT_EQ(block.ModeFlags(47), 0x804Fu);
    EXPECT_FALSE(block.HasQuadSet());
    EXPECT_EQ(block.SoundWord(), 0u);

    const char* const broken[] = {
        R"({"displays":[{"device":"\\\\.\\DISPLAY1","rect":{"x":0,"y":0,"width":8,"height":8},
            "monitors":[{"modeInfo":{"modes":[50]}}]}]})",
        R"({"displays":[{"device":"\\\\.\\DISPLAY1","rect":{"x":0,"y":0,"width":8,"height":8},
            "monitors":[{"modeInfo":{"modes":[0]},"modeRecord":"FF"}]}]})",
        R"({"displays":[{"device":"\\\\.\\DISPLAY1","rect":{"x":0,"y":0,"width":8,"height":8},
            "monitors":[{"modeInfo":{"flags":{"9":1}}}]}]})",
    };
    for (const char* text : broken) {
        error.clear();
        EXPECT_FALSE(sim::ParseDeskConfig(text, &config, &error)) << text;
        EXPECT_NE(error.find("monitors[0]"), std::string::npos) << error;
    }
}

}  // namespace
