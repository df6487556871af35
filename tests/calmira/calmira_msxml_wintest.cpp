// The MSXML adapter behind the definition-file cases, with the document class
// the filter reader asks for.
#include "calmira/win/definition_dom.h"
#include "launcher/dom_test_support.h"

namespace launcher_test {

std::unique_ptr<platform::XmlDom> MakeTestDom() {
    return calmira_win::MakeDefinitionDom();
}

}  // namespace launcher_test
