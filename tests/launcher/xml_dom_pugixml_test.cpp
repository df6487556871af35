// The pugixml adapter: the contract and reader cases run over it, plus what
// only a native build can afford to throw at the reader.
#include <gtest/gtest.h>

#include <string>

#include "dom_test_support.h"
#include "launcher/launcher_info_reader.h"
#include "platform/pugixml/xml_dom_pugixml.h"

namespace launcher_test {

std::unique_ptr<platform::XmlDom> MakeTestDom() {
    return std::make_unique<platform::PugiXmlDom>();
}

namespace {

TEST(PugiXmlDom, BufferAndFileLoadAlike) {
    const std::string xml = "<root> a <b>\n</b></root>";
    auto fromBuffer = platform::PugiXmlDom::LoadBuffer(xml.data(), xml.size());
    platform::PugiXmlDom dom;
    auto fromFile = LoadText(dom, xml);
    ASSERT_TRUE(fromBuffer);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromBuffer->DocumentElement()->Text(), u" a \n");
    EXPECT_EQ(fromFile->DocumentElement()->Text(), u" a \n");
    EXPECT_FALSE(platform::PugiXmlDom::LoadBuffer("<root>", 6));
}

TEST(PugiXmlDom, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    // A stray continuation byte, a truncated sequence, an overlong form and an
    // encoded surrogate, each between two letters.
    const std::string xml =
        "<r>a\x80"
        "b\xE3\x82"
        "c\xC0\xAF"
        "d\xED\xA0\x80"
        "e</r>";
    auto document = platform::PugiXmlDom::LoadBuffer(xml.data(), xml.size());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->DocumentElement()->Text(),
              u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFDd\uFFFD\uFFFD\uFFFDe");
}

TEST(LauncherInfoHostile, DeepNestingAndHugeFilesEndNormally) {
    std::string deep = "<Orvex_LCD_Utility_Disk><Launcher_Title>";
    for (int i = 0; i < 200000; ++i) {
        deep += "<x>";
    }
    deep += "t";
    for (int i = 0; i < 200000; ++i) {
        deep += "</x>";
    }
    deep += "</Launcher_Title></Orvex_LCD_Utility_Disk>";
    auto document = platform::PugiXmlDom::LoadBuffer(deep.data(), deep.size());
    ASSERT_TRUE(document);
    launcher::TabList tabs;
    std::u16string title;
    launcher::ReadLauncherInfo(*document, &tabs, &title);
    EXPECT_EQ(title, u"t");

    std::string wide = "<Orvex_LCD_Utility_Disk><Manual_Tab><Title>M</Title>";
    for (int i = 0; i < 20000; ++i) {
        wide += "<Button_Info><Item>Manual</Item><Manual_File_Info/></Button_Info>";
    }
    wide += "</Manual_Tab></Orvex_LCD_Utility_Disk>";
    document = platform::PugiXmlDom::LoadBuffer(wide.data(), wide.size());
    ASSERT_TRUE(document);
    launcher::ReadLauncherInfo(*document, &tabs, &title);
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0]->m_items.size(), 20000u);
}

}  // namespace
}  // namespace launcher_test
