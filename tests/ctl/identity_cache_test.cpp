// What vistrelctl keeps between runs: a second run sends only its verb's own
// traffic, and a cache that is damaged, foreign or wrong never decides a write.
#include <fstream>
#include <sstream>

#include "ctl_fixture.h"

namespace ctltest {
namespace {

std::vector<std::string> Traffic(const sim::Desk& desk) {
    std::vector<std::string> lines;
    for (const sim::Transaction& t : desk.Log()) {
        std::string line = sim::Describe(t);
        lines.push_back(line.substr(0, line.find(" @")));
    }
    return lines;
}

class Cache : public CtlDesk {
protected:
    void SetUp() override {
        CtlDesk::SetUp();
        cached = true;
    }
    std::string CacheText() const {
        std::ifstream in(CachePath(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteCache(const std::string& text) {
        fs::create_directories(fs::path(CachePath()).parent_path());
        std::ofstream(CachePath(), std::ios::binary) << text;
    }
    std::vector<KnownMonitor> Known() const {
        std::vector<KnownMonitor> known;
        EXPECT_TRUE(DecodeKnownMonitors(CacheText(), &known));
        return known;
    }
    // The cache's entry for simulated monitor m, by its EDID; empty when none.
    KnownMonitor KnownOf(int m) const {
        const sim::MonitorConfig& config = desk->ConfigOf(m);
        const std::string key = MonitorKeyFromEdid(
            config.maker ? Edid("ORX", 1000 + m, config.model) : Edid("KST", 77, "KESTREL 19"));
        for (const KnownMonitor& known : Known()) {
            if (known.key == key) return known;
        }
        return {};
    }
    // What a cold run of `words` sends, run with the cache out of the way.
    std::size_t ColdTraffic(const std::vector<std::string>& words) {
        cached = false;
        desk->ClearLog();
        EXPECT_EQ(Run(words).status, kExitOk);
        cached = true;
        return desk->Log().size();
    }
};

TEST_F(Cache, ASecondRunSendsOnlyItsVerbsOwnTraffic) {
    RunResult run = Run({"get", "10"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_GT(desk->Log().size(), 80u) << "the first run identifies the monitor";
    ASSERT_EQ(Known().size(), 1u);
    EXPECT_EQ(KnownOf(0).model, "TQ6600W");

    desk->ClearLog();
    clock.sleeps.clear();
    run = Run({"get", "10"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out, "60 100\n");
    EXPECT_EQ(Traffic(*desk), (std::vector<std::string>{"m0 get 10 -> 60/100"}));
    // The request's reply wait, then the read's settling.
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{40, 20}));

    desk->ClearLog();
    run = Run({"mode", "game"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(Register(0, 0x30, 0xE2), 17);
    const std::string own = std::to_string(kOwnProcessId);
    // The claim (owner read first), the ready check, the mode, the release.
    EXPECT_EQ(Traffic(*desk), (std::vector<std::string>{
                                  "m0 get E0 -> 0/65535", "m0 set E0=" + own, "m0 set E1=32",
                                  "m0 get 20:E2 -> 1/1", "m0 set E1=32", "m0 get 20:E6 -> 0/1",
                                  "m0 set E1=48", "m0 set 30:E2=17", "m0 set E0=0"}));

    // Output of a warm run is that of a cold one; caps needs no traffic at all.
    const RunResult warmCaps = Run({"caps", "--json"});
    desk->ClearLog();
    EXPECT_EQ(Run({"caps", "--json"}).out, warmCaps.out);
    EXPECT_TRUE(desk->Log().empty());
    cached = false;
    EXPECT_EQ(Run({"caps", "--json"}).out, warmCaps.out);

    // Another maker's monitor: its capabilities are kept, its reads are one each.
    cached = true;
    ASSERT_EQ(Run({"get", "12", "-m", "2"}).status, kExitOk);
    desk->ClearLog();
    run = Run({"get", "12", "-m", "2"});
    EXPECT_EQ(run.out, "70 100\n");
    EXPECT_EQ(Traffic(*desk), (std::vector<std::string>{"m2 get 12 -> 70/100"}));
}

TEST_F(Cache, DetectAndNoCacheIdentifyAfreshAndRefreshIt) {
    ASSERT_EQ(Run({"detect"}).status, kExitOk);
    const std::vector<KnownMonitor> known = Known();
    ASSERT_EQ(known.size(), 3u);
    EXPECT_EQ(
        std::count_if(known.begin(), known.end(), [](const KnownMonitor& k) { return k.maker; }),
        2);
    const std::size_t cold = ColdTraffic({"detect"});
    desk->ClearLog();
    ASSERT_EQ(Run({"detect"}).status, kExitOk);
    EXPECT_EQ(desk->Log().size(), cold) << "detect never trusts the cache";

    desk->ClearLog();
    ASSERT_EQ(Run({"get", "10", "-m", "1"}).status, kExitOk);
    EXPECT_EQ(desk->Log().size(), 1u) << "detect's run filled the cache for every monitor";
    const std::size_t coldGet = ColdTraffic({"get", "10", "-m", "1"});
    desk->ClearLog();
    ASSERT_EQ(Run({"get", "10", "-m", "1", "--no-cache"}).status, kExitOk);
    EXPECT_EQ(desk->Log().size(), coldGet);
}

TEST_F(Cache, ADamagedOrForeignFileIsIgnoredAndRebuilt) {
    ASSERT_EQ(Run({"get", "10"}).status, kExitOk);
    const std::string good = CacheText();
    const std::size_t cold = ColdTraffic({"get", "10"});
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x01;
    const std::vector<std::string> damaged = {
        "",
        good.substr(0, good.size() - 9),                             // cut short
        flipped,                                                     // one bit changed
        "vistrelctl-monitors 2" + good.substr(good.find(' ', 20)),   // a later version
        std::string(3000, '\xff'),                                   // not text
        "vistrelctl-monitors 1 1 0000000000000000\n\t\t\t\t\t\t\n",  // no fields
    };
    for (const std::string& text : damaged) {
        WriteCache(text);
        desk->ClearLog();
        const RunResult run = Run({"get", "10"});
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_EQ(run.out, "60 100\n");
        EXPECT_EQ(desk->Log().size(), cold) << "identified afresh";
        EXPECT_EQ(CacheText(), good) << "and the file rebuilt";
    }

    // A file for another monitor: kept, and this one added beside it.
    std::vector<KnownMonitor> other = Known();
    other[0].key = "ORX-0001-00000001-0123456789abcdef";
    WriteCache(EncodeKnownMonitors(other));
    desk->ClearLog();
    ASSERT_EQ(Run({"get", "10"}).status, kExitOk);
    EXPECT_EQ(desk->Log().size(), cold);
    ASSERT_EQ(Known().size(), 2u);
    EXPECT_EQ(Known()[1].key, "ORX-0001-00000001-0123456789abcdef");
}

TEST_F(Cache, CachedFactsTheMonitorContradictsAreDroppedBeforeAnythingIsWritten) {
    ASSERT_EQ(Run({"detect"}).status, kExitOk);
    // Monitor 0's entry claims a code the monitor does not have.
    KnownMonitor wrong = KnownOf(0);
    const std::string vcp = "vcp(";
    wrong.capabilities.insert(wrong.capabilities.find(vcp) + vcp.size(), "99 ");
    WriteCache(EncodeKnownMonitors({wrong}));

    desk->ClearLog();
    RunResult run = Run({"get", "99"});
    EXPECT_EQ(run.status, kExitMissing);
    EXPECT_EQ(run.err, "vistrelctl: monitor 0 does not list VCP code 99\n")
        << "the monitor refused the read; identified afresh, its own list says so";
    EXPECT_GT(desk->Log().size(), 80u);
    EXPECT_EQ(KnownOf(0).capabilities.find("99 "), std::string::npos) << "the cache is mended";

    // A cached list that lacks a code: the refusal is not reported from the
    // cache; the monitor, identified afresh, lists it and the write goes through
    // once.
    wrong = KnownOf(0);
    const std::string code = " 10 ";
    ASSERT_NE(wrong.capabilities.find(code), std::string::npos);
    wrong.capabilities.replace(wrong.capabilities.find(code), code.size(), " ");
    WriteCache(EncodeKnownMonitors({wrong}));
    desk->ClearLog();
    run = Run({"set", "10", "70"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Register(0, 0, 0x10), 70);
    std::vector<std::string> verbWrites;
    for (const std::string& write : Writes(0)) {
        if (write.rfind("E1=", 0) != 0 && write.rfind("10:", 0) != 0) verbWrites.push_back(write);
    }
    const std::string own = "E0=" + std::to_string(kOwnProcessId);
    EXPECT_EQ(verbWrites, (std::vector<std::string>{own, "E0=0", own, "10=70", "E0=0"}))
        << "identification's claim, then the verb's one write";
    EXPECT_NE(KnownOf(0).capabilities.find(code), std::string::npos);
}

TEST_F(Cache, AFailureOnceTheVerbHasWrittenIsNotRetried) {
    ASSERT_EQ(Run({"get", "10"}).status, kExitOk);
    desk->ClearLog();
    // The monitor does not acknowledge the write of 10, nor its two repeats.
    bool armed = true;
    clock.onSleep = [&] {
        const std::vector<sim::Transaction> log = desk->Log();
        if (armed && !log.empty() && log.back().kind == sim::TransactionKind::Get &&
            log.back().code == 0x10) {
            fronts[0]->FailNextWrites(kMessageAttempts);
            armed = false;
        }
    };
    const RunResult run = Run({"set", "10", "70"});
    clock.onSleep = nullptr;
    EXPECT_EQ(run.status, kExitCommunication);
    EXPECT_EQ(run.err, "vistrelctl: monitor 0 did not take the write of VCP code 10\n");
    EXPECT_EQ(Register(0, 0, 0x10), 60);
    EXPECT_LT(desk->Log().size(), 10u) << "the monitor was not identified again to write once more";
    EXPECT_EQ(Register(0, 0, 0xE0), 0);

    // Held by the controller: a fact of the moment, not of the cache, which stays.
    processes.running.push_back({kControllerProcessId, "vistrelddcci.exe"});
    ASSERT_TRUE(desk->SetRegister(0, sim::RegisterKey{0, 0xE0}, kControllerProcessId));
    desk->ClearLog();
    const RunResult held = Run({"mode", "game"});
    EXPECT_EQ(held.status, kExitCommunication);
    EXPECT_EQ(held.err,
              "vistrelctl: monitor 0 is in use by another program (owner register held)\n");
    EXPECT_EQ(desk->Log().size(), 5u)
        << "the claim's five looks at the owner register, nothing else";
    EXPECT_EQ(KnownOf(0).model, "TQ6600W");
}

TEST_F(Cache, AnotherUnitWithTheSameEdidStoresItsOwnSerialInASet) {
    ASSERT_EQ(Run({"detect"}).status, kExitOk);
    // The monitor on DP-1 is swapped for another TQ6600W whose EDID reads the
    // same (as behind a switch that shows a fixed EDID); only its serial differs.
    std::ifstream in(folder / "desk.json");
    std::stringstream json;
    json << in.rdbuf();
    std::string config = json.str();
    ASSERT_NE(config.find("26114073"), std::string::npos);
    for (std::size_t at; (at = config.find("26114073")) != std::string::npos;)
        config.replace(at, 8, "55500011");
    std::ofstream(folder / "desk.json") << config;
    LoadSimulatedDesk();
    ASSERT_TRUE(desk);

    RunResult run = Run({"register", "evening"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    AdjustmentData data;
    ASSERT_TRUE(sets->Read("evening", &data));
    EXPECT_EQ(data.serialNumber, "55500011");
    EXPECT_EQ(KnownOf(0).serial, "55500011") << "the cache learned the new unit";
    run = Run({"detect"});
    EXPECT_NE(run.out.find("TQ6600W  55500011"), std::string::npos) << run.out;
    EXPECT_EQ(Register(0, 0, 0xE0), 0);
}

TEST_F(Cache, OnWindowsTheMakerLibrarysRecordKeysOnlyAMonitorAloneOnItsDisplay) {
    bool lockHeld = false;
    MonitorList list(*desk, *desk, *desk, processes, clock, lockHeld);
    ASSERT_TRUE(list.Enumerate());
    ASSERT_EQ(list.GetCount(), 3u);
    const std::string first = MonitorKeyFromMakerLibrary(*desk, list.Entries(), 0);
    EXPECT_EQ(first.rfind("ORX-", 0), 0u) << first;
    // Display 2 carries the TQ3300W and another maker's monitor: its record
    // would name the first, so neither gets a key.
    EXPECT_EQ(MonitorKeyFromMakerLibrary(*desk, list.Entries(), 1), "");
    EXPECT_EQ(MonitorKeyFromMakerLibrary(*desk, list.Entries(), 2), "");
    EXPECT_EQ(MonitorKeyFromMakerLibrary(*desk, list.Entries(), 3), "");

    std::uint8_t record[platform::MakerLibrary::kRecordSize] = {};
    ASSERT_GE(desk->QrxGetMonitorInfo(0, record, 0), 0);
    EXPECT_EQ(MonitorKeyFromMakerRecord(record), first);
    record[16] ^= 1;  // another serial number
    EXPECT_NE(MonitorKeyFromMakerRecord(record), first);
    record[4] = 2;  // a layout this version does not know
    EXPECT_EQ(MonitorKeyFromMakerRecord(record), "");
}

TEST(CacheFile, DecodesOnlyWhatItEncodes) {
    KnownMonitor maker;
    maker.key = "ORX-1234-000003e8-00112233445566ff";
    maker.maker = true;
    maker.capabilities = "(prot(monitor)vcp(10 E0 E1)mswhql(1)mccs_ver(2.1))";
    maker.extendedCapabilities = "10(e2)";
    maker.serial = "123\t45\n";
    maker.model = "TQ";
    maker.modeInfo.words[3] = 0xDEADBEEF;
    KnownMonitor other;
    other.key = "KST-0001-00000000-00112233445566ff";
    other.capabilities = "vcp(10)";
    const std::string text = EncodeKnownMonitors({maker, other});
    std::vector<KnownMonitor> back;
    ASSERT_TRUE(DecodeKnownMonitors(text, &back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].serial, maker.serial);
    EXPECT_EQ(back[0].modeInfo.words[3], 0xDEADBEEFu);
    EXPECT_EQ(back[1].capabilities, "vcp(10)");
    EXPECT_FALSE(back[1].maker);

    // A maker entry without what its record needs, and one key twice.
    KnownMonitor bare = maker;
    bare.extendedCapabilities.clear();
    EXPECT_FALSE(DecodeKnownMonitors(EncodeKnownMonitors({bare}), &back));
    EXPECT_TRUE(back.empty());
    EXPECT_FALSE(DecodeKnownMonitors(EncodeKnownMonitors({other, other}), &back));
    EXPECT_EQ(MonitorKeyFromEdid(std::vector<std::uint8_t>(128, 0)), "");
    EXPECT_EQ(MonitorKeyFromEdid(Edid("ORX", 1000, "TQ6600W")).rfind("ORX-", 0), 0u);
    EXPECT_NE(MonitorKeyFromEdid(Edid("ORX", 1000, "TQ6600W")),
              MonitorKeyFromEdid(Edid("ORX", 1000, "TQ6601W")));
}

}  // namespace
}  // namespace ctltest
