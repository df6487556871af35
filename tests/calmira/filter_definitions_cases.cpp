// The definition-file reader over a DOM adapter; built once per adapter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calmira/filter_definitions.h"
#include "calmira/filter_state.h"
#include "launcher/dom_test_support.h"
#include "support/memory_registry.h"

namespace calmira_test {
namespace {

using namespace calmira;

// The test files use ASCII names only.
class AsciiCodec : public TextCodec {
public:
    std::u16string Widen(const std::string& text) override {
        return std::u16string(text.begin(), text.end());
    }
    std::string Narrow(const std::u16string& text) override {
        std::string narrow;
        for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }
};

class FilterDefinitions : public ::testing::Test {
protected:
    std::vector<STDIMAGEDATA> Read(const std::string& xml) {
        folder.Write("DefFilter.xml", xml);
        return ReadDefinitions();
    }
    std::vector<STDIMAGEDATA> ReadDefinitions() {
        auto dom = launcher_test::MakeTestDom();
        return ReadFilterDefinitions(*dom, codec, codec.Narrow(folder.DirWithSeparator()), reg);
    }
    const testing_support::MemoryRegistry::Value* Value(const std::string& image,
                                                        const char* name) {
        return store.Find(std::string(kFilterKey) + "\\" + image, name);
    }
    launcher_test::TempFolder folder;
    AsciiCodec codec;
    testing_support::MemoryRegistry store;
    CRegistry reg{&store};
};

TEST_F(FilterDefinitions, EntriesAtAnyDepthInOrderWithoutNamelessOnes) {
    auto images = Read(
        "<?xml version=\"1.0\"?><Filters>"
        "<DefaultFilter><FileName>one.bmp</FileName><WindowAlpha>80abc</WindowAlpha>"
        "<Luminance>-5</Luminance></DefaultFilter>"
        "<DefaultFilter><WindowAlpha>10</WindowAlpha></DefaultFilter>"
        "<Group><Deeper><DefaultFilter><FileName>two.png</FileName></DefaultFilter></Deeper></"
        "Group>"
        "<DefaultFilter><FileName>three.jpg</FileName><WindowAlpha>300</WindowAlpha>"
        "<Luminance>250</Luminance></DefaultFilter>"
        "<DefaultFilter><FileName>four.gif</FileName><WindowAlpha>-5</WindowAlpha>"
        "<Luminance></Luminance></DefaultFilter>"
        "</Filters>");
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].fileName, "one.bmp");
    EXPECT_EQ(images[0].defaultAlpha, 80);
    EXPECT_EQ(images[0].defaultLuminance, -5);
    EXPECT_EQ(images[0].currentAlpha, 80);
    EXPECT_EQ(images[1].fileName, "two.png") << "the nameless entry gives up its number";
    EXPECT_EQ(images[1].defaultAlpha, 0);
    EXPECT_EQ(images[2].defaultAlpha, 255) << "clamped, not wrapped";
    EXPECT_EQ(images[2].defaultLuminance, 100);
    EXPECT_EQ(images[3].defaultAlpha, 0) << "-5 must not become 251";
    EXPECT_EQ(images[3].defaultLuminance, 0);

    const auto* alpha = Value("one.bmp", "DefAlpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->type, platform::RegistryType::Dword);
    const auto* luminance = Value("one.bmp", "DefLuminance");
    ASSERT_NE(luminance, nullptr);
    EXPECT_EQ(luminance->type, platform::RegistryType::Binary);
    EXPECT_EQ(luminance->data, (std::vector<std::uint8_t>{0xFB, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Value("two.png", "DefAlpha"), nullptr) << "written only when present";
    EXPECT_NE(Value("four.gif", "DefLuminance"), nullptr) << "empty text is present and reads 0";
}

TEST_F(FilterDefinitions, MissingOrMalformedFilesGiveNoEntries) {
    EXPECT_TRUE(ReadDefinitions().empty());
    EXPECT_TRUE(Read("<Filters><DefaultFilter><FileName>a.bmp</FileName></DefaultFilter>").empty());
    EXPECT_TRUE(Read("not xml at all").empty());
    EXPECT_TRUE(Read("<DefaultFilter><FileName>root.bmp</FileName></DefaultFilter>").empty())
        << "only entries below the root count";
    EXPECT_TRUE(Read("<F><DefaultFilter><FileName></FileName></DefaultFilter></F>").empty());
    // A planted file that declares a document type is refused as a whole, even
    // with well-formed entries: its entities never reach the registry.
    EXPECT_TRUE(Read("<!DOCTYPE F [<!ENTITY n \"planted.bmp\">]>"
                     "<F><DefaultFilter><FileName>&n;</FileName><WindowAlpha>9</WindowAlpha></"
                     "DefaultFilter></F>")
                    .empty());
    EXPECT_EQ(store.writeCalls, 0);
}

}  // namespace
}  // namespace calmira_test
