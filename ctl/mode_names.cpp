#include "ctl/mode_names.h"

#include <cctype>

#include "ctl/command_line.h"

namespace {

struct NamedMode {
    DisplayMode mode;
    const char* name;
};

// The English texts of the controller's string table, by mode value.
constexpr NamedMode kNames[] = {
    {0, "Text mode"},    {1, "Picture mode"},  {2, "Movie mode"},  {3, "Custom mode"},
    {4, "sRGB mode"},    {5, "External mode"}, {6, "Viewer mode"}, {7, "CAL mode"},
    {8, "DICOM mode"},   {9, "DICOM-BL mode"}, {14, "CAD mode"},   {17, "Game mode"},
    {22, "User1 mode"},  {23, "User2 mode"},   {24, "User3 mode"}, {31, "Calmira mode"},
    {33, "Cinema mode"}, {34, "Paper mode"},   {36, "Eco mode"},   {47, "User mode"},
};

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

std::string ModeName(DisplayMode mode) {
    for (const NamedMode& named : kNames) {
        if (named.mode == mode) return named.name;
    }
    return {};
}

std::optional<DisplayMode> ModeByName(const std::string& text) {
    if (const auto value = ParseValue(text, kLastDisplayMode))
        return static_cast<DisplayMode>(*value);
    const std::string wanted = Lower(text);
    for (const NamedMode& named : kNames) {
        const std::string full = Lower(named.name);
        const std::string word = full.substr(0, full.size() - std::string(" mode").size());
        if (wanted == full || wanted == word) return named.mode;
    }
    return std::nullopt;
}
