// Primaries that follow the colour temperature preset, the luminance readout, and
// the match desk built on them.
#include <cmath>

#include <gtest/gtest.h>

#include "sim/desk_config.h"
#include "sim/luminance_readout.h"
#include "sim_test_support.h"

namespace {

using sim::RegisterKey;

sim::MonitorConfig WithPrimaries() {
    sim::MonitorConfig m = simtest::MakerMonitor();
    m.extendedCapabilities.replace(m.extendedCapabilities.find("E5)"), 3, "E5 EF F0 F1)");
    m.registers[RegisterKey{0x30, 0xEF}] = {600, 700, true};
    m.registers[RegisterKey{0x30, 0xF0}] = {2000, 2200, true};
    m.registers[RegisterKey{0x30, 0xF1}] = {200, 250, true};
    m.primariesByPreset[3] = {650, 1800, 150};
    return m;
}

std::unique_ptr<sim::Desk> OneMonitorDesk(sim::MonitorConfig monitor,
                                          testing_support::VirtualClock& clock) {
    sim::DeskConfig config;
    sim::DisplayConfig display;
    display.device = "\\\\.\\DISPLAY1";
    display.rect = {0, 0, 1280, 1024};
    display.monitors.push_back(std::move(monitor));
    config.displays.push_back(display);
    return std::make_unique<sim::Desk>(std::move(config), clock);
}

TEST(SimPrimaries, FollowThePresetOverDdcAndFromOutside) {
    testing_support::VirtualClock clock;
    auto desk = OneMonitorDesk(WithPrimaries(), clock);
    const auto handle = desk->HandleOf(0);
    std::uint32_t type = 0, current = 0, maximum = 0;

    ASSERT_EQ(desk->SetVCPFeature(handle, 0xE1, 0x30), 1);
    clock.Advance(20);
    ASSERT_EQ(desk->GetVCPFeatureAndVCPFeatureReply(handle, 0xEF, &type, &current, &maximum), 1);
    EXPECT_EQ(current, 600u);  // preset 6 has no entry: the register's value
    EXPECT_EQ(maximum, 700u);

    clock.Advance(20);
    ASSERT_EQ(desk->SetVCPFeature(handle, 0xE3, 3), 1);
    clock.Advance(300);
    ASSERT_EQ(desk->GetVCPFeatureAndVCPFeatureReply(handle, 0xF0, &type, &current, &maximum), 1);
    EXPECT_EQ(current, 1800u);
    EXPECT_EQ(maximum, 2200u);
    std::uint16_t blue = 0;
    ASSERT_TRUE(desk->ReadRegister(0, {0x30, 0xF1}, &blue));
    EXPECT_EQ(blue, 150);
    // The primaries stay read-only.
    clock.Advance(20);
    EXPECT_NE(desk->SetVCPFeature(handle, 0xEF, 100), 1);
}

TEST(SimPrimaries, ReadoutWeighsPrimariesByGainGammaAndBrightness) {
    testing_support::VirtualClock clock;
    auto desk = OneMonitorDesk(WithPrimaries(), clock);
    sim::LuminanceReadout readout;
    ASSERT_TRUE(sim::ReadLuminance(*desk, 0, &readout));
    const double white = std::pow(200 / 255.0, 2.2) * 60 + std::pow(210 / 255.0, 2.2) * 200 +
                         std::pow(220 / 255.0, 2.2) * 20;
    EXPECT_NEAR(readout.white, white, 1e-9);
    EXPECT_NEAR(readout.luminance, white * 60 / 100, 1e-9);
    EXPECT_TRUE(readout.fromPrimaries);

    // Gamma step 8 is 3.0; full gains leave only the primaries.
    desk->SetRegister(0, {0x30, 0xE4}, 8);
    for (std::uint8_t gain : {0x16, 0x18, 0x1A}) desk->SetRegister(0, {0, gain}, 255);
    desk->SetRegister(0, {0x30, 0xE3}, 3);
    ASSERT_TRUE(sim::ReadLuminance(*desk, 0, &readout));
    EXPECT_NEAR(readout.white, 65 + 180 + 15, 1e-9);

    sim::MonitorConfig table = simtest::MakerMonitor();
    table.whiteLuminance[6] = 245.0;
    auto tableDesk = OneMonitorDesk(table, clock);
    ASSERT_TRUE(sim::ReadLuminance(*tableDesk, 0, &readout));
    EXPECT_DOUBLE_EQ(readout.luminance, 245.0 * 60 / 100);
    EXPECT_FALSE(readout.fromPrimaries);
    tableDesk->SetRegister(0, {0x30, 0xE3}, 5);
    EXPECT_FALSE(sim::ReadLuminance(*tableDesk, 0, &readout));
}

TEST(SimPrimaries, MatchDeskHasTheMonitorsTheWizardMustCope) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::LoadDeskConfig(
        std::string(VISTREL_SOURCE_DIR) + "/sim/configs/match-desk.json", &config, &error))
        << error;
    ASSERT_EQ(config.displays.size(), 2u);
    ASSERT_EQ(config.displays[1].monitors.size(), 3u);
    const sim::MonitorConfig& master = config.displays[0].monitors[0];
    const sim::MonitorConfig& noPrimaries = config.displays[1].monitors[0];
    const sim::MonitorConfig& narrow = config.displays[1].monitors[1];
    EXPECT_FALSE(master.primariesByPreset.empty());
    EXPECT_EQ(noPrimaries.registers.count(RegisterKey{0x30, 0xEF}), 0u);
    EXPECT_EQ(narrow.registers.at(RegisterKey{0, 0x10}).maximum, 60);
    EXPECT_EQ(narrow.registers.at(RegisterKey{0, 0x1A}).maximum, 0);
    EXPECT_EQ(config.displays[1].monitors[2].model, "TQ8800X");
}

TEST(SimPrimaries, BadTablesAreNamed) {
    const std::string prefix =
        R"({"displays":[{"device":"A","rect":{"x":0,"y":0,"width":1,"height":1},"monitors":[{)";
    const std::string suffix = "}]}]}";
    sim::DeskConfig config;
    std::string error;
    EXPECT_FALSE(
        sim::ParseDeskConfig(prefix + R"("primaries":{"6":[1,2]})" + suffix, &config, &error));
    EXPECT_NE(error.find("primaries.\"6\": must be [red, green, blue]"), std::string::npos)
        << error;
    EXPECT_FALSE(
        sim::ParseDeskConfig(prefix + R"("primaries":{"x":[1,2,3]})" + suffix, &config, &error));
    EXPECT_NE(error.find("not a preset number"), std::string::npos) << error;
    EXPECT_FALSE(
        sim::ParseDeskConfig(prefix + R"("whiteLuminance":{"6":-1})" + suffix, &config, &error));
    EXPECT_NE(error.find("whiteLuminance.\"6\""), std::string::npos) << error;
}

}  // namespace
