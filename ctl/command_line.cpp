#include "ctl/command_line.h"

#include <cstring>

namespace {

struct VerbName {
    const char* name;
    Verb verb;
    std::size_t minArguments;
    std::size_t maxArguments;
};

constexpr VerbName kVerbs[] = {
    {"detect", Verb::Detect, 0, 0},     {"caps", Verb::Caps, 0, 0},
    {"get", Verb::Get, 1, 1},           {"set", Verb::Set, 2, 2},
    {"mode", Verb::Mode, 0, 1},         {"sets", Verb::Sets, 0, 0},
    {"register", Verb::Register, 1, 1}, {"restore", Verb::Restore, 1, 1},
    {"delete", Verb::Delete, 1, 1},     {"volume", Verb::Volume, 0, 1},
    {"reset", Verb::Reset, 1, 1},       {"help", Verb::Help, 0, 0},
};

std::optional<std::uint32_t> ParseDigits(const std::string& text, int base, std::uint32_t maximum) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > maximum) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

bool HasHexPrefix(const std::string& text) {
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

}  // namespace

std::optional<std::uint32_t> ParseHexNumber(const std::string& text, std::uint32_t maximum) {
    return ParseDigits(HasHexPrefix(text) ? text.substr(2) : text, 16, maximum);
}

std::optional<std::uint32_t> ParseValue(const std::string& text, std::uint32_t maximum) {
    if (HasHexPrefix(text)) return ParseDigits(text.substr(2), 16, maximum);
    return ParseDigits(text, 10, maximum);
}

bool ParseCommandLine(const std::vector<std::string>& words, Command* command,
                      std::string* problem) {
    Command parsed;
    const VerbName* verb = nullptr;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool option = !optionsEnded && word.size() > 1 && word[0] == '-' &&
                            !(word[1] >= '0' && word[1] <= '9');
        if (option) {
            if (word == "--") {
                optionsEnded = true;
            } else if (word == "--json") {
                parsed.json = true;
            } else if (word == "--raw") {
                parsed.raw = true;
            } else if (word == "--no-cache") {
                parsed.noCache = true;
            } else if (word == "-h" || word == "--help") {
                parsed.verb = Verb::Help;
                *command = parsed;
                return true;
            } else if (word == "-m" || word == "--monitor" || word == "--page") {
                if (i + 1 >= words.size()) {
                    *problem = word + " needs a value";
                    return false;
                }
                const std::string& value = words[++i];
                if (word == "--page") {
                    const auto page = ParseHexNumber(value, 0xFF);
                    if (!page) {
                        *problem =
                            "--page takes a page number from 0 to FF (hexadecimal): " + value;
                        return false;
                    }
                    parsed.page = static_cast<std::uint16_t>(*page);
                    parsed.pageGiven = true;
                } else {
                    const auto monitor = ParseValue(value, 999);
                    if (!monitor) {
                        *problem = word + " takes a monitor index as detect lists it: " + value;
                        return false;
                    }
                    parsed.monitor = static_cast<int>(*monitor);
                }
            } else {
                *problem = "unknown option " + word;
                return false;
            }
            continue;
        }
        if (verb == nullptr) {
            for (const VerbName& candidate : kVerbs) {
                if (word == candidate.name) verb = &candidate;
            }
            if (verb == nullptr) {
                *problem = "unknown command " + word;
                return false;
            }
            parsed.verb = verb->verb;
            continue;
        }
        parsed.arguments.push_back(word);
    }
    if (verb == nullptr) {
        *problem = "no command given";
        return false;
    }
    if (parsed.arguments.size() < verb->minArguments ||
        parsed.arguments.size() > verb->maxArguments) {
        *problem = std::string(verb->name) +
                   (parsed.arguments.size() < verb->minArguments ? ": missing " : ": too many ") +
                   "arguments";
        return false;
    }
    if (parsed.pageGiven && parsed.verb != Verb::Get && parsed.verb != Verb::Set) {
        *problem = std::string("--page belongs to get and set, not ") + verb->name;
        return false;
    }
    if (parsed.raw && parsed.verb != Verb::Caps) {
        *problem = std::string("--raw belongs to caps, not ") + verb->name;
        return false;
    }
    *command = parsed;
    return true;
}

std::string UsageText() {
    return "usage: vistrelctl [-m N] [--json] COMMAND [ARGUMENTS]\n"
           "  detect                     list the DDC/CI monitors\n"
           "  caps [--raw]               capabilities, with the maker's pages\n"
           "  get CODE [--page P]        read a register (CODE and P hexadecimal)\n"
           "  set CODE VALUE [--page P]  write a register\n"
           "  mode [NAME|VALUE]          list the picture modes, or switch to one\n"
           "  sets                       list the saved adjustment sets\n"
           "  register NAME              save the monitor's adjustments as a set\n"
           "  restore NAME               put a saved set back on the monitor\n"
           "  delete NAME                delete a saved set\n"
           "  volume [VALUE]             show or set the speaker volume\n"
           "  reset color|sound          factory colour or sound settings\n"
           "  -m N                       the monitor with index N in detect's list\n"
           "  --no-cache                 identify the monitor afresh (detect always does)\n"
           "exit status: 0 done, 1 usage error, 2 no such monitor or feature, 3 communication "
           "failure\n";
}
