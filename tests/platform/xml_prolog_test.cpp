// The prolog check the Windows XML adapter runs before its parser sees a file:
// every encoding a parser recognises on its own, and markup that only looks
// like a declaration.
#include <gtest/gtest.h>

#include <string>

#include "platform/xml_prolog.h"

namespace {

// The ASCII text in UTF-16 or UTF-32, in either byte order, after the prefix.
std::string Widen(const std::string& text, int width, bool bigEndian,
                  const std::string& prefix = "") {
    std::string out = prefix;
    for (char c : text) {
        std::string unit(static_cast<size_t>(width), '\0');
        unit[bigEndian ? static_cast<size_t>(width - 1) : 0] = c;
        out += unit;
    }
    return out;
}

bool Declares(const std::string& bytes) {
    return platform::XmlDeclaresDocumentType(bytes.data(), bytes.size());
}

TEST(XmlProlog, FindsADocumentTypeInEveryEncodingAParserDetects) {
    const std::string doctype = "<?xml version=\"1.0\"?><!--x--> <!DOCTYPE r><r/>";
    const std::string plain = "<?xml version=\"1.0\"?><!--x--> <r>&lt;!DOCTYPE</r>";
    struct Encoding {
        const char* name;
        int width;
        bool bigEndian;
        std::string bom;
    };
    const Encoding encodings[] = {
        {"UTF-8", 1, false, ""},
        {"UTF-8 with mark", 1, false, "\xEF\xBB\xBF"},
        {"UTF-16LE", 2, false, ""},
        {"UTF-16LE with mark", 2, false, "\xFF\xFE"},
        {"UTF-16BE", 2, true, ""},
        {"UTF-16BE with mark", 2, true, "\xFE\xFF"},
        {"UTF-32LE", 4, false, ""},
        {"UTF-32LE with mark", 4, false, std::string("\xFF\xFE\0\0", 4)},
        {"UTF-32BE", 4, true, ""},
        {"UTF-32BE with mark", 4, true, std::string("\0\0\xFE\xFF", 4)},
    };
    for (const Encoding& encoding : encodings) {
        SCOPED_TRACE(encoding.name);
        EXPECT_TRUE(Declares(Widen(doctype, encoding.width, encoding.bigEndian, encoding.bom)));
        EXPECT_FALSE(Declares(Widen(plain, encoding.width, encoding.bigEndian, encoding.bom)));
    }
}

TEST(XmlProlog, OnlyMarkupOfThePrologCounts) {
    EXPECT_FALSE(Declares(""));
    EXPECT_FALSE(Declares("<r/>"));
    EXPECT_FALSE(Declares("<r><!DOCTYPE r></r>"))
        << "inside the root it is the parser's error, not a declaration";
    EXPECT_FALSE(Declares("<?pi <!DOCTYPE r> ?><r/>"));
    EXPECT_FALSE(Declares("<!-- <!DOCTYPE r> --><r/>"));
    EXPECT_TRUE(Declares("<!-- a -- b --><!DOCTYPE r><r/>"));
    EXPECT_TRUE(Declares(" \t\r\n<!doctype r><r/>"))
        << "any other <! in the prolog is refused as well";
    EXPECT_FALSE(Declares("<!-- never closed <!DOCTYPE r>"));
    EXPECT_FALSE(Declares("<?never closed"));
    EXPECT_FALSE(Declares("text<!DOCTYPE r>"));
}

}  // namespace
