#pragma once
// Whether an XML file declares a document type. Both programs read files that
// someone else may have written (a copied disk read by the elevated launcher,
// a definition file in a shared data folder): a document type can pull other
// files in through external entities, or expand entities without limit, while
// it is parsed. Neither file has any use for one, so a file that declares one
// is refused before any parser sees it.
//
// Only the prolog is looked at: a document type can stand nowhere else, and
// text after the root element starts is never taken for a declaration.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace platform {

namespace xml_prolog_detail {

// Reads the file's characters one code unit at a time in the width and byte
// order its first bytes show. Every encoding a parser detects without a
// declaration is one of these; in the multi-byte ones (UTF-8, Shift-JIS, EUC)
// the bytes of '<', '!', '?', '-' and letters never occur inside another
// character, so reading them byte by byte is exact for the prolog's markup.
class CodeUnits {
public:
    CodeUnits(const unsigned char* data, std::size_t size) : data_(data), size_(size) {
        auto starts = [&](std::initializer_list<unsigned> bytes) {
            if (bytes.size() > size_) return false;
            std::size_t i = 0;
            for (unsigned b : bytes) {
                if (data_[i++] != b) return false;
            }
            return true;
        };
        if (starts({0x00, 0x00, 0xFE, 0xFF})) {
            width_ = 4, bigEndian_ = true, at_ = 4;
        } else if (starts({0xFF, 0xFE, 0x00, 0x00})) {
            width_ = 4, bigEndian_ = false, at_ = 4;
        } else if (starts({0xFE, 0xFF})) {
            width_ = 2, bigEndian_ = true, at_ = 2;
        } else if (starts({0xFF, 0xFE})) {
            width_ = 2, bigEndian_ = false, at_ = 2;
        } else if (starts({0xEF, 0xBB, 0xBF})) {
            at_ = 3;
        } else if (starts({0x00, 0x00, 0x00, 0x3C})) {
            width_ = 4, bigEndian_ = true;
        } else if (starts({0x3C, 0x00, 0x00, 0x00})) {
            width_ = 4, bigEndian_ = false;
        } else if (starts({0x00, 0x3C})) {
            width_ = 2, bigEndian_ = true;
        } else if (starts({0x3C, 0x00})) {
            width_ = 2, bigEndian_ = false;
        }
    }

    // The unit `ahead` units on, or -1 past the end.
    long Peek(std::size_t ahead = 0) const {
        const std::size_t offset = at_ + ahead * width_;
        if (offset + width_ > size_ || offset + width_ < offset) return -1;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width_; ++i) {
            const std::size_t byte = bigEndian_ ? i : width_ - 1 - i;
            value = (value << 8) | data_[offset + byte];
        }
        return static_cast<long>(value);
    }
    void Skip(std::size_t units) { at_ += units * width_; }
    bool AtEnd() const { return Peek() < 0; }
    bool Matches(const char* text) const {
        for (std::size_t i = 0; text[i] != '\0'; ++i) {
            if (Peek(i) != static_cast<unsigned char>(text[i])) return false;
        }
        return true;
    }
    // Moves past the next occurrence of text; false when there is none.
    bool SkipPast(const char* text) {
        std::size_t length = 0;
        while (text[length] != '\0') ++length;
        while (!AtEnd()) {
            if (Matches(text)) {
                Skip(length);
                return true;
            }
            Skip(1);
        }
        return false;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t width_ = 1;
    bool bigEndian_ = false;
    std::size_t at_ = 0;
};

}  // namespace xml_prolog_detail

// True when markup that is neither a processing instruction nor a comment
// starts with "<!" before the first element: a document type declaration, or
// something no parser would accept there anyway.
inline bool XmlDeclaresDocumentType(const void* data, std::size_t size) {
    xml_prolog_detail::CodeUnits units(static_cast<const unsigned char*>(data), size);
    for (;;) {
        const long c = units.Peek();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            units.Skip(1);
            continue;
        }
        if (c != '<') return false;
        if (units.Matches("<?")) {
            if (!units.SkipPast("?>")) return false;
        } else if (units.Matches("<!--")) {
            units.Skip(4);
            if (!units.SkipPast("-->")) return false;
        } else {
            return units.Peek(1) == '!';
        }
    }
}

}  // namespace platform
