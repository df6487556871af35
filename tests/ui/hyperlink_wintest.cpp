// The web link both programs use: its look per program, and every way it opens
// (click, Enter, Space) handing its address to the program's opener once.
// Built for both character types.
#include <gtest/gtest.h>

#include <vector>

#include "ui/dialog.h"
#include "ui/hyperlink.h"
#include "ui_test_ids.h"

#ifdef UNICODE
#define HyperLinkTest HyperLinkTestWide
#endif

namespace {

constexpr ui::LinkLook kPlain{RGB(23, 70, 184), RGB(255, 0, 0), false, 1};
constexpr ui::LinkLook kHeavy{RGB(0, 0, 255), RGB(255, 0, 0), true, 1};

class Form : public ui::Dialog {
public:
    explicit Form(const ui::LinkLook& look) : Dialog(IDD_TEST_FORM), link(look) {}
    ui::HyperLink link;

protected:
    bool OnInitDialog() override {
        link.SubclassItem(Handle(), IDC_TEST_LABEL);
        link.SetOpener([this](const ui::tstring& url) { opened.push_back(url); });
        return true;
    }

public:
    std::vector<ui::tstring> opened;
};

LOGFONT FontOf(HWND control) {
    LOGFONT font{};
    ::GetObject(reinterpret_cast<HFONT>(::SendMessage(control, WM_GETFONT, 0, 0)), sizeof font,
                &font);
    return font;
}

COLORREF TextColour(Form& form) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    form.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
              reinterpret_cast<LPARAM>(form.link.Handle()));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return colour;
}

void Click(Form& form) {
    form.Send(WM_COMMAND, MAKEWPARAM(IDC_TEST_LABEL, STN_CLICKED),
              reinterpret_cast<LPARAM>(form.link.Handle()));
}

TEST(HyperLinkTest, EachProgramsLookUnderlinedHeavyOnlyWhereAskedAndLitInItsColour) {
    Form plain(kPlain);
    ASSERT_TRUE(plain.Create());
    Form heavy(kHeavy);
    ASSERT_TRUE(heavy.Create());
    const LONG normalWeight = FontOf(::GetDlgItem(plain.Handle(), IDC_TEST_CHECK)).lfWeight;
    EXPECT_TRUE(FontOf(plain.link.Handle()).lfUnderline);
    EXPECT_EQ(FontOf(plain.link.Handle()).lfWeight, normalWeight);
    EXPECT_TRUE(FontOf(heavy.link.Handle()).lfUnderline);
    EXPECT_EQ(FontOf(heavy.link.Handle()).lfWeight, 800);
    EXPECT_NE(plain.link.Style() & SS_NOTIFY, 0) << "a static reports clicks only with it";

    EXPECT_EQ(TextColour(plain), RGB(23, 70, 184));
    EXPECT_EQ(TextColour(heavy), RGB(0, 0, 255));
    // The keyboard focus lights the link as the pointer does.
    heavy.link.Send(WM_SETFOCUS);
    EXPECT_EQ(TextColour(heavy), RGB(255, 0, 0));
    heavy.link.Send(WM_KILLFOCUS);
    EXPECT_EQ(TextColour(heavy), RGB(0, 0, 255));
    plain.Destroy();
    heavy.Destroy();
}

TEST(HyperLinkTest, ClickEnterAndSpaceOpenTheAddressOnceAndNothingWithoutOne) {
    Form form(kHeavy);
    ASSERT_TRUE(form.Create());
    Click(form);
    EXPECT_TRUE(form.opened.empty()) << "no address, nothing to open";

    form.link.SetUrl(TEXT("http://www.orvex.example/"));
    EXPECT_EQ(form.link.Text(), ui::tstring(TEXT("http://www.orvex.example/")));
    form.link.SetLit(true);
    Click(form);
    ASSERT_EQ(form.opened.size(), 1u);
    EXPECT_EQ(form.opened[0], ui::tstring(TEXT("http://www.orvex.example/")));
    EXPECT_FALSE(form.link.Lit()) << "opening puts the link out";

    MSG enter{form.link.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_EQ(form.link.Send(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                  DLGC_WANTMESSAGE,
              static_cast<LRESULT>(DLGC_WANTMESSAGE))
        << "the dialog hands Enter to the link instead of its default button";
    form.link.Send(WM_KEYDOWN, VK_RETURN);
    form.link.Send(WM_KEYDOWN, VK_SPACE);
    form.link.Send(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(form.opened.size(), 3u);
    form.Destroy();
}

}  // namespace
