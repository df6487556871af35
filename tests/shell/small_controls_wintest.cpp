#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/win/small_controls.h"
#include "ui/resource_string.h"

namespace {

class HostDialog : public ui::Dialog {
public:
    HostDialog() : ui::Dialog(9001) {}
    CByteEdit edit;
    ui::HyperLink link{kWebLinkLook};

protected:
    bool OnInitDialog() override {
        edit.SubclassItem(Handle(), 9002);
        AttachWebLink(link, Handle(), 1203);
        return true;
    }
};

class SmallControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create(nullptr)); }
    void TearDown() override { host.Destroy(); }
    HostDialog host;
};

TEST_F(SmallControlsTest, ByteEditCutsTypedTextAndKeepsTheCaret) {
    host.edit.SetMaxBytes(6);
    host.edit.SetText("abcdef");
    EXPECT_EQ(host.edit.Text(), "abcdef") << "text within the limit stays";
    host.edit.SetSelection(2, 2);
    host.edit.ReplaceSelection("XYZ");
    EXPECT_EQ(host.edit.Text(), "abXYZc");
    EXPECT_EQ(host.edit.Selection(), std::make_pair(5, 5));

    host.edit.SetMaxBytes(0);
    EXPECT_EQ(host.edit.MaxBytes(), 1024u);
    host.edit.SetText(std::string(1500, 'q'));
    EXPECT_EQ(host.edit.Text().size(), 1024u) << "a long paste is cut at the default limit";
}

TEST_F(SmallControlsTest, HyperLinkShowsTheAddressUnderlinedAndChangesColourOnHover) {
    const std::string address = ui::ResourceString(245);
    ASSERT_FALSE(address.empty());
    EXPECT_EQ(host.link.Text(), address);
    EXPECT_EQ(host.link.Url(), address);
    EXPECT_NE(host.link.Style() & SS_NOTIFY, 0);
    LOGFONTA font{};
    ::GetObjectA(host.link.Font(), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);

    HDC dc = ::CreateCompatibleDC(nullptr);
    const LRESULT brush = host.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(host.link.Handle()));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(::GetTextColor(dc), RGB(23, 70, 184));
    EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
    host.link.SetLit(true);
    host.Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
              reinterpret_cast<LPARAM>(host.link.Handle()));
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
    ::DeleteDC(dc);
}

TEST_F(SmallControlsTest, PageBrushTilesTheBitmapUnscaledAtNormalResolution) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    HBRUSH brush = nullptr;
    const SIZE pattern = MakePageBrush(host.Handle(), &brush, 274, 298);
    ASSERT_NE(brush, nullptr);
    if (dpi == 96 || dpi == 120) {
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(ui::ResourceInstance(),
                                                           MAKEINTRESOURCEA(dpi >= 120 ? 298 : 274),
                                                           IMAGE_BITMAP, 0, 0, 0));
        BITMAP info{};
        ::GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(pattern.cx, info.bmWidth);
        EXPECT_EQ(pattern.cy, info.bmHeight);
        ::DeleteObject(bitmap);
    } else {
        const RECT client = host.ClientRect();
        EXPECT_EQ(pattern.cx, client.right - client.left);
        EXPECT_EQ(pattern.cy, client.bottom - client.top);
    }
    ::DeleteObject(brush);
}

}  // namespace
