// Control wrappers move values in and out of real controls; resource strings and the
// wait cursor bracket. Built for both character types.
#include <gtest/gtest.h>

#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/list_box.h"
#include "ui/controls/progress.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_control.h"
#include "ui/controls/tab_control.h"
#include "ui/controls/up_down.h"
#include "ui/dialog.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"
#include "ui_test_ids.h"

// Both builds of the framework run these cases; the suites of the UTF-16 build carry
// their own names so that the two programs' results stay apart.
#ifdef UNICODE
#define ControlsTest ControlsTestWide
#define ResourceStringTest ResourceStringTestWide
#define WaitCursorTest WaitCursorTestWide
#endif

namespace {

class Form : public ui::Dialog {
public:
    Form() : Dialog(IDD_TEST_FORM) {}
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create()); }
    void TearDown() override { form.Destroy(); }
    Form form;
};

TEST_F(ControlsTest, ListControlsKeepTextsDataAndSelection) {
    ui::ComboBox combo;
    ASSERT_TRUE(combo.AttachItem(form.Handle(), IDC_TEST_COMBO));
    ui::ListBox list;
    ASSERT_TRUE(list.AttachItem(form.Handle(), IDC_TEST_LIST));

    EXPECT_EQ(combo.Selection(), CB_ERR);
    EXPECT_EQ(combo.ItemText(0), ui::tstring());
    for (int value : {0, 17, 48}) {
        int index =
            combo.Add(TEXT("Mode ") + ui::tstring(1, static_cast<ui::tchar>('A' + value % 26)));
        combo.SetItemData(index, value);
        list.SetItemData(
            list.Add(TEXT("Line ") + ui::tstring(1, static_cast<ui::tchar>('a' + index))), value);
    }
    EXPECT_EQ(combo.Count(), 3);
    EXPECT_EQ(combo.ItemText(1), ui::tstring(TEXT("Mode R")));
    EXPECT_EQ(combo.ItemData(2), 48);
    EXPECT_EQ(combo.FindExact(TEXT("mode r")), 1);  // case-insensitive, as Windows does
    EXPECT_EQ(combo.FindExact(TEXT("Mode")), CB_ERR);
    combo.Select(2);
    EXPECT_EQ(combo.Selection(), 2);
    EXPECT_EQ(combo.Text(), ui::tstring(TEXT("Mode W")));
    combo.Select(-1);
    EXPECT_EQ(combo.Selection(), CB_ERR);
    combo.Clear();
    EXPECT_EQ(combo.Count(), 0);

    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemText(2), ui::tstring(TEXT("Line c")));
    EXPECT_EQ(list.ItemData(1), 17);
    EXPECT_EQ(list.Delete(0), 2);
    EXPECT_EQ(list.ItemText(0), ui::tstring(TEXT("Line b")));
    EXPECT_EQ(list.ItemText(7), ui::tstring());
}

TEST_F(ControlsTest, RangeControlsKeepRangeAndPosition) {
    ui::Slider slider;
    ASSERT_TRUE(slider.AttachItem(form.Handle(), IDC_TEST_SLIDER));
    slider.SetRange(0, 30, false);
    slider.SetPageSize(3);
    slider.SetPosition(12);
    EXPECT_EQ(slider.Minimum(), 0);
    EXPECT_EQ(slider.Maximum(), 30);
    EXPECT_EQ(slider.PageSize(), 3);
    EXPECT_EQ(slider.Position(), 12);
    slider.SetPosition(45);  // the control clamps into its range
    EXPECT_EQ(slider.Position(), 30);

    ui::UpDown upDown;
    ASSERT_TRUE(upDown.AttachItem(form.Handle(), IDC_TEST_UPDOWN));
    upDown.SetBuddy(form.Item(IDC_TEST_BUDDY));
    upDown.SetRange(1, 24);
    upDown.SetPosition(5);
    EXPECT_EQ(upDown.Range(), (std::pair<int, int>(1, 24)));
    EXPECT_EQ(upDown.Position(), 5);
    EXPECT_EQ(form.ItemText(IDC_TEST_BUDDY), ui::tstring(TEXT("5")));

    ui::Progress progress;
    ASSERT_TRUE(progress.AttachItem(form.Handle(), IDC_TEST_PROGRESS));
    progress.SetRange(0, 200);
    progress.SetPosition(150);
    EXPECT_EQ(progress.Position(), 150);
}

TEST_F(ControlsTest, ButtonsEditsTabsAndStatics) {
    ui::Button check;
    ASSERT_TRUE(check.AttachItem(form.Handle(), IDC_TEST_CHECK));
    EXPECT_FALSE(check.IsChecked());
    check.SetChecked(true);
    EXPECT_TRUE(check.IsChecked());
    check.Click();  // an automatic check box toggles on a click
    EXPECT_FALSE(check.IsChecked());

    ui::Edit edit;
    ASSERT_TRUE(edit.AttachItem(form.Handle(), IDC_TEST_EDIT));
    edit.SetText(TEXT("adjustment"));
    edit.SetSelection(2, 5);
    EXPECT_EQ(edit.Selection(), (std::pair<int, int>(2, 5)));
    edit.ReplaceSelection(TEXT("X"));
    EXPECT_EQ(edit.Text(), ui::tstring(TEXT("adXtment")));
    EXPECT_EQ(edit.TextLength(), 8);

    ui::TabControl tab;
    ASSERT_TRUE(tab.AttachItem(form.Handle(), IDC_TEST_TAB));
    EXPECT_EQ(tab.Insert(0, TEXT("Sound")), 0);
    EXPECT_EQ(tab.Insert(0, TEXT("Auto")), 0);
    EXPECT_EQ(tab.Count(), 2);
    EXPECT_EQ(tab.ItemText(1), ui::tstring(TEXT("Sound")));
    tab.Select(1);
    EXPECT_EQ(tab.Selection(), 1);
    RECT item{};
    EXPECT_TRUE(tab.ItemRect(1, item));
    EXPECT_GT(item.right, item.left);
    RECT page = tab.ClientRect();
    tab.AdjustRect(false, page);
    EXPECT_GT(page.top, 0);

    ui::Static label;
    ASSERT_TRUE(label.AttachItem(form.Handle(), IDC_TEST_LABEL));
    EXPECT_EQ(label.Text(), ui::tstring(TEXT("Label")));
    EXPECT_FALSE(label.AttachItem(form.Handle(), 4242));
}

TEST(ResourceStringTest, LoadsWholeStringsAndNothingForUnknownIds) {
    ui::tstring text = ui::ResourceString(IDS_TEST_LONG);
    ASSERT_GT(text.size(), 300u);  // longer than the first buffer tried
    EXPECT_EQ(text.substr(text.size() - 4), ui::tstring(TEXT("-end")));
    EXPECT_EQ(ui::ResourceString(IDS_TEST_LONG + 1), ui::tstring());
    EXPECT_EQ(ui::ReplaceFirst(TEXT("0% to XX% XX"), TEXT("XX"), TEXT("80")),
              ui::tstring(TEXT("0% to 80% XX")));
    EXPECT_EQ(ui::ReplaceFirst(TEXT("no marker"), TEXT("XX"), TEXT("80")),
              ui::tstring(TEXT("no marker")));
}

TEST(WaitCursorTest, NestedBracketsKeepTheWaitCursorUntilTheOutermostEnds) {
    EXPECT_FALSE(ui::IsWaitCursorShown());
    {
        ui::WaitCursor outer;
        EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
        { ui::WaitCursor inner; }
        EXPECT_TRUE(ui::IsWaitCursorShown());
        EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
    }
    EXPECT_FALSE(ui::IsWaitCursorShown());
    EXPECT_NE(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
    ui::EndWaitCursor();  // an unmatched end changes nothing
    EXPECT_FALSE(ui::IsWaitCursorShown());
}

}  // namespace
