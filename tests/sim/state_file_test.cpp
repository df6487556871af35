// The state file: monitors remember their settings across program runs, and
// a damaged file never stops a desk from starting or spreads its damage.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "sim_test_support.h"
#include "sim/desk_config.h"

namespace {

namespace fs = std::filesystem;
using sim::RegisterKey;

class SimStateFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / simtest::ScratchName("sim-state");
        fs::create_directories(folder);
        config = simtest::SingleMakerDesk();
        config.statePath = (folder / "desk.state.json").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Contents() {
        std::ifstream file(config.statePath);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void Write(const std::string& text) { std::ofstream(config.statePath) << text; }

    fs::path folder;
    sim::DeskConfig config;
};

TEST_F(SimStateFile, SettingsSurviveARestart) {
    {
        simtest::Host host(config);
        ASSERT_TRUE(host.Set(0x10, 33));
        ASSERT_TRUE(host.Set(0xE0, 1234));
        ASSERT_TRUE(host.Set(0xE1, 0xE0));
        ASSERT_TRUE(host.Set(0xE4, 7));  // staged, not committed
    }
    simtest::Host again(config);
    EXPECT_EQ(again.desk.StateLoadProblem(), "");
    EXPECT_EQ(again.desk.SelectedPage(0), 0xE0);
    EXPECT_EQ(again.Read(0x10), 33u);
    EXPECT_EQ(again.Read(0xE0), 1234u) << "an owner that never released is still there";
    std::uint16_t pending[4] = {};
    ASSERT_TRUE(again.desk.PendingQuad(0, pending));
    EXPECT_EQ(pending[0], 7);
    EXPECT_EQ(again.Read(0xE4), 50u);
}

TEST_F(SimStateFile, OnlyWritesThatTookEffectAreSaved) {
    simtest::Host host(config);
    ASSERT_TRUE(host.Get(0x10));
    EXPECT_FALSE(fs::exists(config.statePath)) << "reads leave the file alone";
    EXPECT_FALSE(host.Set(0x10, 500));
    EXPECT_FALSE(fs::exists(config.statePath));
    ASSERT_TRUE(host.Set(0x10, 5));
    EXPECT_TRUE(fs::exists(config.statePath));
    EXPECT_NE(Contents().find("\"10\": 5"), std::string::npos) << Contents();
    // Nothing but the state file remains: the temporary file was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(SimStateFile, FactorySettingsComeFromTheConfigurationNotTheState) {
    {
        simtest::Host host(config);
        ASSERT_TRUE(host.Set(0x16, 1));
    }
    simtest::Host again(config);
    EXPECT_EQ(again.Read(0x16), 1u);
    ASSERT_TRUE(again.Set(0x08, 1));
    EXPECT_EQ(again.Read(0x16), 200u);
}

struct Damage {
    const char* name;
    const char* text;
    bool problem;
};

class SimDamagedStateFile : public SimStateFile, public ::testing::WithParamInterface<Damage> {};

TEST_P(SimDamagedStateFile, StartsFromWhatCanBeUsedAndHealsOnTheNextWrite) {
    Write(GetParam().text);
    simtest::Host host(config);
    EXPECT_EQ(!host.desk.StateLoadProblem().empty(), GetParam().problem)
        << host.desk.StateLoadProblem();
    EXPECT_EQ(host.Read(0x12), 50u) << "nothing usable for 0x12 in any of these";
    ASSERT_TRUE(host.Set(0x12, 9));
    sim::DeskConfig reread = config;
    simtest::Host after(reread);
    EXPECT_EQ(after.desk.StateLoadProblem(), "");
    EXPECT_EQ(after.Read(0x12), 9u);
}

INSTANTIATE_TEST_SUITE_P(
    SimCases, SimDamagedStateFile,
    ::testing::Values(Damage{"Garbage", "\x01\x02 not json {", true},
                      Damage{"Truncated", "{\"monitors\": {\"DISPLAY1-1\"", true},
                      Damage{"WrongShape", "[1, 2, 3]", true},
                      Damage{"NoMonitors", "{\"format\": 1}", true},
                      Damage{"UnknownMonitor",
                             "{\"monitors\": {\"elsewhere\": {\"registers\": {\"12\": 1}}}}",
                             false},
                      Damage{"BadValues",
                             "{\"monitors\": {\"DISPLAY1-1\": {\"registers\": {\"12\": 500, "
                             "\"ZZ\": 1, \"10\": \"x\", "
                             "\"77\": 1}, \"page\": 99, \"pendingQuad\": [1]}}}",
                             true}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(SimStateFile, UsableEntriesSurviveBesideBadOnes) {
    Write(
        "{\"monitors\": {\"DISPLAY1-1\": {\"registers\": {\"12\": 500, \"10\": 44}, \"page\": "
        "48}}}");
    simtest::Host host(config);
    EXPECT_NE(host.desk.StateLoadProblem().find("12 out of range"), std::string::npos);
    EXPECT_EQ(host.Read(0x10), 44u);
    EXPECT_EQ(host.Read(0x12), 50u);
    EXPECT_EQ(host.desk.SelectedPage(0), 0x30);
}

// Two desks on one state file stand for two processes: the program and a test
// that changes a monitor from outside while the program runs.
TEST_F(SimStateFile, ChangesFromAnotherProcessArriveWithTheNextCommand) {
    simtest::Host program(config);
    ASSERT_TRUE(program.Set(0x10, 20));
    simtest::Host outside(config);
    ASSERT_TRUE(outside.Set(0xE0, 777));
    EXPECT_EQ(program.Read(0xE0), 777u);
    EXPECT_EQ(program.Read(0x10), 20u);

    // A damaged replacement is not taken in; the program keeps what it had.
    Write("{ half a file");
    EXPECT_EQ(program.Read(0xE0), 777u);
    EXPECT_NE(program.desk.StateLoadProblem(), "");
}

// Where file times have whole seconds (the Windows runtime of the stand-in DLLs),
// a change from outside within the same second and of the same length, 60 to
// 30, must still be seen.
TEST_F(SimStateFile, AChangeOfTheSameLengthWithinTheSameFileTimeArrives) {
    simtest::Host program(config);
    ASSERT_TRUE(program.Set(0x10, 60));
    const auto stamped = fs::last_write_time(config.statePath);
    simtest::Host outside(config);
    ASSERT_TRUE(outside.desk.SetRegister(0, RegisterKey{0, 0x10}, 30));
    fs::last_write_time(config.statePath, stamped);
    EXPECT_EQ(program.Read(0x10), 30u);
}

TEST(SimStatePath, SitsBesideTheConfiguration) {
    EXPECT_EQ(sim::StatePathFor("/a/b/desk.json"), "/a/b/desk.state.json");
    EXPECT_EQ(sim::StatePathFor("C:\\x.y\\desk"), "C:\\x.y\\desk.state.json");
    EXPECT_EQ(sim::StatePathFor("desk"), "desk.state.json");
}

}  // namespace
