#pragma once
// The XML DOM port over pugixml. Paths arrive in Windows form; backslashes are
// taken as folder separators, so a doubled one is harmless here as it is there.
#include <cstddef>
#include <memory>
#include <string>

#include "platform/xml_dom.h"

namespace platform {

class PugiXmlDom final : public XmlDom {
public:
    bool FileExists(const std::u16string& path) override;
    std::unique_ptr<XmlDocument> LoadFile(const std::u16string& path) override;

    // Parses bytes held in memory by the same rules as LoadFile (encoding taken
    // from a byte-order mark or the declaration, whitespace kept).
    static std::unique_ptr<XmlDocument> LoadBuffer(const void* data, std::size_t size);
};

}  // namespace platform
