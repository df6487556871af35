// The wizard's monitor work on the match desk of sim/configs: three candidates
// (one reporting primaries that follow the preset, one without primaries, one with
// brightness maximum 60 and a blue gain without range) and a maker monitor whose
// model the wizard does not know.
#include "match/match_wizard.h"

#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "monitor/maker_desk_fixture.h"
#include "monitor/status_build.h"
#include "sim/desk.h"
#include "support/virtual_clock.h"

namespace {

using rec_testing::OwnProcess;

// Desk monitors in configuration order.
constexpr int kTq6600 = 0;
constexpr int kTq3300 = 1;
constexpr int kTq2200 = 2;
constexpr int kTq8800 = 3;

class MatchWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::DeskConfig config;
        std::string error;
        ASSERT_TRUE(sim::LoadDeskConfig(
            std::string(VISTREL_SOURCE_DIR) + "/sim/configs/match-desk.json", &config, &error))
            << error;
        config.statePath.clear();
        desk = std::make_unique<sim::Desk>(std::move(config), clock);
        list = std::make_unique<MonitorList>(*desk, *desk, *desk, processes, clock, lockHeld);
        ASSERT_TRUE(list->Discover());
        ASSERT_EQ(BuildMonitorStatus(*list, all), 4);
        wizard = std::make_unique<MatchWizard>(*list, all);
    }

    // The record of a desk monitor (records follow discovery, which follows the desk).
    CMonitorStatus& Record(int monitor) { return *all.At(monitor); }

    std::uint16_t Register(int monitor, sim::RegisterKey key) {
        std::uint16_t value = 0;
        EXPECT_TRUE(desk->ReadRegister(monitor, key, &value));
        return value;
    }

    void ExpectNothingClaimed() {
        EXPECT_FALSE(lockHeld);
        for (int m = 0; m < desk->MonitorCount(); ++m) {
            if (desk->ConfigOf(m).maker) {
                EXPECT_EQ(Register(m, {0, 0xE0}), 0) << "monitor " << m;
            }
        }
    }

    bool AnyWriteTo(int monitor) const {
        for (const sim::Transaction& t : desk->Log())
            if (t.monitor == monitor && t.kind == sim::TransactionKind::Set && t.code != 0xE0 &&
                t.code != 0xE1)
                return true;
        return false;
    }

    bool AnyWrite() const {
        for (const sim::Transaction& t : desk->Log())
            if (t.kind == sim::TransactionKind::Set && t.code != 0xE0 && t.code != 0xE1)
                return true;
        return false;
    }

    testing_support::VirtualClock clock;
    OwnProcess processes;
    bool lockHeld = false;
    std::unique_ptr<sim::Desk> desk;
    std::unique_ptr<MonitorList> list;
    CMonitorStatusAll all;
    std::unique_ptr<MatchWizard> wizard;
};

TEST_F(MatchWizardTest, KnownModelsAreCandidatesAndTheLowestDisplayIsMaster) {
    EXPECT_EQ(MatchWizard::MarkCandidates(all), 3);
    EXPECT_EQ(Record(kTq8800).m_Match.candidate, 0);
    ASSERT_TRUE(wizard->Start());
    EXPECT_EQ(wizard->state().masterIndex, kTq6600);
    EXPECT_EQ(wizard->Candidates(), (std::vector<int>{kTq6600, kTq3300, kTq2200}));
    EXPECT_FALSE(MatchWizard::CanLeaveStep1(8));
    EXPECT_TRUE(MatchWizard::CanLeaveStep1(1));
}

TEST_F(MatchWizardTest, FinishGivesEveryCandidateTheMastersPictureAndLuminance) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    EXPECT_EQ(Record(kTq2200).m_Match.brightnessMaximum, 60);
    EXPECT_EQ(Record(kTq3300).m_Match.savedColorTemperature, 3);
    ASSERT_TRUE(wizard->ReadMasterMode());
    EXPECT_EQ(wizard->state().mode, 1);
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->WriteColorTemperature(9));
    ASSERT_TRUE(wizard->ReadMasterBrightness());
    ASSERT_TRUE(wizard->PrepareLimit());
    ExpectNothingClaimed();

    // Preset 9: the master's primaries follow it; the TQ3300W comes from the table.
    const double master =
        std::pow(236 / 255.0, 2.2) * 54.8 + std::pow(241 / 255.0, 2.2) * 194.2 + 23.2;
    const double noPrimaries = 226.2;
    const double blueWithoutRange =
        std::pow(240 / 255.0, 2.2) * 39.2 + std::pow(250 / 255.0, 2.2) * 158.0 + 19.0;
    EXPECT_NEAR(Record(kTq6600).m_Match.estimatedMaxLuminance, master, 1e-9);
    EXPECT_NEAR(Record(kTq3300).m_Match.estimatedMaxLuminance, noPrimaries, 1e-9);
    EXPECT_NEAR(Record(kTq2200).m_Match.estimatedMaxLuminance, blueWithoutRange, 1e-9);
    BrightnessLimit expected;
    ASSERT_TRUE(ComputeBrightnessLimit(blueWithoutRange, master, 100, &expected));
    EXPECT_EQ(wizard->state().brightnessLimit, expected.limit);
    EXPECT_EQ(wizard->state().limitPercent, expected.percent);
    EXPECT_LT(expected.percent, 100u);

    ASSERT_TRUE(wizard->SetMasterBrightness(50));
    desk->ClearLog();
    ASSERT_TRUE(wizard->Transfer(50));
    ExpectNothingClaimed();

    const double target = 50 * (master / 100);
    EXPECT_EQ(Register(kTq6600, {0, 0x10}), 50);
    EXPECT_EQ(Register(kTq3300, {0, 0x10}), static_cast<int>(target / (noPrimaries / 100)));
    EXPECT_EQ(Register(kTq2200, {0, 0x10}), static_cast<int>(target / (blueWithoutRange / 60)));
    for (int m : {kTq6600, kTq3300, kTq2200}) {
        EXPECT_EQ(Register(m, {0x30, 0xE2}), 1) << m;
        EXPECT_EQ(Register(m, {0x30, 0xE3}), 9) << m;
        int sessionEnds = 0;
        for (const sim::Transaction& t : desk->Log())
            sessionEnds += t.monitor == m && t.kind == sim::TransactionKind::Set &&
                           t.code == 0xE3 && t.page == 0xF0 && t.value == 0;
        EXPECT_EQ(sessionEnds, 1) << m;
    }
    EXPECT_EQ(Register(kTq8800, {0x30, 0xE3}), 3);
}

TEST_F(MatchWizardTest, CancelPutsBackEverythingTheWizardChanged) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    // Game mode on all three; the TQ3300W was in Text mode and at another preset.
    ASSERT_TRUE(wizard->WriteMasterMode(17));
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->WriteColorTemperature(12));
    ASSERT_TRUE(wizard->PrepareLimit());
    ASSERT_TRUE(wizard->SetMasterBrightness(90));
    ASSERT_TRUE(wizard->Transfer(90));

    ASSERT_TRUE(wizard->Restore());
    ExpectNothingClaimed();
    for (int m : {kTq6600, kTq3300, kTq2200}) {
        for (sim::RegisterKey key : {sim::RegisterKey{0x30, 0xE2}, sim::RegisterKey{0x30, 0xE3},
                                     sim::RegisterKey{0x30, 0xE4}, sim::RegisterKey{0, 0x10}}) {
            EXPECT_EQ(Register(m, key), desk->ConfigOf(m).registers.at(key).current)
                << m << " " << sim::FormatRegisterKey(key);
        }
    }
}

TEST_F(MatchWizardTest, CancelPutsTheGammaBackWhenTheSavedModeHasOne) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->WriteMasterMode(17));  // saved in a mode with a gamma setting
    ASSERT_TRUE(wizard->SaveStates());
    const std::uint16_t saved = Register(kTq6600, {0x30, 0xE4});
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->WriteGamma(saved == 7 ? 6 : 7));
    ASSERT_NE(Register(kTq6600, {0x30, 0xE4}), saved);
    ASSERT_TRUE(wizard->Restore());
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), saved);
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, CancelBeforeTheStatesWereSavedWritesNothing) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    desk->SetConnected(kTq2200, false);
    EXPECT_FALSE(wizard->SaveStates());
    ExpectNothingClaimed();
    desk->ClearLog();
    EXPECT_TRUE(wizard->Restore());
    EXPECT_TRUE(desk->Log().empty());
}

TEST_F(MatchWizardTest, AModeIsTakenOnlyWhenTheMasterReadsItBack) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    // The write goes through but the mode cannot be read back: not taken.
    desk->FailReadsOf(kTq6600, sim::FailingRead{false, sim::RegisterKey{0x30, 0xE2}});
    EXPECT_FALSE(wizard->WriteMasterMode(17));
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE2}), 17);
    ExpectNothingClaimed();
    desk->ClearFaults(kTq6600);
    EXPECT_TRUE(wizard->WriteMasterMode(1));
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE2}), 1);
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, AFailingCandidateLeavesNothingClaimed) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    desk->FailReadsOf(kTq2200, sim::FailingRead{true, {0, 0x1A}});
    EXPECT_FALSE(wizard->PrepareLimit());
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, TransferRefusesBeforeAnyWriteWhenACandidateMakesNoSense) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->PrepareLimit());

    // The last candidate in order: a loop that writes as it goes would have
    // changed the first two already.
    Record(kTq2200).m_Match.brightnessMaximum = 0;
    desk->ClearLog();
    EXPECT_FALSE(wizard->Transfer(40));
    EXPECT_FALSE(AnyWrite());

    Record(kTq2200).m_Match.brightnessMaximum = 60;
    Record(kTq3300).m_Match.estimatedMaxLuminance = 0;
    EXPECT_FALSE(wizard->Transfer(40));
    EXPECT_FALSE(AnyWrite());
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, EveryRunStartsWithoutWhatTheLastOneMeasured) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->PrepareLimit());
    ASSERT_EQ(Record(kTq6600).m_Match.redPrimary.valid, 1);

    // Next run: the master's primaries are no longer reported; the estimate must
    // come from the table, not from the values the last run read.
    Record(kTq6600).m_ExtFeatures.erase(ExtendedFeatureKey{0x30, 0xEF});
    ASSERT_TRUE(wizard->Start());
    EXPECT_EQ(Record(kTq6600).m_Match.redPrimary.valid, 0);
    EXPECT_EQ(Record(kTq6600).m_Match.candidate, 1);
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->PrepareLimit());
    EXPECT_DOUBLE_EQ(Record(kTq6600).m_Match.estimatedMaxLuminance, 278.5);
}

TEST_F(MatchWizardTest, ATableModelWithoutPrimariesFailsOutsideTheMeasuredPresets) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_TRUE(wizard->WriteColorTemperature(0));
    EXPECT_FALSE(wizard->PrepareLimit());
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, StepTwoGammaIsClampedToTheMastersStepsWrittenAndPutBackWhenRefused) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_EQ(wizard->state().gamma, 4);
    EXPECT_TRUE(wizard->WriteGamma(0)) << "step 0 is a gamma like any other";
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), 0);
    ASSERT_TRUE(wizard->WriteGamma(4));
    // A master that offers gamma steps 2 to 5 only.
    Record(kTq6600).m_ModeInfo.words[ModeInfoBlock::kGammaMask] = 0x3C;
    EXPECT_EQ(wizard->MasterGammaRange().lowest, 2);
    EXPECT_EQ(wizard->MasterGammaRange().highest, 5);

    desk->ClearLog();
    EXPECT_EQ(wizard->MoveGamma(8), 5) << "clamped to the highest step offered";
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), 5);
    EXPECT_EQ(wizard->state().gamma, 5);
    int gammaWrites = 0;
    for (const sim::Transaction& t : desk->Log())
        gammaWrites += t.kind == sim::TransactionKind::Set && t.page == 0x30 && t.code == 0xE4;
    EXPECT_EQ(gammaWrites, 1);
    EXPECT_FALSE(AnyWriteTo(kTq3300) || AnyWriteTo(kTq2200)) << "step 2 touches only the master";
    ExpectNothingClaimed();
    EXPECT_EQ(wizard->MoveGamma(0), 2) << "clamped to the lowest step offered";
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), 2);

    desk->ClearLog();
    EXPECT_EQ(wizard->MoveGamma(2), 2);
    EXPECT_TRUE(desk->Log().empty()) << "the slider where the gamma is already writes nothing";

    desk->FailNext(kTq6600, 1000);
    EXPECT_EQ(wizard->MoveGamma(3), 2) << "a refused write puts the slider back";
    EXPECT_EQ(wizard->state().gamma, 2);
    desk->ClearFaults(kTq6600);
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), 2);
    ExpectNothingClaimed();

    Record(kTq6600).m_ModeInfo.words[ModeInfoBlock::kGammaMask] = 0;
    EXPECT_EQ(wizard->MasterGammaRange().lowest, 0);
    EXPECT_EQ(wizard->MasterGammaRange().highest, 0);
}

TEST_F(MatchWizardTest, TheMastersGammaGoesToEveryCandidateWhoseModeHasGammaAtFinish) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    // Game mode: gamma is adjustable in it on all three.
    ASSERT_TRUE(wizard->WriteMasterMode(17));
    ASSERT_TRUE(wizard->ReadMasterColor());
    ASSERT_EQ(wizard->MoveGamma(7), 7);
    for (int m : {kTq3300, kTq2200}) ASSERT_EQ(Register(m, {0x30, 0xE4}), 4) << m;
    // The TQ2200W's Game mode, as if it had no gamma of its own.
    Record(kTq2200).m_ModeInfo.words[ModeInfoBlock::kFirstModeFlags + 17] &= ~kModeFlagGamma;
    ASSERT_TRUE(wizard->PrepareLimit());
    ASSERT_TRUE(wizard->Transfer(30));
    EXPECT_EQ(Register(kTq6600, {0x30, 0xE4}), 7);
    EXPECT_EQ(Register(kTq3300, {0x30, 0xE4}), 7);
    EXPECT_EQ(Register(kTq2200, {0x30, 0xE4}), 4) << "a mode without gamma keeps the monitor's";
    EXPECT_EQ(Register(kTq8800, {0x30, 0xE4}), 4) << "not a candidate";
    ExpectNothingClaimed();
}

TEST_F(MatchWizardTest, NextInStepTwoIsRefusedAtPresetZeroAndAtTheMastersOffPreset) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    Record(kTq6600).m_Match.offPresetIndex = 14;
    ASSERT_TRUE(wizard->WriteColorTemperature(9));
    EXPECT_TRUE(wizard->CanLeaveStep2());
    ASSERT_TRUE(wizard->WriteColorTemperature(0));
    EXPECT_FALSE(wizard->CanLeaveStep2());
    ASSERT_TRUE(wizard->WriteColorTemperature(14));
    EXPECT_FALSE(wizard->CanLeaveStep2()) << "the monitor's own OFF preset";
    ASSERT_TRUE(wizard->WriteColorTemperature(13));
    EXPECT_TRUE(wizard->CanLeaveStep2());
}

TEST_F(MatchWizardTest, StepTwoOffersTheMastersControlsOfTheChosenMode) {
    MatchWizard::MarkCandidates(all);
    ASSERT_TRUE(wizard->Start());
    ASSERT_TRUE(wizard->SaveStates());
    ASSERT_TRUE(wizard->ReadMasterColor());
    // Picture mode: colour temperature and brightness, no gamma.
    EXPECT_EQ(wizard->MasterModeFlags() & (kModeFlagColorTemperature | kModeFlagGamma),
              kModeFlagColorTemperature);
    ASSERT_TRUE(wizard->WriteMasterMode(17));
    ASSERT_TRUE(wizard->ReadMasterColor());
    EXPECT_EQ(wizard->MasterModeFlags(), 0x800Du) << "Game mode as the master's block gives it";
}

}  // namespace
