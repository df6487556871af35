#include "monitor/capabilities.h"

#include <cstddef>

namespace {

// The C locale's white space; the texts come from monitors and are plain ASCII
// when they are sane, so no locale is consulted.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

std::string Normalise(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsWhiteSpace(text[first])) ++first;
    while (last > first && IsWhiteSpace(text[last - 1])) --last;
    std::string result = text.substr(first, last - first);
    for (char& c : result) c = ToLowerAscii(c);
    while (result.find("  ") != std::string::npos) ReplaceAll(result, "  ", " ");
    ReplaceAll(result, ") ", ")");
    ReplaceAll(result, " (", "(");
    return result;
}

// Base-16 conversion with the rules of the Windows C runtime's strtol, whose
// long is 32 bits: leading white space and a sign are accepted, so is a "0x"
// prefix, conversion stops at the first non-hex character and an out-of-range
// number saturates. Doing it by hand keeps the result the same on every
// platform the parser is built for.
std::int64_t ConvertHexToken(const std::string& token) {
    std::size_t at = 0;
    while (at < token.size() && IsWhiteSpace(token[at])) ++at;
    bool negative = false;
    if (at < token.size() && (token[at] == '+' || token[at] == '-')) {
        negative = token[at] == '-';
        ++at;
    }
    if (at + 2 < token.size() && token[at] == '0' &&
        (token[at + 1] == 'x' || token[at + 1] == 'X') && HexDigitValue(token[at + 2]) >= 0) {
        at += 2;
    }
    const std::int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
    std::int64_t magnitude = 0;
    for (; at < token.size(); ++at) {
        const int digit = HexDigitValue(token[at]);
        if (digit < 0) break;
        magnitude = magnitude * 16 + digit;
        if (magnitude > limit) magnitude = limit;
    }
    return negative ? -magnitude : magnitude;
}

std::uint8_t ByteToken(const std::string& token) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(ConvertHexToken(token)) & 0xFFu);
}

std::uint16_t PageToken(const std::string& token) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(ConvertHexToken(token)) & 0xFFFFu);
}

}  // namespace

bool ParseCapabilities(const std::string& text, FeatureMap& features) {
    if (text.empty()) return false;
    const std::string normal = Normalise(text);

    static const std::string kVcp = "vcp(";
    const std::size_t vcp = normal.find(kVcp);
    if (vcp == std::string::npos) return false;
    // Both markers must be present; the list ends at whichever comes first.
    const std::size_t whql = normal.find(")mswhql");
    const std::size_t version = normal.find(")mccs_ver");
    if (whql == std::string::npos || version == std::string::npos) return false;
    const std::size_t end = whql < version ? whql : version;
    // A marker in front of the list does not close it: such a text has no
    // usable vcp list at all.
    const std::size_t begin = vcp + kVcp.size();
    if (end < begin) return false;
    const std::string list = normal.substr(begin, end - begin + 1);

    enum class State { TopLevel, ValueList };
    State state = State::TopLevel;
    std::string token;
    std::uint8_t code = 0;
    for (char c : list) {
        if (state == State::TopLevel) {
            if (c == ' ' || c == ')') {
                if (!token.empty()) features.emplace(ByteToken(token), -1);
                token.clear();
            } else if (c == '(') {
                if (!token.empty()) code = ByteToken(token);
                token.clear();
                state = State::ValueList;
            } else {
                token += c;
            }
        } else {
            // A nested "(" is flattened into the current list, but it still
            // separates values: normalisation strips the space in front of it,
            // so in "01 03 (11)" it is the only thing between 03 and 11.
            if (c == ' ' || c == '(' || c == ')') {
                if (!token.empty()) features.emplace(code, ByteToken(token));
                token.clear();
                if (c == ')') {
                    code = 0;
                    state = State::TopLevel;
                }
            } else {
                token += c;
            }
        }
    }
    return true;
}

bool ParseExtendedCapabilities(const std::string& text, ExtendedFeatureMap& features) {
    if (text.empty()) return false;
    const std::string normal = Normalise(text);

    enum class State { TopLevel, Page, ValueList };
    State state = State::TopLevel;
    std::string token;
    std::uint16_t page = 0;
    std::uint8_t code = 0;
    for (char c : normal) {
        switch (state) {
            case State::TopLevel:
                if (c == ' ' || c == '(') {
                    if (!token.empty()) page = PageToken(token);
                    token.clear();
                    state = State::Page;
                } else if (c != ')') {
                    token += c;
                }
                break;
            case State::Page:
                if (c == ' ' || c == ')') {
                    if (!token.empty())
                        features.emplace(ExtendedFeatureKey{page, ByteToken(token)}, -1);
                    token.clear();
                    code = 0;
                    if (c == ')') {
                        page = 0;
                        state = State::TopLevel;
                    }
                } else if (c == '(') {
                    if (!token.empty()) code = ByteToken(token);
                    token.clear();
                    state = State::ValueList;
                } else {
                    token += c;
                }
                break;
            case State::ValueList:
                // As in the standard list, a nested "(" separates values.
                if (c == ' ' || c == '(' || c == ')') {
                    if (!token.empty())
                        features.emplace(ExtendedFeatureKey{page, code}, ByteToken(token));
                    token.clear();
                    if (c == ')') {
                        code = 0;
                        state = State::Page;
                    }
                } else {
                    token += c;
                }
                break;
        }
    }
    return true;
}

namespace {

template <typename Map, typename Key>
bool HasValue(const Map& map, const Key& key, std::int32_t value) {
    const auto range = map.equal_range(key);
    if (range.first == range.second) return false;
    if (value == -1) return true;
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == value || it->second == -1) return true;
    }
    return false;
}

template <typename Map, typename Key>
bool ListsConcreteValue(const Map& map, const Key& key, std::uint32_t value) {
    const auto range = map.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == -1 ||
            (it->second >= 0 && static_cast<std::uint32_t>(it->second) == value))
            return true;
    }
    return false;
}

}  // namespace

bool HasFeature(const FeatureMap& features, std::uint8_t code, std::int32_t value) {
    return HasValue(features, code, value);
}

bool HasExtendedFeature(const ExtendedFeatureMap& features, std::uint16_t page, std::uint8_t code,
                        std::int32_t value) {
    return HasValue(features, ExtendedFeatureKey{page, code}, value);
}

bool ListsWriteValue(const FeatureMap& features, std::uint8_t code, std::uint32_t value) {
    return ListsConcreteValue(features, code, value);
}

bool ListsWriteValue(const ExtendedFeatureMap& features, std::uint16_t page, std::uint8_t code,
                     std::uint32_t value) {
    return ListsConcreteValue(features, ExtendedFeatureKey{page, code}, value);
}
