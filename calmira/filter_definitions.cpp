#include "calmira/filter_definitions.h"

#include "calmira/decimal_text.h"
#include "calmira/filter_state.h"

namespace calmira {

namespace {

bool ChildText(const platform::XmlElement& parent, std::u16string_view name, std::u16string* text) {
    auto child = parent.FirstChild(name);
    if (!child) return false;
    *text = child->Text();
    return true;
}

// Picture names become registry key names below VSFilter: an empty one would
// write the defaults into VSFilter itself, and key names end at 255 characters.
// Such an entry is skipped like one without FileName, so the entries after it
// move up one "Image" number; a stored choice is found by its file name, never
// by that number, so nothing the user kept points at the wrong picture.
bool UsableFileName(const std::string& name) {
    return !name.empty() && name.size() < 256;
}

}  // namespace

std::vector<STDIMAGEDATA> ReadFilterDefinitions(platform::XmlDom& dom, TextCodec& codec,
                                                const std::string& dataFolder,
                                                CRegistry& registry) {
    std::vector<STDIMAGEDATA> images;
    const std::u16string path = codec.Widen(dataFolder + kDefinitionFileName);
    if (!dom.FileExists(path)) return images;
    auto document = dom.LoadFile(path);
    if (!document) return images;
    auto root = document->DocumentElement();
    if (!root) return images;

    for (const auto& entry : root->Descendants(u"DefaultFilter")) {
        std::u16string text;
        if (!ChildText(*entry, u"FileName", &text)) continue;
        STDIMAGEDATA image;
        image.fileName = codec.Narrow(text);
        if (!UsableFileName(image.fileName)) continue;
        const std::string key = std::string(kFilterKey) + "\\" + image.fileName;
        if (ChildText(*entry, u"WindowAlpha", &text)) {
            image.defaultAlpha = ClampAlpha(ParseDecimal(text));
            registry.WriteDword("DefAlpha", static_cast<std::uint32_t>(image.defaultAlpha),
                                key.c_str());
        }
        if (ChildText(*entry, u"Luminance", &text)) {
            image.defaultLuminance = ClampLuminance(ParseDecimal(text));
            const auto bits = static_cast<std::uint32_t>(image.defaultLuminance);
            const std::uint8_t bytes[4] = {
                static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
            registry.WriteBinary("DefLuminance", bytes, 4, key.c_str());
        }
        image.currentAlpha = image.defaultAlpha;
        image.currentLuminance = image.defaultLuminance;
        images.push_back(image);
    }
    return images;
}

void LoadCurrentValues(CRegistry& registry, std::vector<STDIMAGEDATA>* images) {
    for (STDIMAGEDATA& image : *images) {
        std::int32_t value = 0;
        image.currentAlpha = ReadImageValue(registry, image.fileName, "ModAlpha", &value)
                                 ? ClampAlpha(value)
                                 : image.defaultAlpha;
        image.currentLuminance = ReadImageValue(registry, image.fileName, "ModLuminance", &value)
                                     ? ClampLuminance(value)
                                     : image.defaultLuminance;
    }
}

}  // namespace calmira
