// The MSXML adapter: the contract and reader cases run over the system's DOM
// document, plus what only the Windows side shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include "dom_test_support.h"
#include "platform/win32/xml_dom_msxml.h"

namespace launcher_test {

std::unique_ptr<platform::XmlDom> MakeTestDom() {
    return std::make_unique<platform::MsxmlDom>();
}

namespace {

// Whether COM is initialised on this thread right now: a second CoInitialize
// answers S_FALSE then, S_OK when it was not.
bool ComIsInitialised() {
    const HRESULT result = CoInitialize(nullptr);
    if (SUCCEEDED(result)) {
        CoUninitialize();
    }
    return result == S_FALSE;
}

TEST(MsxmlDom, ComLivesExactlyAsLongAsTheDocumentAndItsElements) {
    ASSERT_FALSE(ComIsInitialised());
    platform::MsxmlDom dom;
    TempFolder folder;
    const std::u16string path = folder.Write("doc.xml", "<root><a>x</a></root>");

    auto document = dom.LoadFile(path);
    ASSERT_TRUE(document);
    EXPECT_TRUE(ComIsInitialised());
    auto child = document->DocumentElement()->FirstChild(u"a");
    document.reset();
    EXPECT_TRUE(ComIsInitialised());
    child.reset();
    EXPECT_FALSE(ComIsInitialised());

    // A failed load leaves nothing initialised behind either.
    EXPECT_FALSE(dom.LoadFile(folder.Write("bad.xml", "<root>")));
    EXPECT_FALSE(ComIsInitialised());
}

TEST(MsxmlDom, AnUnknownDocumentClassLoadsNothing) {
    platform::MsxmlDom dom(
        platform::ComClassId{0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}});
    TempFolder folder;
    EXPECT_FALSE(dom.LoadFile(folder.Write("doc.xml", "<root/>")));
    EXPECT_FALSE(ComIsInitialised());
}

}  // namespace
}  // namespace launcher_test
