// Desk descriptions: the shipped default desk, and broken descriptions that
// must be turned away with a message that leads to the mistake.
#include <cstdio>

#include <gtest/gtest.h>

#include "sim_test_support.h"
#include "sim/desk_config.h"

namespace {

using sim::RegisterKey;

const std::string kDefaultDesk = std::string(VISTREL_SOURCE_DIR) + "/sim/configs/default-desk.json";

TEST(SimDefaultDesk, DescribesTwoMakerModelsAndAnotherMonitor) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::LoadDeskConfig(kDefaultDesk, &config, &error)) << error;
    ASSERT_EQ(config.displays.size(), 2u);
    EXPECT_EQ(config.displays[0].device, "\\\\.\\DISPLAY1");
    EXPECT_EQ(config.displays[0].rect, (platform::Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(config.displays[1].rect, (platform::Rect{1280, 0, 2304, 768}));
    EXPECT_EQ(config.statePath.substr(config.statePath.size() - 23), "default-desk.state.json");

    std::vector<std::string> models;
    int others = 0;
    for (const auto& display : config.displays)
        for (const auto& monitor : display.monitors) {
            if (monitor.maker)
                models.push_back(monitor.model);
            else
                ++others;
            EXPECT_NE(monitor.capabilities.find(")mswhql("), std::string::npos);
            EXPECT_NE(monitor.capabilities.find(")mccs_ver("), std::string::npos);
        }
    EXPECT_EQ(models, (std::vector<std::string>{"TQ6600W", "TQ3300W"}));
    EXPECT_EQ(others, 1);
}

// Every register the texts announce answers a read (commands excepted), on
// the page the texts put it on.
TEST(SimDefaultDesk, EveryAnnouncedRegisterAnswers) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::LoadDeskConfig(kDefaultDesk, &config, &error)) << error;
    config.statePath.clear();
    testing_support::VirtualClock clock;
    sim::Desk desk(config, clock);
    for (int m = 0; m < desk.MonitorCount(); ++m) {
        const auto& monitor = desk.ConfigOf(m);
        std::string texts = monitor.capabilities + " " + monitor.extendedCapabilities;
        const auto handle = desk.HandleOf(m);
        auto get = [&](std::uint8_t code) {
            std::uint32_t type = 0, current = 0, maximum = 0;
            const bool ok =
                desk.GetVCPFeatureAndVCPFeatureReply(handle, code, &type, &current, &maximum) == 1;
            clock.Sleep(20);
            return ok;
        };
        auto select = [&](std::uint16_t page) {
            const bool ok = desk.SetVCPFeature(handle, 0xE1, page) == 1;
            clock.Sleep(20);
            return ok;
        };
        for (const auto& [key, value] : monitor.registers) {
            if (monitor.maker) {
                ASSERT_TRUE(select(key.page)) << monitor.id << " page " << key.page;
            }
            EXPECT_TRUE(get(key.code)) << monitor.id << " " << sim::FormatRegisterKey(key);
        }
        if (monitor.maker) {
            ASSERT_TRUE(select(0x10));
            for (std::uint8_t code = 0xE2; code <= 0xED; ++code)
                EXPECT_TRUE(get(code)) << monitor.id;
        }
    }
    EXPECT_EQ(desk.SettleViolations(), 0u);
}

TEST(SimDefaultDesk, ModeRecordsAnnounceWhatTheMonitorsDo) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::LoadDeskConfig(kDefaultDesk, &config, &error)) << error;
    for (const auto& display : config.displays)
        for (const auto& monitor : display.monitors) {
            if (!monitor.maker) continue;
            const auto& r = monitor.modeRecord;
            bool compatible = false;
            std::uint64_t mask = 0;
            for (std::size_t at = 0; at + 1 < r.size() && r[at] != 0xFF; at += 2u + r[at + 1]) {
                ASSERT_LE(at + 2u + r[at + 1], r.size()) << monitor.model;
                if (r[at] == 4) compatible = (r[at + 2] & 0x10) != 0;
                if (r[at] == 5)
                    for (std::size_t i = 0; i < r[at + 1]; ++i)
                        mask |= std::uint64_t{r[at + 2 + i]} << (8 * i);
            }
            EXPECT_TRUE(compatible) << monitor.model;
            // The modes offered are exactly the values the mode register accepts.
            std::string values;
            for (int mode = 0; mode < 48; ++mode)
                if (mask >> mode & 1) {
                    char hex[4];
                    std::snprintf(hex, sizeof hex, "%02X ", mode);
                    values += hex;
                }
            values.pop_back();
            EXPECT_NE(monitor.extendedCapabilities.find("30(E2(" + values + ")"), std::string::npos)
                << monitor.model << " modes " << values;
        }
}

struct BadConfig {
    const char* name;
    std::string json;
    const char* message;  // must appear in the error
};

std::string OneMonitor(const std::string& monitorFields) {
    return R"({"displays":[{"device":"\\\\.\\DISPLAY1","rect":{"x":0,"y":0,"width":800,"height":600},)"
           R"("monitors":[{)" +
           monitorFields + "}]}]}";
}

class SimRejectedConfig : public ::testing::TestWithParam<BadConfig> {};

TEST_P(SimRejectedConfig, NamesTheMistake) {
    sim::DeskConfig config;
    config.latency = sim::Latency::DdcCi;
    std::string error;
    EXPECT_FALSE(sim::ParseDeskConfig(GetParam().json, &config, &error));
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
    EXPECT_EQ(config.latency, sim::Latency::DdcCi) << "a failed parse leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(
    SimDesk, SimRejectedConfig,
    ::testing::Values(
        BadConfig{"NotJson", "{\"displays\": [", "not valid JSON"},
        BadConfig{"Empty", "", "not valid JSON"},
        BadConfig{"TopLevelArray", "[]", "desk: must be an object"},
        BadConfig{"NoDisplays", "{}", "needs \"displays\""},
        BadConfig{"UnknownField", R"({"displays":[],"dispalys":[]})", "unknown field \"dispalys\""},
        BadConfig{"BadLatency", R"({"displays":[],"latency":"slow"})", "latency: must be"},
        BadConfig{"NoRect", R"({"displays":[{"device":"X"}]})", "displays[0]: needs \"rect\""},
        BadConfig{"EmptyRect",
                  R"({"displays":[{"device":"X","rect":{"x":0,"y":0,"width":0,"height":5}}]})",
                  "displays[0].rect: must not be empty"},
        BadConfig{"TwiceTheSameDisplay",
                  R"({"displays":[{"device":"A","rect":{"x":0,"y":0,"width":1,"height":1}},)"
                  R"({"device":"a","rect":{"x":1,"y":0,"width":1,"height":1}}]})",
                  "displays[1].device: names a display twice"},
        BadConfig{"BadRegisterName", OneMonitor(R"("registers":{"1G":5})"),
                  "registers.\"1G\": not a register"},
        BadConfig{"RegisterTwice", OneMonitor(R"("registers":{"10":5,"010":6})"), "given twice"},
        BadConfig{"AboveMaximum", OneMonitor(R"("registers":{"10":[101,100]})"),
                  "above the maximum"},
        BadConfig{"NegativeValue", OneMonitor(R"("registers":{"10":-1})"),
                  "whole number from 0 to 65535"},
        BadConfig{"FractionalValue", OneMonitor(R"("registers":{"10":1.5})"), "whole number"},
        BadConfig{"PageSelectStored", OneMonitor(R"("registers":{"E1":0})"), "page select"},
        BadConfig{"BlockRegisterStored", OneMonitor(R"("registers":{"10:E2":0})"),
                  "made from the blocks"},
        BadConfig{
            "AnnouncedButMissing",
            OneMonitor(
                R"j("capabilities":"vcp(10 12 62 E0 E1)mswhql(1)mccs_ver(2.1)","registers":{"10":1})j"),
            "lacks: 12 62"},
        BadConfig{
            "ExtendedAnnouncedButMissing",
            OneMonitor(
                R"j("extendedCapabilities":"10(E2 E3 E4)30(E2 E3)","registers":{"30:E2":1})j"),
            "lacks: 30:E3"},
        BadConfig{"ModeRecordNotHex", OneMonitor(R"("modeRecord":"04 01 1G")"),
                  "'G' is not a hex digit"},
        BadConfig{"ModeRecordOdd", OneMonitor(R"("modeRecord":"04 01 1")"), "odd number"},
        BadConfig{"ModeRecordByteTooBig", OneMonitor(R"("modeRecord":[4,1,256])"), "modeRecord[2]"},
        BadConfig{"FailRateAboveOne", OneMonitor(R"("faults":{"failRate":1.5})"),
                  "failRate: must be"},
        BadConfig{"NoSuchBlock", OneMonitor(R"("faults":{"dropBlockRead":{"block":4}})"),
                  "block: must be"},
        BadConfig{"FailReadNotRegister", OneMonitor(R"("faults":{"failReads":["ZZ"]})"),
                  "failReads[0]"},
        BadConfig{"DuplicateId",
                  R"({"displays":[{"device":"A","rect":{"x":0,"y":0,"width":1,"height":1},)"
                  R"("monitors":[{"id":"x","maker":false},{"id":"x","maker":false}]}]})",
                  "monitors[1].id: is used twice"},
        BadConfig{"DeeplyNested", std::string(5000, '[') + std::string(5000, ']'),
                  "desk: must be an object"}),
    [](const ::testing::TestParamInfo<BadConfig>& info) { return std::string(info.param.name); });

TEST(SimDeskConfig, AcceptsEveryRegisterFormAndNotes) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::ParseDeskConfig(
        OneMonitor(
            R"j("_note":"ignored","maker":true,"capabilities":"vcp(10 12 14 E0 E1)mswhql(1)mccs_ver(2.1)",)j"
            R"("registers":{"10":7,"12":[3,9],"14":{"current":2,"maximum":4,"readOnly":true}},)"
            R"("modeRecord":[4,1,16],"faults":{"failReads":["30:E2","12"],"seed":9})"),
        &config, &error))
        << error;
    const auto& m = config.displays[0].monitors[0];
    EXPECT_EQ(m.registers.at(RegisterKey{0, 0x10}).maximum, 0xFFFF);
    EXPECT_EQ(m.registers.at(RegisterKey{0, 0x12}).maximum, 9);
    EXPECT_TRUE(m.registers.at(RegisterKey{0, 0x14}).readOnly);
    ASSERT_EQ(m.faults.failReads.size(), 2u);
    EXPECT_FALSE(m.faults.failReads[0].anyPage);
    EXPECT_TRUE(m.faults.failReads[1].anyPage);
    EXPECT_TRUE(config.statePath.empty());
}

// Another maker's monitor may list 0xE0 and 0xE1 as registers of its own: they
// hold what is written and page nothing, and 0xE2 on stays a plain register.
TEST(SimDeskConfig, AnotherMakersMonitorCanListE0AndE1AsPlainRegisters) {
    sim::DeskConfig config;
    std::string error;
    ASSERT_TRUE(sim::ParseDeskConfig(
        OneMonitor(R"j("maker":false,"capabilities":"vcp(10 E0 E1 E2)mccs_ver(2.1)",)j"
                   R"("registers":{"10":5,"E0":[0,255],"E1":[3,255],"E2":[9,255]})"),
        &config, &error))
        << error;
    simtest::Host host(config);
    EXPECT_EQ(host.Read(0xE1), 3u);
    ASSERT_TRUE(host.Set(0xE1, 0x30));
    EXPECT_EQ(host.Read(0xE1), 0x30u);
    EXPECT_EQ(host.Read(0xE2), 9u) << "no page is selected on another maker's monitor";
    ASSERT_TRUE(host.Set(0xE0, 77));
    EXPECT_EQ(host.Read(0xE0), 77u);
    EXPECT_FALSE(host.Set(0xE1, 300)) << "its own maximum still holds";

    EXPECT_FALSE(sim::ParseDeskConfig(
        OneMonitor(
            R"j("maker":false,"capabilities":"vcp(10 E1)mccs_ver(2.1)","registers":{"10":5})j"),
        &config, &error));
    EXPECT_NE(error.find("lacks: E1"), std::string::npos) << error;
}

TEST(SimDeskConfig, MissingFileIsNamed) {
    testing_support::VirtualClock clock;
    std::string error;
    EXPECT_EQ(sim::LoadDesk("/nonexistent/desk.json", clock, &error), nullptr);
    EXPECT_NE(error.find("/nonexistent/desk.json"), std::string::npos) << error;
}

}  // namespace
