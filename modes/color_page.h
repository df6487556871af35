#pragma once
// Decisions of the colour adjustment page that need no window: which controls are
// usable, and the limit on the names of adjustment data sets.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct ColorPageEnabling {
    bool modeList = false;
    bool nameBox = false;
    bool colorButton = false;
    bool registerButton = false;
    bool deleteButton = false;
    bool restoreButton = false;

    bool operator==(const ColorPageEnabling&) const = default;
};

// adjustable: the monitor allows adjustment. modeFlags: capability flags of the
// selected mode (0 without a selection). typedName: the box's text (empty when an
// entry is selected); entrySelected: an entry of the list is selected;
// typedNameListed: the typed text equals an entry exactly.
ColorPageEnabling ColorPageControls(bool adjustable, std::uint32_t modeFlags,
                                    const std::string& typedName, bool entrySelected,
                                    bool typedNameListed);

// Names of adjustment data sets hold at most this many characters.
inline constexpr std::size_t kMaxSetNameCharacters = 32;

// Characters of an ANSI text, a double-byte character counting once.
std::size_t CharacterCount(const std::string& text,
                           const std::function<bool(unsigned char)>& isLeadByte);
// The first `characters` characters, never half a double-byte character.
std::string FirstCharacters(const std::string& text, std::size_t characters,
                            const std::function<bool(unsigned char)>& isLeadByte);

// After an edit of the name box: the text to put back when the typed text is too
// long (the name last taken from the box, cut to the limit), nothing otherwise.
std::optional<std::string> NameToPutBack(const std::string& typed, const std::string& lastName,
                                         const std::function<bool(unsigned char)>& isLeadByte);
