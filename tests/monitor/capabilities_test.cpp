#include "monitor/capabilities.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<int, int>>;
using Triples = std::vector<std::tuple<int, int, int>>;

Pairs ToPairs(const FeatureMap& map) {
    Pairs pairs;
    for (const auto& [code, value] : map) pairs.emplace_back(code, value);
    return pairs;
}

Triples ToTriples(const ExtendedFeatureMap& map) {
    Triples triples;
    for (const auto& [key, value] : map) triples.emplace_back(key.page, key.code, value);
    return triples;
}

struct StandardCase {
    const char* name;
    std::string text;
    bool ok;
    Pairs features;
};

class ParseCapabilitiesTable : public ::testing::TestWithParam<StandardCase> {};

TEST_P(ParseCapabilitiesTable, YieldsListedCodesAndValues) {
    const StandardCase& c = GetParam();
    FeatureMap map;
    EXPECT_EQ(ParseCapabilities(c.text, map), c.ok);
    EXPECT_EQ(ToPairs(map), c.features);
}

const std::string kTail = ")mswhql(1)mccs_ver(2.1))";

INSTANTIATE_TEST_SUITE_P(
    Capabilities, ParseCapabilitiesTable,
    ::testing::Values(
        StandardCase{"PlainCodes",
                     "vcp(02 04 10)mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x02, -1}, {0x04, -1}, {0x10, -1}}},
        StandardCase{
            "TypicalMonitor",
            "(prot(monitor)type(lcd)model(x1)cmds(01 02 03 0c e3 f3)vcp(02 04 10 14(05 08 0b) "
            "60(01 03))mswhql(1)mccs_ver(2.1))",
            true,
            {{0x02, -1},
             {0x04, -1},
             {0x10, -1},
             {0x14, 0x05},
             {0x14, 0x08},
             {0x14, 0x0B},
             {0x60, 0x01},
             {0x60, 0x03}}},
        StandardCase{"MccsVersionBeforeWhql",
                     "vcp(10 12)mccs_ver(2.1)mswhql(1)",
                     true,
                     {{0x10, -1}, {0x12, -1}}},
        StandardCase{"UpperCaseMarkersAndDigits",
                     "VCP(0A 1F(0B))MSWHQL(1)MCCS_VER(2.1)",
                     true,
                     {{0x0A, -1}, {0x1F, 0x0B}}},
        StandardCase{"SpacesInsideAndAroundLists",
                     "  vcp(  14  (  05   08 )  60 ( 01 )  )mswhql(1)mccs_ver(2.1)  ",
                     true,
                     {{0x14, 0x05}, {0x14, 0x08}, {0x60, 0x01}}},
        StandardCase{"NestedListIsFlattened",
                     "vcp(60(01 03 (11)) 62" + kTail,
                     true,
                     {{0x60, 0x01}, {0x60, 0x03}, {0x60, 0x11}, {0x62, -1}}},
        StandardCase{"NestedListWithoutSpace",
                     "vcp(60(01 03(11)))mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x60, 0x01}, {0x60, 0x03}, {0x60, 0x11}}},
        StandardCase{"OversizedTokensKeepLowByte",
                     "vcp(1ff(1fe 123456789abc))mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0xFF, 0xFE}, {0xFF, 0xFF}}},
        StandardCase{"UnconvertibleTokenIsZero",
                     "vcp(zz 10(qq))mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x00, -1}, {0x10, 0x00}}},
        // A prefix counts only with a hex digit after it: "0x" alone is the number 0.
        StandardCase{"StrtolSignAndPrefix",
                     "vcp(0x1f -1 +10 0xa 0x)mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x00, -1}, {0x0A, -1}, {0x10, -1}, {0x1F, -1}, {0xFF, -1}}},
        StandardCase{"DuplicatesKeepListingOrder",
                     "vcp(10(03 01) 10(02 03))mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x10, 0x03}, {0x10, 0x01}, {0x10, 0x02}, {0x10, 0x03}}},
        StandardCase{
            "EmptyValueListAddsNothing", "vcp(10() 12)mswhql(1)mccs_ver(2.1)", true, {{0x12, -1}}},
        StandardCase{"TokenAfterLastParenthesisDropped",
                     "vcp(10 12(01)mswhql(1)mccs_ver(2.1)",
                     true,
                     {{0x10, -1}, {0x12, 0x01}}},
        StandardCase{"ListEndsAtFirstMarker",
                     "vcp(10)mswhql(1)mccs_ver(2.1) vcp(20)mswhql",
                     true,
                     {{0x10, -1}}},
        StandardCase{"EmptyText", "", false, {}}, StandardCase{"OnlySpaces", "     ", false, {}},
        StandardCase{"NoVcp", "prot(monitor)mswhql(1)mccs_ver(2.1)", false, {}},
        StandardCase{"NoWhqlMarker", "vcp(10 12)mccs_ver(2.1)", false, {}},
        StandardCase{"NoVersionMarker", "vcp(10 12)mswhql(1)", false, {}},
        StandardCase{"MarkersBeforeVcp", "x)mswhql(1))mccs_ver(2.1) vcp(10 12)", false, {}},
        StandardCase{"EmbeddedNulAndControlBytes",
                     std::string("vcp(1\0 \x01\xff 10)mswhql(1)mccs_ver(2.1)", 36),
                     true,
                     {{0x00, -1}, {0x01, -1}, {0x10, -1}}}),
    [](const ::testing::TestParamInfo<StandardCase>& info) {
        return std::string(info.param.name);
    });

struct ExtendedCase {
    const char* name;
    std::string text;
    bool ok;
    Triples features;
};

class ParseExtendedTable : public ::testing::TestWithParam<ExtendedCase> {};

TEST_P(ParseExtendedTable, YieldsPagesCodesAndValues) {
    const ExtendedCase& c = GetParam();
    ExtendedFeatureMap map;
    EXPECT_EQ(ParseExtendedCapabilities(c.text, map), c.ok);
    EXPECT_EQ(ToTriples(map), c.features);
}

INSTANTIATE_TEST_SUITE_P(
    Extended, ParseExtendedTable,
    ::testing::Values(
        ExtendedCase{"PageGroups",
                     "10(e2 e3 e4 e5 e6 e7)30(e2(00 01 02) e3 e4)",
                     true,
                     {{0x10, 0xE2, -1},
                      {0x10, 0xE3, -1},
                      {0x10, 0xE4, -1},
                      {0x10, 0xE5, -1},
                      {0x10, 0xE6, -1},
                      {0x10, 0xE7, -1},
                      {0x30, 0xE2, 0},
                      {0x30, 0xE2, 1},
                      {0x30, 0xE2, 2},
                      {0x30, 0xE3, -1},
                      {0x30, 0xE4, -1}}},
        ExtendedCase{"SpacedAndUpperCase",
                     "  10 ( E2  E3 ) 30 ( E2 ( 00  01 ) )  ",
                     true,
                     {{0x10, 0xE2, -1}, {0x10, 0xE3, -1}, {0x30, 0xE2, 0}, {0x30, 0xE2, 1}}},
        ExtendedCase{
            "PageSeparatedBySpace", "f0 e2 e3)", true, {{0xF0, 0xE2, -1}, {0xF0, 0xE3, -1}}},
        ExtendedCase{"WidePageKeepsSixteenBits", "12345(e2(1ff))", true, {{0x2345, 0xE2, 0xFF}}},
        ExtendedCase{"NestedValueList",
                     "30(e3(00 01 (02) e4)",
                     true,
                     {{0x30, 0xE3, 0}, {0x30, 0xE3, 1}, {0x30, 0xE3, 2}, {0x30, 0xE4, -1}}},
        ExtendedCase{
            "PagesOutOfOrderAreSorted", "30(e2)10(e2)", true, {{0x10, 0xE2, -1}, {0x30, 0xE2, -1}}},
        ExtendedCase{"LeadingParenthesisStartsPageZero",
                     "(10 e2)",
                     true,
                     {{0x00, 0x10, -1}, {0x00, 0xE2, -1}}},
        ExtendedCase{"UnclosedGroupDropsLastToken", "10(e2 e3", true, {{0x10, 0xE2, -1}}},
        ExtendedCase{"StrayClosingParentheses", "))10(e2)))", true, {{0x10, 0xE2, -1}}},
        ExtendedCase{"OnlySpacesSucceedsEmpty", "    ", true, {}},
        ExtendedCase{"EmptyText", "", false, {}}),
    [](const ::testing::TestParamInfo<ExtendedCase>& info) {
        return std::string(info.param.name);
    });

TEST(ParseCapabilities, ATextTooShortToHoldAListGivesNothingWithoutReadingPastIt) {
    for (const char* text : {"x", " ", ")", "( "}) {
        FeatureMap map;
        ExtendedFeatureMap extended;
        EXPECT_FALSE(ParseCapabilities(text, map)) << '"' << text << '"';
        ParseExtendedCapabilities(text, extended);
        EXPECT_TRUE(extended.empty()) << '"' << text << '"';
    }
}

TEST(ParseCapabilities, AddsToExistingMapWithoutClearing) {
    FeatureMap map{{0x10, -1}};
    ASSERT_TRUE(ParseCapabilities("vcp(10 12)mswhql(1)mccs_ver(2.1)", map));
    EXPECT_EQ(ToPairs(map), (Pairs{{0x10, -1}, {0x10, -1}, {0x12, -1}}));

    ExtendedFeatureMap ext{{ExtendedFeatureKey{0x10, 0xE2}, -1}};
    ASSERT_TRUE(ParseExtendedCapabilities("10(e2)", ext));
    EXPECT_EQ(ext.size(), 2u);
}

TEST(HasFeature, AnswersForCodesWithAndWithoutValueLists) {
    FeatureMap map;
    ASSERT_TRUE(ParseCapabilities("vcp(10 14(05 08) 60(01))mswhql(1)mccs_ver(2.1)", map));
    struct Query {
        int code;
        int value;
        bool expected;
    };
    const Query queries[] = {
        {0x10, -1, true},    {0x10, 0, true},    {0x10, 12345, true},  // listed without values
        {0x14, -1, true},    {0x14, 0x05, true}, {0x14, 0x08, true},
        {0x14, 0x06, false}, {0x14, 0, false},  // only listed values
        {0x12, -1, false},   {0x12, 0, false},  // not listed
    };
    for (const Query& q : queries) {
        EXPECT_EQ(HasFeature(map, static_cast<std::uint8_t>(q.code), q.value), q.expected)
            << "code " << q.code << " value " << q.value;
    }
}

TEST(HasFeature, AnyValueElementAmongListedValuesAllowsEverything) {
    // A code listed once with values and once without takes any value.
    FeatureMap map;
    ASSERT_TRUE(ParseCapabilities("vcp(14(05) 14)mswhql(1)mccs_ver(2.1)", map));
    EXPECT_TRUE(HasFeature(map, 0x14, 0x07));
}

TEST(HasExtendedFeature, DistinguishesPagesAndValues) {
    ExtendedFeatureMap map;
    ASSERT_TRUE(ParseExtendedCapabilities("10(e2 e3)30(e3(00 01 02 03 04))", map));
    EXPECT_TRUE(HasExtendedFeature(map, 0x10, 0xE2, -1));
    EXPECT_TRUE(HasExtendedFeature(map, 0x10, 0xE3, 77));
    EXPECT_FALSE(HasExtendedFeature(map, 0x20, 0xE2, -1));
    EXPECT_TRUE(HasExtendedFeature(map, 0x30, 0xE3, 4));
    EXPECT_FALSE(HasExtendedFeature(map, 0x30, 0xE3, 5));
    EXPECT_FALSE(HasExtendedFeature(map, 0x30, 0xE2, -1));
}

TEST(ListsWriteValue, AcceptsListedOrFreeValuesAndNeverTakesAValueForTheWildcard) {
    FeatureMap map;
    ASSERT_TRUE(ParseCapabilities("vcp(10 14(05 08))mswhql(1)mccs_ver(2.1)", map));
    EXPECT_TRUE(ListsWriteValue(map, 0x10, 0xFFFF));
    EXPECT_TRUE(ListsWriteValue(map, 0x14, 0x08));
    EXPECT_FALSE(ListsWriteValue(map, 0x14, 0x06));
    // All bits set reads as -1 in a signed 32-bit value: still not one of 05 08.
    EXPECT_FALSE(ListsWriteValue(map, 0x14, 0xFFFFFFFFu));
    EXPECT_FALSE(ListsWriteValue(map, 0x12, 0));

    ExtendedFeatureMap ext;
    ASSERT_TRUE(ParseExtendedCapabilities("10(e2)30(e3(00 04))", ext));
    EXPECT_TRUE(ListsWriteValue(ext, 0x10, 0xE2, 77));
    EXPECT_TRUE(ListsWriteValue(ext, 0x30, 0xE3, 4));
    EXPECT_FALSE(ListsWriteValue(ext, 0x30, 0xE3, 0xFFFFFFFFu));
    EXPECT_FALSE(ListsWriteValue(ext, 0x20, 0xE3, 4));
}

}  // namespace
