#pragma once
// The XML DOM port over the system's MSXML document object, reached through COM.
#include <cstdint>

#include "platform/xml_dom.h"

namespace platform {

// A COM class id, spelled out so that callers need no <windows.h>.
struct ComClassId {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];
};

// The version-independent DOM document class {2933BF90-7B36-11D2-B20E-00C04F983E60}.
inline constexpr ComClassId kDomDocumentClass = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

class MsxmlDom final : public XmlDom {
public:
    explicit MsxmlDom(const ComClassId& documentClass = kDomDocumentClass)
        : documentClass_(documentClass) {}

    bool FileExists(const std::u16string& path) override;
    // COM is initialised for the calling thread while the document (or any of
    // its elements) lives, and uninitialised after the last one is released.
    std::unique_ptr<XmlDocument> LoadFile(const std::u16string& path) override;

private:
    ComClassId documentClass_;
};

}  // namespace platform
