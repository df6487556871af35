#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calmira/decimal_text.h"
#include "calmira/filter_definitions.h"
#include "calmira/filter_state.h"
#include "support/memory_registry.h"

namespace {

using namespace calmira;

TEST(FilterNumbers, DecimalTextReadsLikeAtoiButSaturates) {
    EXPECT_EQ(ParseDecimal("80abc"), 80);
    EXPECT_EQ(ParseDecimal("  -5"), -5);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal("- 5"), 0);
    EXPECT_EQ(ParseDecimal("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(u"\t300"), 300);
}

TEST(FilterNumbers, SliderMappings) {
    EXPECT_EQ(AlphaFromTransmittance(50), 128);
    EXPECT_EQ(AlphaFromTransmittance(1), 3);
    EXPECT_EQ(AlphaFromTransmittance(0), 0);
    EXPECT_EQ(TransmittanceFromAlpha(128), 50);
    EXPECT_EQ(TransmittanceFromAlpha(64), 25);
    EXPECT_EQ(TransmittanceFromAlpha(255), 50) << "the slider ends at 50";
    for (int p = 0; p <= 50; ++p) EXPECT_EQ(TransmittanceFromAlpha(AlphaFromTransmittance(p)), p);
    EXPECT_EQ(LuminanceFromPosition(0), -100);
    EXPECT_EQ(LuminanceFromPosition(200), 100);
    EXPECT_EQ(PositionFromLuminance(-50), 50);
    EXPECT_EQ(PositionFromLuminance(255), 200);
}

TEST(FilterNumbers, TilesStartTopLeftAndAnEmptyPictureHasNone) {
    TileGrid grid = TilesFor(1920, 1080, 300, 200);
    EXPECT_EQ(grid.columns, 7);
    EXPECT_EQ(grid.rows, 6);
    // Any side of zero, of the picture or of the screen, means no tiles (and no division by it).
    for (const TileGrid empty :
         {TilesFor(1920, 1080, 0, 0), TilesFor(1920, 1080, 0, 200), TilesFor(1920, 1080, 300, 0),
          TilesFor(0, 1080, 300, 200), TilesFor(1920, 0, 300, 200)}) {
        EXPECT_EQ(empty.columns, 0);
        EXPECT_EQ(empty.rows, 0);
    }
    EXPECT_EQ(TilesFor(600, 400, 300, 200).columns, 3) << "an exact fit still adds the cut column";
}

class FilterRegistry : public ::testing::Test {
protected:
    void Store(const char* name, std::uint32_t value) { reg.WriteDword(name, value, kFilterKey); }
    void StoreBinary(const char* name, std::int32_t value) {
        reg.WriteBinary(name, &value, 4, kFilterKey);
    }
    testing_support::MemoryRegistry store;
    CRegistry reg{&store};
};

TEST_F(FilterRegistry, OffSkipsTheRestAndValuesAreClampedOnRead) {
    Store("Alpha", 99);
    std::uint8_t off = 0;
    reg.WriteBinary("On", &off, 1, kFilterKey);
    EXPECT_EQ(LoadFilterState(reg), FilterState());

    std::uint8_t on = 1;
    reg.WriteBinary("On", &on, 1, kFilterKey);
    Store("FileType", 2);
    reg.WriteString("FilePath", "C:\\a.png", 9, kFilterKey);
    Store("Alpha", 300);
    StoreBinary("Luminance", 255);
    FilterState state = LoadFilterState(reg);
    EXPECT_EQ(state.on, 1);
    EXPECT_EQ(state.alpha, 255);
    EXPECT_EQ(state.luminance, 100) << "255 would make the ramp all white";
    EXPECT_EQ(state.filePath, "C:\\a.png");

    Store("Alpha", static_cast<std::uint32_t>(-5));
    StoreBinary("Luminance", -1000);
    state = LoadFilterState(reg);
    EXPECT_EQ(state.alpha, 0);
    EXPECT_EQ(state.luminance, -100);
}

TEST_F(FilterRegistry, APathFillingTheBufferIsTerminated) {
    std::uint8_t on = 1;
    reg.WriteBinary("On", &on, 1, kFilterKey);
    const std::string full(260, 'p');
    reg.WriteString("FilePath", full.data(), 260, kFilterKey);
    EXPECT_EQ(LoadFilterState(reg).filePath, full);
}

TEST_F(FilterRegistry, StoreWritesTheTypesAndSizesReadersExpect) {
    FilterState state{1, kFileDefault, "C:\\data\\b.bmp", 64, -50};
    StoreFilterState(reg, state);
    EXPECT_EQ(LoadFilterState(reg), state);
    const auto* on = store.Find(kFilterKey, "On");
    ASSERT_NE(on, nullptr);
    EXPECT_EQ(on->type, platform::RegistryType::Binary);
    EXPECT_EQ(on->data.size(), 1u);
    const auto* luminance = store.Find(kFilterKey, "Luminance");
    ASSERT_NE(luminance, nullptr);
    EXPECT_EQ(luminance->type, platform::RegistryType::Binary);
    EXPECT_EQ(luminance->data, (std::vector<std::uint8_t>{0xCE, 0xFF, 0xFF, 0xFF}));
    const auto* path = store.Find(kFilterKey, "FilePath");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->type, platform::RegistryType::String);
    EXPECT_EQ(std::string(path->data.begin(), path->data.end()), std::string("C:\\data\\b.bmp", 14))
        << "the path and its one terminating zero";

    StoreImageChoice(reg, "b.bmp", 40, 20);
    std::int32_t value = 0;
    ASSERT_TRUE(ReadImageValue(reg, "b.bmp", "ModLuminance", &value));
    EXPECT_EQ(value, 20);
    EXPECT_EQ(store.Find(std::string(kFilterKey) + "\\b.bmp", "ModAlpha")->type,
              platform::RegistryType::Dword);
}

TEST_F(FilterRegistry, APictureValueLongerThanFourBytesIsNotTheUsersChoice) {
    const std::string key = std::string(kFilterKey) + "\\b.bmp";
    const std::uint8_t five[5] = {10, 0, 0, 0, 7};
    reg.WriteBinary("ModAlpha", five, 5, key.c_str());
    reg.WriteBinary("ModLuminance", five, 4, key.c_str());
    std::vector<STDIMAGEDATA> images{{"b.bmp", 64, -20, 0, 0}};
    LoadCurrentValues(reg, &images);
    EXPECT_EQ(images[0].currentAlpha, 64) << "the picture's own default instead";
    EXPECT_EQ(images[0].currentLuminance, 10);
}

}  // namespace
