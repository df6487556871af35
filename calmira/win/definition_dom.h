#pragma once
// What the filter definition file is read with on Windows: the MSXML document
// class the file was written for, and the ANSI code page for the text.
#include <memory>

#include "calmira/filter_definitions.h"
#include "platform/xml_dom.h"

namespace calmira_win {

std::unique_ptr<platform::XmlDom> MakeDefinitionDom();

// MultiByteToWideChar / WideCharToMultiByte in the current ANSI code page.
class AnsiCodec : public calmira::TextCodec {
public:
    std::u16string Widen(const std::string& text) override;
    std::string Narrow(const std::u16string& text) override;
};

}  // namespace calmira_win
