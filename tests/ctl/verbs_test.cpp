// Every verb against the default simulated desk, through the Linux transport at
// the byte level: what the script reads, the registers it leaves behind, and
// that the owner register is given back whatever happened.
#include <algorithm>

#include "ctl_fixture.h"

namespace ctltest {
namespace {

const std::string kOwn = "E0=" + std::to_string(kOwnProcessId);

class Verbs : public CtlDesk {
protected:
    void ExpectNothingClaimed() {
        for (int m = 0; m < 2; ++m) EXPECT_EQ(Register(m, 0, 0xE0), 0) << "monitor " << m;
    }
    void TearDown() override {
        for (const auto& front : fronts) EXPECT_EQ(front->Stats().earlyReads, 0u);
        EXPECT_EQ(desk->SettleViolations(), 0u);
        CtlDesk::TearDown();
    }
};

TEST_F(Verbs, DetectListsEveryMonitorWithItsIdentity) {
    RunResult run = Run({"detect"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out,
              "0  card0-DP-1  TQ6600W  26114073  maker  lcd\n"
              "1  card0-DP-2  TQ3300W  81200512  maker  lcd\n"
              "2  card0-DP-3  KESTREL 19  -  other  LCD\n");
    EXPECT_EQ(run.err, "");
    ExpectNothingClaimed();

    run = Run({"detect", "--json"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.rfind("[{\"index\":0,\"display\":\"card0-DP-1\",\"model\":\"TQ6600W\","
                            "\"serial\":\"26114073\",\"maker\":true,"
                            "\"type\":\"lcd\",\"usable\":true},",
                            0),
              0u);
    EXPECT_NE(run.out.find("{\"index\":2,\"display\":\"card0-DP-3\",\"model\":\"KESTREL "
                           "19\",\"serial\":\"\",\"maker\":false"),
              std::string::npos);
}

TEST_F(Verbs, CapsShowsStandardCodesAndTheMakersPages) {
    RunResult run = Run({"caps"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_NE(run.out.find("vcp: 02 04 05 08 10 12 14(05 06 08 0B) 16"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("page 30: E2(00 01 02 03 04 11 16 1F 22) E3("), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("page F0: E2(04) E3(00 0A)\n"), std::string::npos) << run.out;

    run = Run({"caps", "--raw", "-m", "1"});
    ASSERT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out, desk->ConfigOf(1).capabilities + "\n" +
                           desk->ConfigOf(1).extendedCapabilities + "\n");

    run = Run({"caps", "--json", "-m", "2"});
    ASSERT_EQ(run.status, kExitOk);
    EXPECT_NE(run.out.find("\"14\":[5,8,11]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"pages\":{}"), std::string::npos)
        << "another maker's monitor has no pages";
}

TEST_F(Verbs, GetReadsStandardAndPagedRegisters) {
    RunResult run = Run({"get", "10"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "60 100\n");
    // Only the monitor the command is about is identified.
    for (const sim::Transaction& t : desk->Log()) EXPECT_EQ(t.monitor, 0) << sim::Describe(t);

    run = Run({"get", "E3", "--page", "30", "--json"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "{\"monitor\":0,\"page\":48,\"code\":227,\"current\":6,\"maximum\":24}\n");

    // Another maker's monitor: its standard codes only.
    run = Run({"get", "12", "-m", "2"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "70 100\n");
    run = Run({"get", "E2", "--page", "30", "-m", "2"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: monitor 2 is not one of the maker's monitors\n");

    run = Run({"get", "B2"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: monitor 0 does not list VCP code B2\n");
    run = Run({"get", "10", "-m", "3"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: no monitor 3 (detect lists 0 to 2)\n");
    ExpectNothingClaimed();
}

TEST_F(Verbs, SetWritesUnderTheClaimAndRefusesBeforeAnyWrite) {
    desk->ClearLog();
    RunResult run = Run({"set", "10", "70"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0, 0x10), 70);
    std::vector<std::string> writes = Writes(0);
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(writes.end() - 3, writes.end()),
              (std::vector<std::string>{kOwn, "10=70", "E0=0"}));

    run = Run({"set", "E4", "7", "--page", "30", "-m", "1"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(1, 0x30, 0xE4), 7);

    desk->ClearLog();
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"set", "10", "101"},
         "vistrelctl: value 101 is above the maximum 100 of VCP code 10; nothing written\n"},
        {{"set", "14", "6", "-m", "1"},
         "vistrelctl: monitor 1 does not list the value 6 for VCP code 14\n"},
        {{"set", "14", "5"},
         "vistrelctl: VCP code 14 has no known settling time; it is never written\n"},
        {{"set", "E5", "1", "--page", "30"},
         "vistrelctl: page 30 code E5 has no known settling time; it is never written\n"},
        {{"set", "E3", "5", "--page", "E0"},
         "vistrelctl: monitor 0 does not list the value 5 for page E0 code E3\n"},
        {{"set", "E0", "0"},
         "vistrelctl: VCP code E0 is the claim protocol's own register; it is not written by "
         "hand\n"},
        {{"set", "E1", "48"},
         "vistrelctl: VCP code E1 is the claim protocol's own register; it is not written by "
         "hand\n"},
    };
    for (const auto& [words, message] : refused) {
        run = Run(words);
        EXPECT_EQ(run.status, kExitMissing) << words[1];
        EXPECT_EQ(run.err, message);
    }
    for (const std::string& write : Writes(0)) {
        EXPECT_TRUE(write.rfind("E0=", 0) == 0 || write.rfind("E1=", 0) == 0 ||
                    write.rfind("10:", 0) == 0)
            << write;
    }
    EXPECT_EQ(Register(0, 0, 0x10), 70);
    run = Run({"set", "10", "65536"});
    EXPECT_EQ(run.status, kExitUsage);
    ExpectNothingClaimed();
}

TEST_F(Verbs, ModeListsTheMonitorsModesAndSwitchesWithTheModesSettlingTime) {
    RunResult run = Run({"mode"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(
        run.out,
        "  0  Text mode\n* 1  Picture mode\n  2  Movie mode\n  3  Custom mode\n  4  sRGB mode\n"
        "  17  Game mode\n  22  User1 mode\n  31  Calmira mode\n  34  Paper mode\n");

    clock.sleeps.clear();
    run = Run({"mode", "game"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0x30, 0xE2), 17);
    // The mode write: the transport's wait, then the monitor's 340 ms.
    const std::uint32_t modeWrite[] = {50, 340};
    const auto at = std::search(clock.sleeps.begin(), clock.sleeps.end(), std::begin(modeWrite),
                                std::end(modeWrite));
    EXPECT_NE(at, clock.sleeps.end());

    run = Run({"mode", "--json", "-m", "1"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.rfind("{\"monitor\":1,\"current\":0,\"modes\":[{\"value\":0,\"name\":\"Text "
                            "mode\",\"current\":true},{\"value\":1",
                            0),
              0u);

    run = Run({"mode", "Cinema mode"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: monitor 0 has no Cinema mode\n");
    run = Run({"mode", "33", "-m", "1"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(1, 0x30, 0xE2), 33);
    run = Run({"mode", "-m", "2"});
    EXPECT_EQ(run.status, kExitMissing);
    run = Run({"mode", "fancy"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(Register(0, 0x30, 0xE2), 17);
    ExpectNothingClaimed();
}

TEST_F(Verbs, VolumeAndResets) {
    RunResult run = Run({"volume"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "15 30\n");
    run = Run({"volume", "22"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0, 0x62), 22);
    run = Run({"volume", "31"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(Register(0, 0, 0x62), 22);
    run = Run({"volume", "-m", "1"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: monitor 1 has no speaker volume\n");

    run = Run({"reset", "sound"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0, 0x62), 15) << "the monitor's factory volume";
    run = Run({"reset", "sound", "-m", "1"});
    EXPECT_EQ(run.status, kExitMissing);

    // Colour reset: only in a mode that has one (Picture mode does).
    ASSERT_EQ(Run({"set", "16", "100"}).status, kExitOk);
    run = Run({"reset", "color"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0, 0x16), 236);
    ASSERT_EQ(Run({"mode", "srgb"}).status, kExitOk);
    ASSERT_EQ(Run({"set", "16", "100"}).status, kExitOk);
    run = Run({"reset", "color"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: the current mode (sRGB mode) has no colour reset\n");
    EXPECT_EQ(Register(0, 0, 0x16), 100);
    EXPECT_EQ(Run({"reset", "everything"}).status, kExitUsage);
    ExpectNothingClaimed();
}

TEST_F(Verbs, AdjustmentSetsRegisterRestoreAndDelete) {
    ASSERT_EQ(Run({"set", "10", "80"}).status, kExitOk);
    RunResult run = Run({"register", "evening"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    run = Run({"sets"});
    EXPECT_EQ(run.out, "evening  TQ6600W  Picture mode\n");
    run = Run({"sets", "--json"});
    EXPECT_EQ(run.out, "[{\"name\":\"evening\",\"model\":\"TQ6600W\",\"mode\":1}]\n");

    ASSERT_EQ(Run({"mode", "game"}).status, kExitOk);
    ASSERT_EQ(Run({"set", "10", "20"}).status, kExitOk);
    run = Run({"restore", "evening"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0x30, 0xE2), 1);
    EXPECT_EQ(Register(0, 0, 0x10), 80);

    // Saved on a TQ6600W: not for the TQ3300W.
    const std::uint16_t modeBefore = Register(1, 0x30, 0xE2);
    run = Run({"restore", "evening", "-m", "1"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err,
              "vistrelctl: set evening was saved on a TQ6600W, monitor 1 is a TQ3300W; nothing "
              "restored\n");
    EXPECT_EQ(Register(1, 0x30, 0xE2), modeBefore);

    EXPECT_EQ(Run({"restore", "morning"}).status, kExitMissing);
    EXPECT_EQ(Run({"register", std::string(33, 'x')}).status, kExitUsage);
    EXPECT_EQ(Run({"register", "tab\there"}).status, kExitUsage);
    EXPECT_EQ(Run({"register", std::string(32, 'x')}).status, kExitOk);

    run = Run({"delete", "evening"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Run({"sets"}).out, std::string(32, 'x') + "  TQ6600W  Picture mode\n");
    EXPECT_EQ(Run({"delete", "evening"}).status, kExitMissing);
    ExpectNothingClaimed();
}

TEST_F(Verbs, ADamagedSetIsListedButNeverRestored) {
    fs::create_directories(folder / "config/panelwright");
    std::ofstream(folder / "config/panelwright/vistrelctl-sets") << "broken\t00ff\n"
                                                                 << "not a set line\n";
    RunResult run = Run({"sets"});
    EXPECT_EQ(run.out, "broken  (damaged)\n");
    const std::uint16_t mode = Register(0, 0x30, 0xE2);
    run = Run({"restore", "broken"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: set broken is damaged and cannot be restored\n");
    EXPECT_EQ(Register(0, 0x30, 0xE2), mode);
    ASSERT_EQ(Run({"register", "good"}).status, kExitOk);
    std::ifstream in(folder / "config/panelwright/vistrelctl-sets");
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(first, "broken\t00ff");
    EXPECT_EQ(second, "not a set line") << "lines of others are kept as they were";
}

TEST_F(Verbs, AMonitorClaimedByAnotherProgramIsLeftAlone) {
    processes.running.push_back({kControllerProcessId, "vistrelddcci.exe"});
    ASSERT_TRUE(desk->SetRegister(0, sim::RegisterKey{0, 0xE0}, kControllerProcessId));
    desk->ClearLog();
    RunResult run = Run({"set", "10", "70"});
    EXPECT_EQ(run.status, kExitCommunication);
    EXPECT_EQ(run.err,
              "vistrelctl: monitor 0 is in use by another program (owner register held)\n");
    EXPECT_EQ(Register(0, 0, 0xE0), kControllerProcessId);
    EXPECT_EQ(Register(0, 0, 0x10), 60);
    for (const std::string& write : Writes(0))
        EXPECT_EQ(write.rfind("E0=", 0), std::string::npos) << write;

    // Reads of standard codes need no claim.
    EXPECT_EQ(Run({"get", "10"}).status, kExitOk);
    // A claim whose owner has exited is taken over, and given back.
    processes.running.pop_back();
    run = Run({"mode", "text"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0, 0xE0), 0);
}

TEST_F(Verbs, CtrlCGivesTheMonitorBackBeforeTheProgramEnds) {
    interrupted = true;
    RunResult run = Run({"mode", "game"});
    EXPECT_EQ(run.status, kExitInterrupted);
    EXPECT_TRUE(desk->Log().empty()) << "nothing started";

    interrupted = false;
    clock.onSleep = [this] {
        std::uint16_t owner = 0;
        desk->ReadRegister(0, sim::RegisterKey{0, 0xE0}, &owner);
        if (owner == kOwnProcessId && !desk->Log().empty()) interrupted = true;
    };
    // Discovery's own claims already raise it; the verb then starts nothing.
    run = Run({"mode", "game"});
    EXPECT_EQ(run.status, kExitInterrupted);
    EXPECT_EQ(run.err, "vistrelctl: interrupted\n");
    EXPECT_EQ(Register(0, 0x30, 0xE2), 1);
    ExpectNothingClaimed();
}

TEST_F(Verbs, NoDeviceAccessIsOneLineThatSaysWhatToDo) {
    buses.refuse =
        "no permission to open /dev/i2c-3: add your user to the i2c group (sudo usermod -aG i2c "
        "$USER) and log in again";
    RunResult run = Run({"mode"});
    EXPECT_EQ(run.status, kExitCommunication);
    EXPECT_EQ(run.err, "vistrelctl: " + buses.refuse + "\n");
    run = Run({"detect"});
    EXPECT_EQ(run.status, kExitCommunication);
    EXPECT_EQ(run.err, "vistrelctl: " + buses.refuse + "\n");
}

}  // namespace
}  // namespace ctltest
