// Damaged or planted filter definition files: whatever the bytes, the reader
// gives entries whose names can be registry keys and whose values are in range,
// and writes nothing but their defaults.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calmira/filter_definitions.h"
#include "calmira/filter_state.h"
#include "platform/pugixml/xml_dom_pugixml.h"
#include "shell/registry.h"
#include "support/memory_registry.h"

namespace {

// The file is the fuzzer's bytes, wherever the reader looks.
class BufferDom : public platform::XmlDom {
public:
    BufferDom(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool FileExists(const std::u16string&) override { return true; }
    std::unique_ptr<platform::XmlDocument> LoadFile(const std::u16string&) override {
        return platform::PugiXmlDom::LoadBuffer(m_data, m_size);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// Bytes as they are, one char per UTF-16 unit (cut to 8 bits), as a narrow
// code page would turn them into something.
class ByteCodec : public calmira::TextCodec {
public:
    std::u16string Widen(const std::string& text) override {
        return std::u16string(text.begin(), text.end());
    }
    std::string Narrow(const std::u16string& text) override {
        std::string narrow;
        for (char16_t c : text) narrow += static_cast<char>(c);
        return narrow;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BufferDom dom(data, size);
    ByteCodec codec;
    testing_support::MemoryRegistry store;
    CRegistry registry(&store);
    std::vector<calmira::STDIMAGEDATA> images =
        calmira::ReadFilterDefinitions(dom, codec, "C:\\data\\", registry);
    calmira::LoadCurrentValues(registry, &images);
    for (const calmira::STDIMAGEDATA& image : images) {
        if (image.fileName.empty() || image.fileName.size() > 255) std::abort();
        if (image.defaultAlpha < 0 || image.defaultAlpha > calmira::kMaxAlpha) std::abort();
        if (image.currentAlpha != image.defaultAlpha) std::abort();
        if (image.defaultLuminance < calmira::kMinLuminance ||
            image.defaultLuminance > calmira::kMaxLuminance)
            std::abort();
        if (image.currentLuminance != image.defaultLuminance) std::abort();
    }
    // Nothing lands in VSFilter itself: every default goes under a picture's key.
    if (store.Find(calmira::kFilterKey, "DefAlpha") != nullptr ||
        store.Find(calmira::kFilterKey, "DefLuminance") != nullptr)
        std::abort();
    return 0;
}
