#pragma once
// The command line of vistrelctl: one verb with its arguments, and the options
// that may stand anywhere after the program name.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Verb {
    Detect,
    Caps,
    Get,
    Set,
    Mode,
    Sets,
    Register,
    Restore,
    Delete,
    Volume,
    Reset,
    Help
};

struct Command {
    Verb verb = Verb::Help;
    std::vector<std::string> arguments;  // the verb's own words, in order
    std::optional<int> monitor;          // -m N
    std::uint16_t page = 0;              // --page P
    bool pageGiven = false;
    bool json = false;
    bool raw = false;
    bool noCache = false;  // identify the monitor afresh, and keep what was learned
};

// False, with one line for the user in *problem, for anything that is not a
// well-formed command: unknown verb or option, wrong number of arguments.
bool ParseCommandLine(const std::vector<std::string>& words, Command* command,
                      std::string* problem);

// The usage text printed by "help" and after a usage error.
std::string UsageText();

// Numbers as a user types them. Codes and pages are hexadecimal, as VCP codes are
// always written ("10", "0x10", "E2"); values are decimal unless they start with
// 0x. Nothing but the number may follow; out of range is no number.
std::optional<std::uint32_t> ParseHexNumber(const std::string& text, std::uint32_t maximum);
std::optional<std::uint32_t> ParseValue(const std::string& text, std::uint32_t maximum);
