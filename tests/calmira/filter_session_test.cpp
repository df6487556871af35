#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calmira/filter_session.h"
#include "support/memory_registry.h"

namespace {

using namespace calmira;
using Calls = std::vector<std::string>;

class RecordingScreens : public FilterScreens, public FilterUser {
public:
    bool LoadImage(const std::string& path) override {
        calls.push_back("load " + path);
        return path.find("missing") == std::string::npos;
    }
    void Show(const FilterState& s, bool reset) override {
        calls.push_back("show " + s.filePath + " " + std::to_string(s.alpha) + " " +
                        std::to_string(s.luminance) + (reset ? " reset" : ""));
    }
    void Hide() override { calls.push_back("hide"); }
    void SetAlpha(std::int32_t alpha) override {
        calls.push_back("alpha " + std::to_string(alpha));
    }
    void ApplyLuminance(std::int32_t l, bool reset) override {
        calls.push_back("luminance " + std::to_string(l) + (reset ? " reset" : ""));
    }
    void DefaultImageFailed(const std::string& text) override { calls.push_back("215 " + text); }
    void FileFailed(const std::string& path) override { calls.push_back("216 " + path); }
    std::string EntryText(int number) override { return "Image" + std::to_string(number); }
    Calls Take() { return std::exchange(calls, {}); }
    Calls calls;
};

const std::string kFolder = "C:\\data\\";

std::vector<STDIMAGEDATA> Images() {
    return {{"a.bmp", 40, 10, 40, 10}, {"missing.png", 30, 0, 30, 0}, {"c.jpg", 80, -20, 50, -5}};
}

class FilterSessionTest : public ::testing::Test {
protected:
    CFilterSession Open(const FilterState& active) {
        return CFilterSession(screens, screens, Images(), kFolder, active);
    }
    RecordingScreens screens;
    testing_support::MemoryRegistry store;
    CRegistry reg{&store};
};

TEST_F(FilterSessionTest, OpeningSelectsTheActivePicture) {
    EXPECT_EQ(Open(FilterState()).Selection(), 0);
    CFilterSession user = Open({1, kFileUser, "D:\\me.png", 64, 0});
    EXPECT_EQ(user.Selection(), 4);
    EXPECT_EQ(user.PathText(), "D:\\me.png");
    EXPECT_TRUE(user.PathControlsEnabled());
    CFilterSession third = Open({1, kFileDefault, kFolder + "c.jpg", 128, -50});
    EXPECT_EQ(third.Selection(), 3);
    EXPECT_FALSE(third.PathControlsEnabled()) << "a listed picture has no path to edit";
    EXPECT_EQ(third.TransmittancePosition(), 50);
    EXPECT_EQ(third.LuminancePosition(), 50);
    EXPECT_TRUE(screens.Take().empty())
        << "a listed or absent filter stays as it is on the screens";
}

TEST_F(FilterSessionTest, AnActivePictureTheListLacksIsTakenOffTheScreensAsTheDialogSaysNone) {
    CFilterSession unknown = Open({1, kFileDefault, kFolder + "gone.bmp", 64, -30});
    EXPECT_EQ(unknown.Selection(), 0);
    EXPECT_FALSE(unknown.Working().on);
    EXPECT_EQ(screens.Take(), (Calls{"hide"})) << "the dialog says None, so the screens show none";
    EXPECT_EQ(unknown.Select(0), 0);
    EXPECT_TRUE(screens.Take().empty());
    EXPECT_EQ(unknown.Ok(reg), FilterState());
    EXPECT_EQ(LoadFilterState(reg), FilterState());

    // Cancel still puts the active filter back.
    CFilterSession cancelled = Open({1, kFileDefault, kFolder + "gone.bmp", 64, -30});
    screens.Take();
    EXPECT_TRUE(cancelled.Cancel().on);
    EXPECT_EQ(screens.Take(), (Calls{"load C:\\data\\gone.bmp", "show C:\\data\\gone.bmp 64 -30"}));
}

TEST_F(FilterSessionTest, ADefaultPictureInASubFolderIsFoundByItsWholeRelativeName) {
    std::vector<STDIMAGEDATA> images{{"amber.bmp", 40, 0, 40, 0},
                                     {"tints\\amber.bmp", 64, -20, 64, -20},
                                     {"dusk.png", 30, 0, 30, 0}};
    CFilterSession nested(screens, screens, images, kFolder,
                          {1, kFileDefault, kFolder + "tints\\amber.bmp", 64, -20});
    EXPECT_EQ(nested.Selection(), 2) << "not the top-level amber.bmp, and not None";
    EXPECT_TRUE(nested.Working().on);
    CFilterSession top(screens, screens, images, kFolder,
                       {1, kFileDefault, kFolder + "amber.bmp", 64, 0});
    EXPECT_EQ(top.Selection(), 1);
    // A path kept from another data folder still names its picture.
    CFilterSession moved(screens, screens, images, kFolder,
                         {1, kFileDefault, "E:\\old\\tints\\amber.bmp", 64, 0});
    EXPECT_EQ(moved.Selection(), 2);
    CFilterSession elsewhere(screens, screens, images, kFolder,
                             {1, kFileDefault, "E:\\old\\dusk.png", 30, 0});
    EXPECT_EQ(elsewhere.Selection(), 3);
    // A name that only ends the same way is another file.
    CFilterSession lookalike(screens, screens, images, kFolder,
                             {1, kFileDefault, kFolder + "xdusk.png", 30, 0});
    EXPECT_EQ(lookalike.Selection(), 0);
    EXPECT_EQ(screens.Take(), (Calls{"hide"}));
}

TEST_F(FilterSessionTest, AMissingDefaultPictureIsNamedByItsEntryAndFallsBackToNone) {
    CFilterSession session = Open(FilterState());
    EXPECT_EQ(session.Select(2), 0);
    EXPECT_EQ(screens.Take(), (Calls{"load C:\\data\\missing.png", "215 Image2", "hide"}));
    EXPECT_FALSE(session.ValueControlsEnabled());
}

TEST_F(FilterSessionTest, DefaultPictureUsesTheUsersValuesAndOkStoresThem) {
    CFilterSession session = Open(FilterState());
    session.Select(3);
    EXPECT_EQ(screens.Take(), (Calls{"load C:\\data\\c.jpg", "show C:\\data\\c.jpg 50 -5"}));
    session.SetTransmittance(50);
    session.SetLuminancePosition(0);
    EXPECT_EQ(screens.Take(), (Calls{"alpha 128", "luminance -100"}));
    FilterState stored = session.Ok(reg);
    EXPECT_EQ(stored, (FilterState{1, kFileDefault, "C:\\data\\c.jpg", 128, -100}));
    EXPECT_EQ(LoadFilterState(reg), stored);
    std::vector<STDIMAGEDATA> images = Images();
    LoadCurrentValues(reg, &images);
    EXPECT_EQ(images[2].currentAlpha, 128) << "the next opening starts from the user's choice";
    EXPECT_EQ(images[2].currentLuminance, -100);
    EXPECT_EQ(images[0].currentAlpha, 40);

    session.RestoreDefault();
    EXPECT_EQ(screens.Take(), (Calls{"alpha 80", "luminance -20"}));
}

TEST_F(FilterSessionTest, SelectFileWithoutBrowsingStoresPlainOff) {
    CFilterSession session = Open(FilterState());
    session.Select(4);
    EXPECT_TRUE(session.PathControlsEnabled());
    EXPECT_FALSE(session.ValueControlsEnabled());
    EXPECT_EQ(session.Ok(reg), FilterState());
    std::uint32_t type = 9;
    reg.ReadDword("FileType", &type, kFilterKey);
    EXPECT_EQ(type, 0u);
}

TEST_F(FilterSessionTest, BrowsingStartsAtAlpha64AndAFailedFileIsReported) {
    CFilterSession session = Open(FilterState());
    session.Select(4);
    screens.Take();
    session.Browsed("D:\\one.png");
    EXPECT_EQ(screens.Take(), (Calls{"load D:\\one.png", "show D:\\one.png 64 0"}));
    session.SetTransmittance(10);
    session.Browsed("D:\\two.png");
    EXPECT_EQ(session.Working().alpha, 26) << "a second file keeps the user's alpha";
    screens.Take();
    session.Browsed("D:\\missing.png");
    EXPECT_EQ(screens.Take(), (Calls{"load D:\\missing.png", "216 D:\\missing.png", "hide"}));
    EXPECT_TRUE(session.PathText().empty());
    EXPECT_EQ(session.Working().alpha, 0);
}

TEST_F(FilterSessionTest, RestoreDefaultGivesAUserFileAlpha64AndNoShift) {
    CFilterSession session = Open({1, kFileUser, "D:\\me.png", 100, 30});
    session.SetTransmittance(10);
    session.SetLuminancePosition(40);
    screens.Take();
    session.RestoreDefault();
    EXPECT_EQ(screens.Take(), (Calls{"alpha 64", "luminance 0"}));
    EXPECT_EQ(session.Working().alpha, 64);
    EXPECT_EQ(session.Working().luminance, 0);
    EXPECT_EQ(session.TransmittancePosition(), 25);
    EXPECT_EQ(session.LuminancePosition(), 100);

    // With the filter off there is nothing to restore.
    session.Select(0);
    screens.Take();
    session.RestoreDefault();
    EXPECT_TRUE(screens.Take().empty());
    EXPECT_EQ(session.Working(), FilterState());
}

TEST_F(FilterSessionTest, CancelAfterTryingPicturesShowsTheActiveFilterAgain) {
    const FilterState active{1, kFileUser, "D:\\me.png", 100, 30};
    CFilterSession session = Open(active);
    session.Select(1);
    session.Select(3);
    session.Select(0);
    screens.Take();
    EXPECT_EQ(session.Cancel(), active);
    EXPECT_EQ(screens.Take(), (Calls{"load D:\\me.png", "show D:\\me.png 100 30"}));

    CFilterSession unchanged = Open(active);
    unchanged.SetTransmittance(1);
    screens.Take();
    unchanged.Cancel();
    EXPECT_EQ(screens.Take(), (Calls{"show D:\\me.png 100 30"})) << "same picture, no reload";

    CFilterSession offBefore = Open(FilterState());
    offBefore.Select(1);
    screens.Take();
    EXPECT_EQ(offBefore.Cancel(), FilterState());
    EXPECT_EQ(screens.Take(), (Calls{"hide"}));
}

TEST_F(FilterSessionTest, CancelToAPictureThatIsGoneNamesItsEntryOrElseItsPath) {
    CFilterSession listed = Open({1, kFileDefault, kFolder + "missing.png", 30, 0});
    listed.Select(3);
    screens.Take();
    EXPECT_FALSE(listed.Cancel().on);
    EXPECT_EQ(screens.Take(), (Calls{"load C:\\data\\missing.png", "215 Image2", "hide"}));

    // The active picture is not in the list, so there is no entry to name.
    const FilterState active{1, kFileDefault, "C:\\old\\missing.bmp", 64, 0};
    CFilterSession session = Open(active);
    session.Select(1);
    screens.Take();
    EXPECT_FALSE(session.Cancel().on);
    EXPECT_EQ(screens.Take(),
              (Calls{"load C:\\old\\missing.bmp", "215 C:\\old\\missing.bmp", "hide"}));
}

TEST_F(FilterSessionTest, ReapplyResetsTheWorkingLuminanceOnlyWithAPicture) {
    CFilterSession session = Open({1, kFileUser, "D:\\me.png", 64, -30});
    session.Reapply();
    EXPECT_EQ(screens.Take(), (Calls{"luminance -30 reset"}));
    session.Select(0);
    session.Select(4);
    screens.Take();
    session.Reapply();
    EXPECT_TRUE(screens.Take().empty());
}

TEST(FilterStartUp, AnUnloadablePictureTurnsTheFilterOffForThisRun) {
    RecordingScreens screens;
    FilterState active{1, kFileUser, "D:\\missing.png", 64, 20};
    ShowActiveFilter(screens, &active);
    EXPECT_EQ(active, FilterState());
    FilterState good{1, kFileUser, "D:\\me.png", 64, 20};
    ShowActiveFilter(screens, &good);
    EXPECT_EQ(screens.calls.back(), "show D:\\me.png 64 20 reset");
}

}  // namespace
