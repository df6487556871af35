#include "calmira/win/definition_dom.h"

#include <windows.h>

#include "platform/win32/xml_dom_msxml.h"

namespace calmira_win {

namespace {

// DOMDocument of MSXML 3, {F6D90F11-9C73-11D3-B32E-00C04F990BB4}.
constexpr platform::ComClassId kDomDocument30 = {
    0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};

// Systems without that class still read the file through the version-independent one.
class FallbackDom : public platform::XmlDom {
public:
    bool FileExists(const std::u16string& path) override { return first_.FileExists(path); }
    std::unique_ptr<platform::XmlDocument> LoadFile(const std::u16string& path) override {
        auto document = first_.LoadFile(path);
        return document ? std::move(document) : second_.LoadFile(path);
    }

private:
    platform::MsxmlDom first_{kDomDocument30};
    platform::MsxmlDom second_;
};

}  // namespace

std::unique_ptr<platform::XmlDom> MakeDefinitionDom() {
    return std::make_unique<FallbackDom>();
}

std::u16string AnsiCodec::Widen(const std::string& text) {
    if (text.empty()) return std::u16string();
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                              reinterpret_cast<wchar_t*>(wide.data()), length);
    }
    return wide;
}

std::string AnsiCodec::Narrow(const std::u16string& text) {
    if (text.empty()) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), narrow.data(), length,
                              nullptr, nullptr);
    }
    return narrow;
}

}  // namespace calmira_win
