#pragma once
// The filter definition file "DefFilter.xml" in the program's data folder: the
// default pictures with their recommended opacity and luminance.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/xml_dom.h"
#include "shell/registry.h"

namespace calmira {

inline constexpr const char* kDefinitionFileName = "DefFilter.xml";

struct STDIMAGEDATA {
    std::string fileName;  // relative to the data folder
    std::int32_t defaultAlpha = 0;
    std::int32_t defaultLuminance = 0;
    std::int32_t currentAlpha = 0;
    std::int32_t currentLuminance = 0;
};

// Between the program's 8-bit strings (ANSI code page) and the DOM's UTF-16.
class TextCodec {
public:
    virtual ~TextCodec() = default;
    virtual std::u16string Widen(const std::string& text) = 0;
    virtual std::string Narrow(const std::u16string& text) = 0;
};

// Every "DefaultFilter" element below the root, in document order; an entry
// without "FileName" is left out. Values are clamped to their ranges. The
// defaults found are stored as DefAlpha / DefLuminance under the picture's key.
// A missing or unreadable file gives no entries. Current values equal the defaults.
std::vector<STDIMAGEDATA> ReadFilterDefinitions(platform::XmlDom& dom, TextCodec& codec,
                                                const std::string& dataFolder, CRegistry& registry);

// Current values: the user's ModAlpha / ModLuminance where stored, else the defaults.
void LoadCurrentValues(CRegistry& registry, std::vector<STDIMAGEDATA>* images);

}  // namespace calmira
