#include "modes/color_page.h"

ColorPageEnabling ColorPageControls(bool adjustable, std::uint32_t modeFlags,
                                    const std::string& typedName, bool entrySelected,
                                    bool typedNameListed) {
    ColorPageEnabling enabling;
    if (!adjustable) return enabling;
    enabling.modeList = true;
    enabling.nameBox = true;
    enabling.colorButton = modeFlags != 0;
    enabling.registerButton = (entrySelected || !typedName.empty()) && modeFlags != 0;
    enabling.deleteButton = entrySelected || (!typedName.empty() && typedNameListed);
    enabling.restoreButton = enabling.deleteButton;
    return enabling;
}

std::size_t CharacterCount(const std::string& text,
                           const std::function<bool(unsigned char)>& isLeadByte) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const bool pair = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return count;
}

std::string FirstCharacters(const std::string& text, std::size_t characters,
                            const std::function<bool(unsigned char)>& isLeadByte) {
    std::size_t i = 0;
    for (std::size_t count = 0; count < characters && i < text.size(); ++count) {
        const bool pair = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return text.substr(0, i);
}

std::optional<std::string> NameToPutBack(const std::string& typed, const std::string& lastName,
                                         const std::function<bool(unsigned char)>& isLeadByte) {
    if (CharacterCount(typed, isLeadByte) <= kMaxSetNameCharacters) return std::nullopt;
    return FirstCharacters(lastName, kMaxSetNameCharacters, isLeadByte);
}
