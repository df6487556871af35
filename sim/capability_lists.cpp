#include "sim/capability_lists.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace sim {
namespace {

bool HexWord(const std::string& word, unsigned limit, unsigned* value) {
    if (word.empty() || word.size() > 4) return false;
    unsigned result = 0;
    for (char c : word) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        result = result * 16 + static_cast<unsigned>(digit);
    }
    if (result > limit) return false;
    *value = result;
    return true;
}

// Splits into words and single parentheses; white space only separates.
std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::string word;
    for (char c : text) {
        if (c == '(' || c == ')' || std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty()) tokens.push_back(word);
            word.clear();
            if (c == '(' || c == ')') tokens.push_back(std::string(1, c));
        } else {
            word += c;
        }
    }
    if (!word.empty()) tokens.push_back(word);
    return tokens;
}

// Reads "code code(values) ..." up to the ")" that closes the group opened
// just before `pos`. Nested parentheses inside a value list are flattened.
bool ReadCodeGroup(const std::vector<std::string>& tokens, std::size_t* pos, std::uint16_t page,
                   ListedRegisters* listed) {
    bool haveCode = false;
    RegisterKey current{page, 0};
    while (*pos < tokens.size()) {
        const std::string& token = tokens[(*pos)++];
        if (token == ")") return true;
        if (token == "(") {
            if (!haveCode) return false;
            auto& list = listed->values[current];
            int depth = 1;
            while (depth > 0) {
                if (*pos >= tokens.size()) return false;
                const std::string& inner = tokens[(*pos)++];
                if (inner == "(")
                    ++depth;
                else if (inner == ")")
                    --depth;
                else {
                    unsigned value = 0;
                    if (!HexWord(inner, 0xFF, &value)) return false;
                    list.push_back(static_cast<std::uint8_t>(value));
                }
            }
            continue;
        }
        unsigned code = 0;
        if (!HexWord(token, 0xFF, &code)) return false;
        current.code = static_cast<std::uint8_t>(code);
        haveCode = true;
        listed->values[current];
    }
    return false;
}

}  // namespace

bool ListedRegisters::Allows(RegisterKey key, std::uint32_t value) const {
    const auto found = values.find(key);
    if (found == values.end() || found->second.empty()) return true;
    return std::find(found->second.begin(), found->second.end(), value) != found->second.end();
}

bool ListCapabilities(std::string_view text, ListedRegisters* listed) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // "vcpname(" of newer strings must not be taken for the code list.
    std::size_t at = 0;
    while ((at = lower.find("vcp", at)) != std::string::npos) {
        std::size_t after = at + 3;
        while (after < lower.size() && lower[after] == ' ') ++after;
        if (after < lower.size() && lower[after] == '(' &&
            (at == 0 || !std::isalpha(static_cast<unsigned char>(lower[at - 1])))) {
            const auto tokens = Tokens(std::string_view(lower).substr(after + 1));
            std::size_t pos = 0;
            ListedRegisters found;
            if (!ReadCodeGroup(tokens, &pos, 0, &found)) return false;
            for (auto& [key, list] : found.values) listed->values[key] = list;
            return true;
        }
        at = after;
    }
    return false;
}

bool ListExtendedCapabilities(std::string_view text, ListedRegisters* listed) {
    const auto tokens = Tokens(text);
    ListedRegisters found;
    std::size_t pos = 0;
    while (pos < tokens.size()) {
        unsigned page = 0;
        if (!HexWord(tokens[pos++], 0xFFFF, &page)) return false;
        if (pos >= tokens.size() || tokens[pos++] != "(") return false;
        if (!ReadCodeGroup(tokens, &pos, static_cast<std::uint16_t>(page), &found)) return false;
    }
    for (auto& [key, list] : found.values) listed->values[key] = list;
    return true;
}

}  // namespace sim
