#include "platform/pugixml/xml_dom_pugixml.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// pugixml hands out its input bytes unchecked, so a damaged file may carry
// byte sequences that are not UTF-8: each bad byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char16_t>(lead));
            ++i;
            continue;
        }
        int length = 0;
        std::uint32_t code = 0;
        std::uint32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= in.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) {
                valid = false;
            } else {
                code = (code << 6) | (next & 0x3Fu);
            }
        }
        if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) {
            valid = false;
        }
        if (!valid) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FFu)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string Utf16ToUtf8(std::u16string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        std::uint32_t code = in[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (in[i + 1] - 0xDC00u);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

std::filesystem::path NativePath(const std::u16string& windowsPath) {
    std::string utf8 = Utf16ToUtf8(windowsPath);
    for (char& c : utf8) {
        if (c == '\\') {
            c = '/';
        }
    }
    return std::filesystem::path(utf8);
}

// The next node of a depth-first walk below `root`, without recursion: damaged
// files may nest thousands of levels deep.
pugi::xml_node NextInWalk(pugi::xml_node node, pugi::xml_node root) {
    if (node.first_child()) {
        return node.first_child();
    }
    while (node && node != root) {
        if (node.next_sibling()) {
            return node.next_sibling();
        }
        node = node.parent();
    }
    return pugi::xml_node();
}

using SharedDocument = std::shared_ptr<const pugi::xml_document>;

class PugiElement final : public XmlElement {
public:
    PugiElement(SharedDocument document, pugi::xml_node node)
        : document_(std::move(document)), node_(node) {}

    std::u16string Name() const override { return Utf8ToUtf16(node_.name()); }

    std::u16string Text() const override {
        std::string text;
        for (pugi::xml_node n = NextInWalk(node_, node_); n; n = NextInWalk(n, node_)) {
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
                text += n.value();
            }
        }
        return Utf8ToUtf16(text);
    }

    std::unique_ptr<XmlElement> FirstChild(std::u16string_view name) const override {
        const std::string wanted = Utf16ToUtf8(name);
        for (pugi::xml_node n = node_.first_child(); n; n = n.next_sibling()) {
            if (n.type() == pugi::node_element && wanted == n.name()) {
                return Wrap(n);
            }
        }
        return nullptr;
    }

    XmlElementList Children(std::u16string_view name) const override {
        const std::string wanted = Utf16ToUtf8(name);
        XmlElementList list;
        for (pugi::xml_node n = node_.first_child(); n; n = n.next_sibling()) {
            if (n.type() == pugi::node_element && wanted == n.name()) {
                list.push_back(Wrap(n));
            }
        }
        return list;
    }

    XmlElementList ChildElements() const override {
        XmlElementList list;
        for (pugi::xml_node n = node_.first_child(); n; n = n.next_sibling()) {
            if (n.type() == pugi::node_element) {
                list.push_back(Wrap(n));
            }
        }
        return list;
    }

    XmlElementList Descendants(std::u16string_view name) const override {
        const std::string wanted = Utf16ToUtf8(name);
        XmlElementList list;
        for (pugi::xml_node n = NextInWalk(node_, node_); n; n = NextInWalk(n, node_)) {
            if (n.type() == pugi::node_element && wanted == n.name()) {
                list.push_back(Wrap(n));
            }
        }
        return list;
    }

private:
    std::unique_ptr<XmlElement> Wrap(pugi::xml_node node) const {
        return std::make_unique<PugiElement>(document_, node);
    }

    SharedDocument document_;
    pugi::xml_node node_;
};

class PugiDocument final : public XmlDocument {
public:
    explicit PugiDocument(SharedDocument document) : document_(std::move(document)) {}

    std::unique_ptr<XmlElement> DocumentElement() const override {
        return std::make_unique<PugiElement>(document_, document_->document_element());
    }

private:
    SharedDocument document_;
};

// Whitespace-only text stays in the tree; entities and line ends are decoded
// as any conforming parser does. Parsing as a fragment keeps text outside the
// root visible, and keeping the document type as a node lets a file that
// declares one be seen, so that both can be refused below.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_fragment | pugi::parse_doctype;

// pugixml accepts a few things that are not one well-formed document: no
// element at all, a second top-level element, text beside the root. The Windows DOM refuses them,
// and so does this adapter, so that a file reads the same on both. A document type is refused too:
// the files are data, and the Windows side refuses any file that declares one (pugixml would not
// expand its entities, but would leave their references in the text).
bool IsOnePlainDocument(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node n = document.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_doctype) {
            return false;
        }
        if (n.type() == pugi::node_element) {
            ++elements;
        } else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            const std::string_view text = n.value();
            if (n.type() == pugi::node_cdata ||
                text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
                return false;
            }
        }
    }
    return elements == 1;
}

std::unique_ptr<XmlDocument> Finish(std::shared_ptr<pugi::xml_document> document,
                                    const pugi::xml_parse_result& result) {
    // A parse error leaves a partial tree behind; it is never used.
    if (!result || !IsOnePlainDocument(*document)) {
        return nullptr;
    }
    return std::make_unique<PugiDocument>(std::move(document));
}

}  // namespace

bool PugiXmlDom::FileExists(const std::u16string& path) {
    std::error_code error;
    return std::filesystem::exists(NativePath(path), error);
}

std::unique_ptr<XmlDocument> PugiXmlDom::LoadFile(const std::u16string& path) {
    // A folder of that name must not reach the parser, which would size it as a file.
    const std::filesystem::path nativePath = NativePath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(nativePath, error)) {
        return nullptr;
    }
    auto document = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result result =
        document->load_file(nativePath.c_str(), kParseOptions, pugi::encoding_auto);
    return Finish(std::move(document), result);
}

std::unique_ptr<XmlDocument> PugiXmlDom::LoadBuffer(const void* data, std::size_t size) {
    auto document = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result result =
        document->load_buffer(data, size, kParseOptions, pugi::encoding_auto);
    return Finish(std::move(document), result);
}

}  // namespace platform
