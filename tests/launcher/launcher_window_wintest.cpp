// The launcher's window classes and resources against the real window manager:
// both string tables and templates, the link controls' hover and colours, and
// the two selection dialogs' layout and results.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "launcher/win/dlg_app_proc_select.h"
#include "launcher/win/dlg_manual_select.h"
#include "launcher/win/launcher_app.h"
#include "launcher/win/launcher_controls.h"
#include "resources/launcher/resource.h"
#include "ui/dialog.h"

namespace {

std::wstring StringIn(UINT id, LANGID language) {
    HRSRC block = ::FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (block == nullptr) return L"";
    const wchar_t* entry =
        static_cast<const wchar_t*>(::LockResource(::LoadResource(nullptr, block)));
    for (UINT i = 0; i < id % 16; ++i) entry += 1 + *entry;
    return std::wstring(entry + 1, *entry);
}

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

TEST(LauncherResourcesTest, BothLanguagesHoldEveryStringTemplateAndPicture) {
    for (UINT id = 102; id <= 117; ++id) {
        EXPECT_FALSE(StringIn(id, kEnglish).empty()) << id;
        EXPECT_FALSE(StringIn(id, kJapanese).empty()) << id;
    }
    EXPECT_EQ(StringIn(104, kEnglish), L"\\LauncherInfo\\LauncherInfo_EN.xml");
    EXPECT_EQ(StringIn(104, kJapanese), L"\\LauncherInfo\\LauncherInfo_JA.xml");
    EXPECT_NE(StringIn(113, kEnglish).find(L"Click  'Yes'"), std::wstring::npos)
        << "two spaces after Click";
    for (const std::wstring& text :
         {StringIn(113, kJapanese), StringIn(117, kEnglish), StringIn(117, kJapanese)}) {
        EXPECT_NE(text.find(L"%s"), std::wstring::npos) << "the title marker is kept";
    }
    for (UINT id : {100u, 102u, 132u, 133u, 135u, 137u, 138u, 139u, 171u}) {
        EXPECT_NE(::FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id), kEnglish), nullptr)
            << id;
        EXPECT_NE(::FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id), kJapanese), nullptr)
            << id;
    }
    for (UINT id : {141u, 151u, 163u, 164u, 167u, 169u}) {
        EXPECT_NE(::FindResourceExW(nullptr, RT_BITMAP, MAKEINTRESOURCEW(id), kEnglish), nullptr)
            << id;
        EXPECT_NE(::FindResourceExW(nullptr, RT_BITMAP, MAKEINTRESOURCEW(id), kJapanese), nullptr)
            << id;
    }
    EXPECT_NE(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)), nullptr);
    EXPECT_NE(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(130)), nullptr);
    HRSRC manifest = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const std::string text(
        static_cast<const char*>(::LockResource(::LoadResource(nullptr, manifest))),
        ::SizeofResource(nullptr, manifest));
    EXPECT_NE(text.find("requireAdministrator"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

// A link page stand-in: the description static and one link.
class LinkHost : public ui::Dialog {
public:
    LinkHost() : ui::Dialog(IDD_PAGE_COMMON) {}
    CStaticButton link;
    HBRUSH pageBrush = ::CreateSolidBrush(RGB(10, 20, 30));
    ~LinkHost() override { ::DeleteObject(pageBrush); }

protected:
    bool OnInitDialog() override {
        link.SubclassItem(Handle(), IDC_LINK_FIRST);
        return true;
    }
    HBRUSH OnCtlColor(HDC, HWND, UINT) override { return pageBrush; }
};

TEST(LauncherControlsTest, LinkShowsItsCaptionOnlyWhileHoveredInAnActiveWindow) {
    int active = 0;
    CStaticButton::s_pMainActive = &active;
    // The page template is a child window: it needs a parent.
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                    nullptr, nullptr);
    LinkHost host;
    ASSERT_TRUE(host.Create(parent));
    const std::u16string title = u"Read Me", caption = u"Notes", defaultText = u"";
    HWND description = host.Item(IDC_DESCRIPTION);
    host.link.SetTexts(&title, &caption, &defaultText, description);
    EXPECT_EQ(host.link.Text(), L"Read Me");
    EXPECT_NE(host.link.Style() & SS_NOTIFY, 0);

    host.link.Send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(host.link.m_bHover, 0) << "an inactive main window does not follow the pointer";
    active = 1;
    host.link.Send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(host.link.m_bHover, 1);
    EXPECT_EQ(ui::Window(description).Text(), L"Notes");
    host.link.Send(WM_MOUSEMOVE, 0, MAKELPARAM(-3, -3));
    EXPECT_EQ(host.link.m_bHover, 0);
    EXPECT_EQ(ui::Window(description).Text(), L"");
    EXPECT_NE(::GetCapture(), host.link.Handle());

    // Red while hovered, blue otherwise, and the page's own background behind it.
    HDC dc = ::CreateCompatibleDC(nullptr);
    const LRESULT brush = host.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(host.link.Handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), host.pageBrush);
    EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 255));
    host.link.SetHover(1);
    host.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
              reinterpret_cast<LPARAM>(host.link.Handle()));
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
    ::DeleteDC(dc);
    host.Destroy();
    ::DestroyWindow(parent);
    CStaticButton::s_pMainActive = nullptr;
}

std::unique_ptr<launcher::ButtonInfo> Sub(const std::u16string& title,
                                          const std::u16string& keyword) {
    auto item = std::make_unique<launcher::ButtonInfo>();
    item->m_strTitle = title;
    item->m_strItem = keyword;
    return item;
}

class LauncherDialogsTest : public ::testing::Test {
protected:
    CLauncherApp app;
};

TEST_F(LauncherDialogsTest, ApplicationDialogShrinksToItsButtonsAndGreysOutOtherSystems) {
    launcher::ButtonInfo item;
    item.m_strTitle = u"Suite";
    item.m_subItems.push_back(Sub(u"Install", u"Installer"));  // no systems listed: disabled
    item.m_subItems.push_back(Sub(u"Notes", u"Document"));
    item.m_subItems.back()->m_files.push_back(std::make_unique<launcher::FileInfo>());
    item.m_subItems.back()->m_files.back()->m_strFileName = u"Notes.pdf";
    CDlgAppProcSelect full(item);
    for (int i = 0; i < 5; ++i) item.m_subItems.push_back(Sub(u"More", u"Document"));
    ASSERT_TRUE(full.Create(nullptr));
    item.m_subItems.resize(2);
    CDlgAppProcSelect shortened(item);
    ASSERT_TRUE(shortened.Create(nullptr));

    EXPECT_EQ(shortened.Text(), L"Suite ");
    EXPECT_EQ(app.m_bSubDialogOpen, 1);
    EXPECT_FALSE(::IsWindowEnabled(shortened.Item(1014)));
    EXPECT_TRUE(::IsWindowEnabled(shortened.Item(1015)));
    // The dialogs themselves are not shown here: look at the buttons' own style.
    auto shown = [](HWND button) {
        return (::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) != 0;
    };
    EXPECT_FALSE(shown(shortened.Item(1016)));
    EXPECT_TRUE(shown(shortened.Item(1015)));
    EXPECT_TRUE(shown(full.Item(1018))) << "seven sub-items show five buttons";
    EXPECT_FALSE(::IsWindowEnabled(full.Item(1016)))
        << "a document that names no file is greyed out";

    RECT fullWindow = full.WindowRect(), fullLast{}, shortWindow = shortened.WindowRect(),
         shortLast{};
    ::GetWindowRect(full.Item(1018), &fullLast);
    ::GetWindowRect(shortened.Item(1015), &shortLast);
    EXPECT_EQ(shortWindow.bottom - shortLast.bottom, fullWindow.bottom - fullLast.bottom)
        << "the same margin below the last button";
    EXPECT_LT(shortWindow.bottom - shortWindow.top, fullWindow.bottom - fullWindow.top);
    shortened.Destroy();
    full.Destroy();
    EXPECT_EQ(app.m_bSubDialogOpen, 0);
}

TEST_F(LauncherDialogsTest, SelectionDialogChoosesOnlyAnExistingFile) {
    app.m_strAppDir = u"D:\\";
    launcher::ButtonInfo item;
    for (const char16_t* model : {u"A", u"B", u"C"}) {
        auto entry = std::make_unique<launcher::FileInfo>();
        entry->m_strModelName = model;
        item.m_files.push_back(std::move(entry));
    }
    item.m_files[1]->m_strDeutsch = u"Manual\\b_de.pdf";
    CDlgManualSelect dialog(item, IDD_SELECT_MODEL_LANGUAGE);
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(app.m_bSelectDialogOpen, 1);
    HWND models = dialog.Item(IDC_MODEL_LIST);
    EXPECT_EQ(::SendMessageW(models, CB_GETCOUNT, 0, 0), 3);
    EXPECT_FALSE(::IsWindowEnabled(dialog.Item(IDC_LANG_DEUTSCH)));

    ::SendMessageW(models, CB_SETCURSEL, 1, 0);
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDC_MODEL_LIST, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(models));
    EXPECT_TRUE(::IsWindowEnabled(dialog.Item(IDC_LANG_DEUTSCH)));
    EXPECT_FALSE(::IsWindowEnabled(dialog.Item(IDC_LANG_ENGLISH)));

    // Enter with no default button and a disabled language choose nothing.
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.IsWindow());
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDC_LANG_ENGLISH, BN_CLICKED), 0);
    EXPECT_FALSE(dialog.m_bChosen);
    EXPECT_EQ(dialog.m_strPath, u"D:\\");

    CDlgManualSelect second(item, IDD_SELECT_MODEL_LANGUAGE);
    ASSERT_TRUE(second.Create(nullptr));
    ::SendMessageW(second.Item(IDC_MODEL_LIST), CB_SETCURSEL, 1, 0);
    second.Send(WM_COMMAND, MAKEWPARAM(IDC_LANG_DEUTSCH, BN_CLICKED), 0);
    EXPECT_TRUE(second.m_bChosen);
    EXPECT_EQ(second.m_strPath, u"D:\\Manual\\b_de.pdf");
    EXPECT_EQ(app.m_bSelectDialogOpen, 0);
}

}  // namespace
