// What the launcher and filter readers rely on from any DOM adapter. Built
// once per adapter so that the native one cannot drift from the Windows one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dom_test_support.h"

namespace launcher_test {
namespace {

using platform::XmlElementList;

std::vector<std::u16string> Texts(const XmlElementList& elements) {
    std::vector<std::u16string> texts;
    for (const auto& element : elements) {
        texts.push_back(element->Text());
    }
    return texts;
}

std::vector<std::u16string> Names(const XmlElementList& elements) {
    std::vector<std::u16string> names;
    for (const auto& element : elements) {
        names.push_back(element->Name());
    }
    return names;
}

TEST(XmlDomContract, FindsElementsByExactNameInDocumentOrder) {
    auto dom = MakeTestDom();
    auto document = LoadText(*dom,
                             "<root><a>1</a><b>x</b><a>2</a><!--c--><A>3</A><?pi x?>"
                             "<a>4</a><sub><a>deep</a><sub><a>deeper</a></sub></sub></root>");
    ASSERT_TRUE(document);
    auto root = document->DocumentElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Name(), u"root");

    auto first = root->FirstChild(u"a");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Text(), u"1");
    EXPECT_EQ(Texts(root->Children(u"a")), (std::vector<std::u16string>{u"1", u"2", u"4"}));
    EXPECT_EQ(Names(root->ChildElements()),
              (std::vector<std::u16string>{u"a", u"b", u"a", u"A", u"a", u"sub"}));
    EXPECT_EQ(Texts(root->Descendants(u"a")),
              (std::vector<std::u16string>{u"1", u"2", u"4", u"deep", u"deeper"}));

    EXPECT_FALSE(root->FirstChild(u"missing"));
    EXPECT_FALSE(root->FirstChild(u"B"));
    EXPECT_TRUE(root->Children(u"missing").empty());
    EXPECT_TRUE(root->Descendants(u"root").empty());
    EXPECT_TRUE(first->ChildElements().empty());
}

TEST(XmlDomContract, TextIsTheCompleteContentVerbatim) {
    struct Case {
        const char* inner;
        std::u16string expected;
    };
    const Case cases[] = {
        {"  spaced  ", u"  spaced  "},
        {"\n\t ", u"\n\t "},
        {"", u""},
        {"a<b>b<c>c</c></b>d", u"abcd"},
        {"x<!-- note -->y<?pi z?>", u"xy"},
        {"<![CDATA[<raw> & ]]>", u"<raw> & "},
        {"&amp;&lt;&gt;&quot;&apos;&#x3042;&#12354;", u"&<>\"'\u3042\u3042"},
        {"line1\r\nline2", u"line1\nline2"},
        {"\xE3\x83\x9E\xE3\x83\x8B\xE3\x83\xA5\xE3\x82\xA2\xE3\x83\xAB",
         u"\u30DE\u30CB\u30E5\u30A2\u30EB"},
        {"\xF0\xA0\x80\x8B", u"\U0002000B"},
    };
    auto dom = MakeTestDom();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.inner);
        auto document = LoadText(*dom, std::string("<root><v>") + test.inner + "</v></root>");
        ASSERT_TRUE(document);
        auto value = document->DocumentElement()->FirstChild(u"v");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->Text(), test.expected);
    }
}

TEST(XmlDomContract, ReadsTheEncodingsADiskMayCarry) {
    // "<r>ア</r>" in UTF-8 with a byte-order mark and in UTF-16 (little endian) with one.
    const std::string utf8Bom = "\xEF\xBB\xBF<r>\xE3\x82\xA2</r>";
    static const char utf16Bytes[] = "\xFF\xFE<\0r\0>\0\xA2\x30<\0/\0r\0>\0";
    const std::string utf16(utf16Bytes, sizeof(utf16Bytes) - 1);
    auto dom = MakeTestDom();
    for (const std::string& bytes : {utf8Bom, utf16}) {
        auto document = LoadText(*dom, bytes);
        ASSERT_TRUE(document);
        EXPECT_EQ(document->DocumentElement()->Name(), u"r");
        EXPECT_EQ(document->DocumentElement()->Text(), u"\u30A2");
    }
}

TEST(XmlDomContract, RefusesWhatIsNotOneWellFormedDocument) {
    const std::string cases[] = {
        "",
        "<root>",
        "<root><a></root>",
        "<a></b>",
        "<!-- nothing but a comment -->",
        "just text",
        "<root/><second/>",
        "<root/>trailing text",
        "<root/><![CDATA[x]]>",
        std::string("\x00\xFF\xFE garbage", 11),
    };
    auto dom = MakeTestDom();
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        TempFolder folder;
        const std::u16string path = folder.Write("bad.xml", bytes);
        EXPECT_TRUE(dom->FileExists(path));
        EXPECT_FALSE(dom->LoadFile(path));
    }
}

TEST(XmlDomContract, RefusesAnyDocumentTypeSoNothingIsFetchedOrExpanded) {
    TempFolder folder;
    // A file beside the document that an external entity points at.
    const std::u16string secret = folder.Write("secret.txt", "outside");
    std::string secretPath(secret.begin(), secret.end());
    const std::string external =
        "<!DOCTYPE root [<!ENTITY ext SYSTEM \"" + secretPath + "\">]><root>&ext;</root>";
    const std::string nested =
        "<!DOCTYPE root [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><root>&c;</root>";
    // The same internal subset in UTF-16 with its byte-order mark.
    const std::string internalAscii = "<!DOCTYPE root [<!ELEMENT root (#PCDATA)>]><root>x</root>";
    std::string internalUtf16 = "\xFF\xFE";
    for (char c : internalAscii) {
        internalUtf16 += c;
        internalUtf16 += '\0';
    }
    const std::string cases[] = {
        "<!DOCTYPE root [<!ELEMENT root (#PCDATA)>]><root>x</root>",
        "<?xml version=\"1.0\"?>\r\n<!-- a note -->\n<!DOCTYPE root><root>x</root>",
        "\xEF\xBB\xBF<!DOCTYPE root SYSTEM \"other.dtd\"><root>x</root>",
        external,
        nested,
        internalUtf16,
    };
    auto dom = MakeTestDom();
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(LoadText(*dom, bytes));
    }

    // Only the prolog can declare one: the same words later are plain content.
    auto document = LoadText(*dom, "<root><!-- <!DOCTYPE x> -->&lt;!DOCTYPE y&gt;</root>");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->DocumentElement()->Text(), u"<!DOCTYPE y>");
}

TEST(XmlDomContract, MissingFilesAndFoldersLoadNothing) {
    auto dom = MakeTestDom();
    TempFolder folder;
    const std::u16string missing = folder.DirWithSeparator() + u"missing.xml";
    EXPECT_FALSE(dom->FileExists(missing));
    EXPECT_FALSE(dom->LoadFile(missing));

    folder.Write("sub/inner.xml", "<root/>");
    const std::u16string subfolder = folder.DirWithSeparator() + u"sub";
    EXPECT_TRUE(dom->FileExists(subfolder));
    EXPECT_FALSE(dom->LoadFile(subfolder));
}

TEST(XmlDomContract, ElementsStayUsableAfterTheDocumentIsGone) {
    auto dom = MakeTestDom();
    auto document = LoadText(*dom, "<root><a>kept</a></root>");
    ASSERT_TRUE(document);
    auto root = document->DocumentElement();
    document.reset();
    auto child = root->FirstChild(u"a");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->Text(), u"kept");
}

}  // namespace
}  // namespace launcher_test
