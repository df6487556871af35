// The native DOM adapter behind the definition-file cases.
#include "launcher/dom_test_support.h"
#include "platform/pugixml/xml_dom_pugixml.h"

namespace launcher_test {

std::unique_ptr<platform::XmlDom> MakeTestDom() {
    return std::make_unique<platform::PugiXmlDom>();
}

}  // namespace launcher_test
