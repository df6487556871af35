// The controller's resources as the programs will find them: every dialog template
// creates in English and Japanese with the controls the windows attach to, both string
// tables hold the same ids with their run-time markers intact, and the menu, icons,
// cursor, bitmaps and manifest are present.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "resources/controller/resource.h"
#include "ui/resource_string.h"

namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const LANGID kLanguages[] = {kEnglish, kJapanese};

HMODULE Module() {
    return ::GetModuleHandle(nullptr);
}

const void* LoadLanguageResource(LPCWSTR type, UINT id, LANGID language, DWORD* size = nullptr) {
    HRSRC found = ::FindResourceExW(Module(), type, MAKEINTRESOURCEW(id), language);
    if (found == nullptr) return nullptr;
    if (size != nullptr) *size = ::SizeofResource(Module(), found);
    HGLOBAL loaded = ::LoadResource(Module(), found);
    return loaded != nullptr ? ::LockResource(loaded) : nullptr;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

// Creates one template of one language; child templates get a host window.
class TemplateWindow {
public:
    TemplateWindow(UINT id, LANGID language) {
        // The main window's template names the program's own dialog class.
        static const bool mainClassRegistered = [] {
            WNDCLASSEXW dialogClass{};
            dialogClass.cbSize = sizeof dialogClass;
            if (!::GetClassInfoExW(nullptr, MAKEINTRESOURCEW(32770), &dialogClass)) return false;
            dialogClass.cbSize = sizeof dialogClass;
            dialogClass.hInstance = Module();
            dialogClass.lpszClassName = L"VISTREL";
            return ::RegisterClassExW(&dialogClass) != 0;
        }();
        (void)mainClassRegistered;
        auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(
            LoadLanguageResource(MAKEINTRESOURCEW(5), id, language));
        if (dialogTemplate == nullptr) return;
        host_ = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
        // A DIALOGEX template starts with the version word 1 and 0xFFFF; its style sits
        // after the help id and extended style.
        const WORD* words = reinterpret_cast<const WORD*>(dialogTemplate);
        DWORD style =
            words[1] == 0xFFFF ? *reinterpret_cast<const DWORD*>(words + 6) : dialogTemplate->style;
        child = (style & WS_CHILD) != 0;
        visible = (style & WS_VISIBLE) != 0;
        window = ::CreateDialogIndirectParamW(Module(), dialogTemplate, child ? host_ : nullptr,
                                              QuietDialogProc, 0);
    }
    ~TemplateWindow() {
        if (window != nullptr) ::DestroyWindow(window);
        if (host_ != nullptr) ::DestroyWindow(host_);
    }
    HWND window = nullptr;
    bool child = false;
    bool visible = false;

private:
    HWND host_ = nullptr;
};

struct DialogControls {
    UINT id;
    bool child;
    std::vector<std::pair<int, const wchar_t*>> controls;  // id, window class
};

const DialogControls kDialogs[] = {
    {IDD_MAIN, false, {{IDC_TAB, L"SysTabControl32"}, {IDC_CLOSE, L"Button"}}},
    {IDD_ABOUTBOX, false, {{IDC_VERSION, L"Static"}, {IDC_NOTICE, L"Static"}, {IDOK, L"Button"}}},
    {IDD_MONITOR_LIST,
     false,
     {{IDC_LIST_EXPLANATION, L"Static"},
      {IDC_LIST_HEADER, L"Static"},
      {IDC_MONITOR_LIST, L"ListBox"},
      {IDCANCEL, L"Button"}}},
    {IDD_TONL,
     true,
     {{IDC_AUTO_TONALIS, L"Button"},
      {IDC_APPLICATION, L"ComboBox"},
      {IDC_REGISTER_RULE, L"Button"},
      {IDC_DELETE_RULE, L"Button"},
      {IDC_MODE, L"ComboBox"},
      {IDC_DEFAULT_MODE, L"ComboBox"},
      {IDC_INDEPENDENT, L"Button"},
      {IDC_HYPERLINK, L"Static"}}},
    {IDD_COLOR,
     true,
     {{IDC_MONITOR, L"ComboBox"},
      {IDC_MODE, L"ComboBox"},
      {IDC_COLOR_DETAIL, L"Button"},
      {IDC_DATA_NAME, L"ComboBox"},
      {IDC_REGISTER_DATA, L"Button"},
      {IDC_DELETE_DATA, L"Button"},
      {IDC_RESTORE_DATA, L"Button"},
      {IDC_HYPERLINK, L"Static"}}},
    {IDD_SOUND,
     true,
     {{IDC_MONITOR, L"ComboBox"},
      {IDC_VOLUME, L"msctls_trackbar32"},
      {IDC_VOLUME_VALUE, L"Edit"},
      {IDC_VOLUME_CAPTION, L"Static"},
      {IDC_SOUND_RESET, L"Button"},
      {IDC_HYPERLINK, L"Static"},
      {IDC_SOUND_PICTURE, L"Static"}}},
    {IDD_MULTIMON_MATCH,
     true,
     {{IDC_MATCH_EXPLANATION, L"Static"},
      {IDC_MATCH_PICTURE, L"Static"},
      {IDC_ADJUST, L"Button"},
      {IDC_HYPERLINK, L"Static"}}},
    {IDD_COLOR_SUB,
     false,
     {{IDC_SUB_TEMPERATURE, L"msctls_trackbar32"},
      {IDC_SUB_TEMPERATURE_VALUE, L"Edit"},
      {IDC_SUB_TEMPERATURE_BAR, L"Static"},
      {IDC_SUB_BRIGHTNESS, L"msctls_trackbar32"},
      {IDC_SUB_BRIGHTNESS_VALUE, L"Edit"},
      {IDC_SUB_CONTRAST, L"msctls_trackbar32"},
      {IDC_SUB_CONTRAST_VALUE, L"Edit"},
      {IDC_SUB_GAMMA, L"msctls_trackbar32"},
      {IDC_SUB_GAMMA_VALUE, L"Edit"},
      {IDC_SUB_RED, L"msctls_trackbar32"},
      {IDC_SUB_RED_VALUE, L"Edit"},
      {IDC_SUB_GREEN, L"msctls_trackbar32"},
      {IDC_SUB_GREEN_VALUE, L"Edit"},
      {IDC_SUB_BLUE, L"msctls_trackbar32"},
      {IDC_SUB_BLUE_VALUE, L"Edit"},
      {IDC_SUB_BRIGHTNESS_ICON, L"Static"},
      {IDC_SUB_CONTRAST_ICON, L"Static"},
      {IDC_SUB_GAMMA_ICON, L"Static"},
      {IDC_SUB_RED_ICON, L"Static"},
      {IDC_SUB_GREEN_ICON, L"Static"},
      {IDC_SUB_BLUE_ICON, L"Static"},
      {IDC_SUB_RESET, L"Button"},
      {IDOK, L"Button"},
      {IDCANCEL, L"Button"}}},
    {IDD_CALMIRA,
     false,
     {{IDC_TARGET_MONITOR, L"ComboBox"},
      {IDC_REMINDER_ON, L"Button"},
      {IDC_INTERVAL_LABEL, L"Static"},
      {IDC_INTERVAL, L"Edit"},
      {IDC_INTERVAL_SPIN, L"msctls_updown32"},
      {IDC_INTERVAL_UNIT, L"Static"},
      {IDC_EDIT_MESSAGE, L"Button"},
      {IDOK, L"Button"}}},
    {IDD_EDIT_MESSAGE, false, {{IDC_MESSAGE, L"Edit"}, {IDOK, L"Button"}, {IDCANCEL, L"Button"}}},
    {IDD_VSFILTER,
     false,
     {{IDC_FILTER_IMAGE, L"ComboBox"},
      {IDC_FILTER_PATH, L"Edit"},
      {IDC_FILTER_BROWSE, L"Button"},
      {IDC_FILTER_TRANSMITTANCE, L"msctls_trackbar32"},
      {IDC_FILTER_TRANSMITTANCE_VALUE, L"Edit"},
      {IDC_FILTER_LUMINANCE, L"msctls_trackbar32"},
      {IDC_FILTER_LUMINANCE_VALUE, L"Edit"},
      {IDC_FILTER_RESTORE_DEFAULT, L"Button"},
      {IDOK, L"Button"},
      {IDCANCEL, L"Button"}}},
    {IDD_MATCH_SUB, false, {}},
    {IDD_MATCH_STEP1,
     true,
     {{IDC_STEP1_MASTER, L"ComboBox"},
      {IDC_STEP1_MODE, L"ComboBox"},
      {IDC_STEP1_NEXT, L"Button"},
      {IDC_STEP1_CANCEL, L"Button"}}},
    {IDD_MATCH_STEP2,
     true,
     {{IDC_STEP2_TEMPERATURE, L"msctls_trackbar32"},
      {IDC_STEP2_TEMPERATURE_TEXT, L"Static"},
      {IDC_STEP2_GAMMA, L"msctls_trackbar32"},
      {IDC_STEP2_GAMMA_TEXT, L"Static"},
      {IDC_STEP2_PICTURE, L"Static"},
      {IDC_STEP2_NEXT, L"Button"},
      {IDC_STEP2_CANCEL, L"Button"}}},
    {IDD_MATCH_STEP3,
     true,
     {{IDC_STEP3_BRIGHTNESS, L"msctls_trackbar32"},
      {IDC_STEP3_BRIGHTNESS_TEXT, L"Static"},
      {IDC_STEP3_GUIDE, L"Static"},
      {IDC_STEP3_FINISH, L"Button"},
      {IDC_STEP3_CANCEL, L"Button"}}},
};

class ControllerResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&init);
    }
};

TEST_F(ControllerResourcesTest, EveryDialogCreatesInBothLanguagesWithItsControls) {
    for (LANGID language : kLanguages) {
        for (const DialogControls& dialog : kDialogs) {
            SCOPED_TRACE(testing::Message()
                         << "template " << dialog.id << " language " << language);
            TemplateWindow created(dialog.id, language);
            ASSERT_NE(created.window, nullptr);
            // The main window starts hidden (the program lives in the tray) and pages
            // are shown by the tab control.
            EXPECT_FALSE(created.visible);
            EXPECT_EQ(created.child, dialog.child);
            for (const auto& [id, className] : dialog.controls) {
                HWND control = ::GetDlgItem(created.window, id);
                ASSERT_NE(control, nullptr) << "control " << id;
                EXPECT_EQ(::lstrcmpiW(ClassOf(control).c_str(), className), 0) << "control " << id;
            }
        }
    }
}

TEST_F(ControllerResourcesTest, ListsKeepTheOrderAndEditabilityTheWindowsRelyOn) {
    // Lists are filled in a meaningful order (monitor order, ascending mode values) and
    // addressed by index, so none may sort; only the data-set name box takes typing.
    struct Style {
        UINT dialog;
        int control;
        DWORD kind;  // CBS_DROPDOWNLIST, CBS_DROPDOWN, or 0 for a list box
    };
    const Style kStyles[] = {
        {IDD_MONITOR_LIST, IDC_MONITOR_LIST, 0},
        {IDD_TONL, IDC_APPLICATION, CBS_DROPDOWNLIST},
        {IDD_TONL, IDC_MODE, CBS_DROPDOWNLIST},
        {IDD_TONL, IDC_DEFAULT_MODE, CBS_DROPDOWNLIST},
        {IDD_COLOR, IDC_MONITOR, CBS_DROPDOWNLIST},
        {IDD_COLOR, IDC_MODE, CBS_DROPDOWNLIST},
        {IDD_COLOR, IDC_DATA_NAME, CBS_DROPDOWN},
        {IDD_SOUND, IDC_MONITOR, CBS_DROPDOWNLIST},
        {IDD_CALMIRA, IDC_TARGET_MONITOR, CBS_DROPDOWNLIST},
        {IDD_VSFILTER, IDC_FILTER_IMAGE, CBS_DROPDOWNLIST},
        {IDD_MATCH_STEP1, IDC_STEP1_MASTER, CBS_DROPDOWNLIST},
        {IDD_MATCH_STEP1, IDC_STEP1_MODE, CBS_DROPDOWNLIST},
    };
    for (LANGID language : kLanguages) {
        for (const Style& expected : kStyles) {
            TemplateWindow created(expected.dialog, language);
            ASSERT_NE(created.window, nullptr);
            LONG_PTR style =
                ::GetWindowLongPtrW(::GetDlgItem(created.window, expected.control), GWL_STYLE);
            SCOPED_TRACE(testing::Message()
                         << "control " << expected.control << " language " << language);
            if (expected.kind == 0) {
                EXPECT_EQ(style & LBS_SORT, 0);
            } else {
                EXPECT_EQ(style & CBS_SORT, 0);
                EXPECT_EQ(style & 3, static_cast<LONG_PTR>(expected.kind));
            }
        }
        TemplateWindow sound(IDD_SOUND, language);
        EXPECT_NE(::GetWindowLongPtrW(::GetDlgItem(sound.window, IDC_VOLUME_VALUE), GWL_STYLE) &
                      ES_READONLY,
                  0);
    }
}

TEST_F(ControllerResourcesTest, MatchWizardFrameHasNoCloseBox) {
    // The wizard leaves the monitors in the master's colours half-way through; it may end
    // only through a step's Cancel (which puts the saved settings back) or Finish. A
    // close box would end the frame without either.
    for (LANGID language : kLanguages) {
        TemplateWindow frame(IDD_MATCH_SUB, language);
        ASSERT_NE(frame.window, nullptr);
        EXPECT_EQ(::GetWindowLongPtrW(frame.window, GWL_STYLE) & WS_SYSMENU, 0)
            << "language " << language;
    }
}

TEST_F(ControllerResourcesTest, PagesStartTheirTabOrderWhereTheMainWindowExpects) {
    const std::pair<UINT, int> kFirstControls[] = {{IDD_TONL, IDC_AUTO_TONALIS},
                                                   {IDD_COLOR, IDC_MONITOR},
                                                   {IDD_MULTIMON_MATCH, IDC_ADJUST},
                                                   {IDD_SOUND, IDC_MONITOR}};
    for (LANGID language : kLanguages) {
        for (const auto& [page, first] : kFirstControls) {
            TemplateWindow created(page, language);
            ASSERT_NE(created.window, nullptr);
            HWND firstTab = ::GetNextDlgTabItem(created.window, nullptr, FALSE);
            EXPECT_EQ(::GetDlgCtrlID(firstTab), first)
                << "page " << page << " language " << language;
        }
    }
}

TEST_F(ControllerResourcesTest, TemplateTextsSurviveEscapesAndEncoding) {
    struct Text {
        UINT dialog;
        LANGID language;
        int control;
        const wchar_t* text;
    };
    const Text kTexts[] = {
        {IDD_MULTIMON_MATCH, kEnglish, IDC_MATCH_EXPLANATION,
         L"When multiple monitors are connected to a PC,\r\n the color adjustments of one monitor "
         L"can be "
         L"applied to other monitors."},
        {IDD_MONITOR_LIST, kEnglish, IDC_LIST_HEADER, L"Monitor       /  Model     /  Serial No."},
        {IDD_MAIN, kEnglish, IDC_CLOSE, L"&Close"},
        {IDD_MAIN, kJapanese, IDC_CLOSE, L"\x9589\x3058\x308B(&C)"},
    };
    for (const Text& expected : kTexts) {
        TemplateWindow created(expected.dialog, expected.language);
        ASSERT_NE(created.window, nullptr);
        EXPECT_EQ(TextOf(::GetDlgItem(created.window, expected.control)), expected.text);
    }
    TemplateWindow main(IDD_MAIN, kJapanese);
    EXPECT_EQ(TextOf(main.window), L"Panelwright Pro for LCD (DDC/CI)");
}

// The strings of one language, straight from the table blocks (16 counted UTF-16
// strings per block).
std::map<UINT, std::wstring> StringTable(LANGID language) {
    std::map<UINT, std::wstring> strings;
    for (UINT block = 1; block <= 4096; ++block) {
        DWORD size = 0;
        auto* data = static_cast<const WORD*>(
            LoadLanguageResource(MAKEINTRESOURCEW(6), block, language, &size));
        if (data == nullptr) continue;
        const WORD* end = data + size / sizeof(WORD);
        const WORD* at = data;
        for (UINT index = 0; index < 16 && at < end; ++index) {
            WORD length = *at++;
            if (length > 0 && at + length <= end) {
                strings[(block - 1) * 16 + index] =
                    std::wstring(reinterpret_cast<const wchar_t*>(at), length);
            }
            at += length;
        }
    }
    return strings;
}

size_t Occurrences(const std::wstring& text, const std::wstring& marker) {
    size_t count = 0;
    for (size_t at = text.find(marker); at != std::wstring::npos;
         at = text.find(marker, at + marker.size())) {
        ++count;
    }
    return count;
}

TEST_F(ControllerResourcesTest, BothStringTablesHoldTheSameIdsAndRunTimeMarkers) {
    std::map<UINT, std::wstring> english = StringTable(kEnglish);
    std::map<UINT, std::wstring> japanese = StringTable(kJapanese);
    ASSERT_GE(english.size(), 50u);
    for (const auto& [id, text] : english) {
        SCOPED_TRACE(testing::Message() << "string " << id);
        auto other = japanese.find(id);
        ASSERT_NE(other, japanese.end());
        // Callers fill these in at run time; a translation that drops or adds one would
        // print garbage or read arguments that are not there.
        for (const wchar_t* marker : {L"%s", L"%d", L"XX", L"%"}) {
            EXPECT_EQ(Occurrences(other->second, marker), Occurrences(text, marker))
                << "marker " << marker;
        }
    }
    EXPECT_EQ(japanese.size(), english.size());
    // The model name replaces the single "0" of this message.
    EXPECT_EQ(Occurrences(english[IDS_MODE_APPLIED_ONLY_TO], L"0"), 1u);
    EXPECT_EQ(Occurrences(japanese[IDS_MODE_APPLIED_ONLY_TO], L"0"), 1u);
    // One instance per session whatever the language: the mutex name must not be translated.
    EXPECT_EQ(japanese[IDS_MUTEX_NAME], english[IDS_MUTEX_NAME]);
    EXPECT_EQ(japanese[IDS_MODE_UNNAMED], L" ");
    // UTF-8 sources must arrive as Japanese, not as mojibake.
    EXPECT_EQ(japanese[IDS_MONITOR], L"\x30E2\x30CB\x30BF\x30FC");
    EXPECT_NE(english[IDS_WEB_ADDRESS], japanese[IDS_WEB_ADDRESS]);
}

TEST_F(ControllerResourcesTest, EnglishStringsLoadThroughTheFramework) {
    if (PRIMARYLANGID(::GetUserDefaultUILanguage()) != LANG_ENGLISH)
        GTEST_SKIP() << "not an English session";
    const std::pair<UINT, const char*> kStrings[] = {
        {IDS_MUTEX_NAME, "Orvex Panelwright Pro for LCD"},
        {IDS_VERSION, "Panelwright Pro for LCD (DDC/CI) Ver2.4.2"},
        {IDS_TAB_TONALIS, "Auto Tonalis"},
        {IDS_TAB_MATCH, "Multi-Monitor Match"},
        {IDS_MODE_NOT_CHANGE, "Not change the mode"},
        {IDS_MODE_UNNAMED, " "},
        {IDS_TRAY_REGISTER_FAILED,
         "Failed to register the program icon to the taskbar notification area.\n"
         "Panelwright Pro for LCD (DDC/CI) will be terminated."},
        {IDS_MATCH_BRIGHTNESS_GUIDE,
         "Adjust brightness.\r\nSet the value between 0% to XX%.\r\nAfter adjusting, click "
         "[Finish]."},
        {IDS_DELETE_ADJUSTMENT_DATA,
         "The related Auto Tonalis setting will be lost if the selected adjustment data deletes.\n"
         "Do you want to delete the adjustment data?\n"},
    };
    for (const auto& [id, text] : kStrings) {
        EXPECT_EQ(ui::ResourceString(id), std::string(text)) << "string " << id;
    }
}

TEST_F(ControllerResourcesTest, TrayMenuHasItsTwoPopupsInBothLanguages) {
    const std::vector<UINT> kFull = {ID_TRAY_SETTING,      0, ID_TRAY_CALMIRA, 0, ID_TRAY_FILTER, 0,
                                     ID_TRAY_MONITOR_LIST, 0, ID_TRAY_EXIT};
    for (LANGID language : kLanguages) {
        HMENU menu =
            ::LoadMenuIndirectW(LoadLanguageResource(MAKEINTRESOURCEW(4), IDR_TRAY_MENU, language));
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(::GetMenuItemCount(menu), 2);
        std::vector<UINT> full;
        HMENU popup = ::GetSubMenu(menu, 0);
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            full.push_back((::GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR)
                               ? 0
                               : ::GetMenuItemID(popup, i));
        }
        EXPECT_EQ(full, kFull);
        HMENU exitOnly = ::GetSubMenu(menu, 1);
        ASSERT_EQ(::GetMenuItemCount(exitOnly), 1);
        EXPECT_EQ(::GetMenuItemID(exitOnly, 0), static_cast<UINT>(ID_TRAY_EXIT));
        ::DestroyMenu(menu);
    }
}

TEST_F(ControllerResourcesTest, IconsCursorBitmapsAndManifestArePresent) {
    for (UINT icon : {IDR_MAINFRAME, IDI_NO_MONITOR}) {
        for (int size : {16, 32}) {
            HANDLE loaded = ::LoadImage(Module(), MAKEINTRESOURCE(icon), IMAGE_ICON, size, size, 0);
            EXPECT_NE(loaded, nullptr) << "icon " << icon << " size " << size;
            if (loaded != nullptr) ::DestroyIcon(static_cast<HICON>(loaded));
        }
    }

    HCURSOR hand = ::LoadCursor(Module(), MAKEINTRESOURCE(IDC_LINK_HAND));
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    // The hot spot sits on the finger tip, not in the corner.
    EXPECT_EQ(info.xHotspot, 11u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    // Pages pick the second bitmap of each pair from 120 dpi on; it must not be smaller.
    const std::pair<UINT, UINT> kBackgrounds[] = {{IDB_COLOR_BACK, IDB_COLOR_BACK_HI},
                                                  {IDB_COLOR_SUB_BACK, IDB_COLOR_SUB_BACK_HI},
                                                  {IDB_TONL_BACK, IDB_TONL_BACK_HI},
                                                  {IDB_SOUND_BACK, IDB_SOUND_BACK_HI},
                                                  {IDB_CALMIRA_BACK, IDB_CALMIRA_BACK_HI},
                                                  {IDB_VSFILTER_BACK, IDB_VSFILTER_BACK_HI},
                                                  {IDB_MATCH_BACK, IDB_MATCH_BACK_HI},
                                                  {IDB_MATCH_STEP1_BACK, IDB_MATCH_STEP1_BACK_HI},
                                                  {IDB_MATCH_STEP2_BACK, IDB_MATCH_STEP2_BACK_HI},
                                                  {IDB_MATCH_STEP3_BACK, IDB_MATCH_STEP3_BACK_HI},
                                                  {IDB_MATCH_PICTURE, IDB_MATCH_PICTURE_HI}};
    for (const auto& [low, high] : kBackgrounds) {
        for (LANGID language : kLanguages) {
            EXPECT_NE(LoadLanguageResource(MAKEINTRESOURCEW(2), low, language), nullptr) << low;
            EXPECT_NE(LoadLanguageResource(MAKEINTRESOURCEW(2), high, language), nullptr) << high;
        }
        HBITMAP lowBitmap = ::LoadBitmap(Module(), MAKEINTRESOURCE(low));
        HBITMAP highBitmap = ::LoadBitmap(Module(), MAKEINTRESOURCE(high));
        ASSERT_NE(lowBitmap, nullptr);
        ASSERT_NE(highBitmap, nullptr);
        BITMAP lowInfo{}, highInfo{};
        ::GetObject(lowBitmap, sizeof(lowInfo), &lowInfo);
        ::GetObject(highBitmap, sizeof(highInfo), &highInfo);
        EXPECT_GE(highInfo.bmHeight, lowInfo.bmHeight) << high;
        ::DeleteObject(lowBitmap);
        ::DeleteObject(highBitmap);
    }
    for (UINT picture : {IDB_SOUND_PICTURE, IDB_STEP2_TEMPERATURE, IDB_STEP2_TEMPERATURE_LOWCOLOR,
                         IDB_STEP2_NO_TEMPERATURE, IDB_STEP2_NO_TEMPERATURE_LOWCOLOR}) {
        HBITMAP bitmap = ::LoadBitmap(Module(), MAKEINTRESOURCE(picture));
        EXPECT_NE(bitmap, nullptr) << picture;
        if (bitmap != nullptr) ::DeleteObject(bitmap);
    }

    DWORD size = 0;
    auto* manifest = static_cast<const char*>(LoadLanguageResource(
        MAKEINTRESOURCEW(24), 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &size));
    ASSERT_NE(manifest, nullptr);
    std::string text(manifest, size);
    for (const char* needed :
         {"asInvoker", "<dpiAware", "Microsoft.Windows.Common-Controls", "6.0.0.0"}) {
        EXPECT_NE(text.find(needed), std::string::npos) << needed;
    }
}

TEST_F(ControllerResourcesTest, ColourDetailPicturesExistInBothLanguagesAndSwapInPlace) {
    // The colour detail dialog loads these by number: an item icon per slider in its
    // enabled and disabled look, and the temperature bar for each combination of
    // "adjustable", "user preset in play" and a low-colour screen.
    struct Pair {
        UINT enabled;
        UINT disabled;
    };
    const Pair kPairs[] = {
        {213, 214}, {225, 219}, {217, 219}, {215, 219}, {216, 220}, {258, 261},  // icons
        {156, 158}, {270, 271}, {180, 181}, {272, 273},  // bars: full colour, low colour
    };
    auto sizeOf = [](UINT id) {
        SIZE size{};
        HBITMAP bitmap = ::LoadBitmap(Module(), MAKEINTRESOURCE(id));
        if (bitmap == nullptr) return size;
        BITMAP info{};
        ::GetObject(bitmap, sizeof(info), &info);
        ::DeleteObject(bitmap);
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
        return size;
    };
    for (const Pair& pair : kPairs) {
        for (UINT id : {pair.enabled, pair.disabled}) {
            for (LANGID language : kLanguages) {
                EXPECT_NE(LoadLanguageResource(MAKEINTRESOURCEW(2), id, language), nullptr)
                    << "bitmap " << id << " language " << language;
            }
        }
        // Icons are centred, not stretched: swapping the two looks must not shift the
        // picture. Bars are stretched over one static, whichever of them is shown.
        SIZE first = sizeOf(pair.enabled);
        SIZE second = sizeOf(pair.disabled);
        EXPECT_GT(first.cx, 0) << pair.enabled;
        EXPECT_EQ(first.cx, second.cx) << pair.enabled << " / " << pair.disabled;
        EXPECT_EQ(first.cy, second.cy) << pair.enabled << " / " << pair.disabled;
    }
}

}  // namespace
