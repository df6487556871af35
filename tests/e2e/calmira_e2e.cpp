// The break reminder and the screen filter of the real controller under Wine:
// dialogs driven from outside, timers fired by posting their messages instead of
// waiting hours, gamma ramps read back from the X server, the registry and the
// simulated monitors' owner registers checked after the program ended.
#include <windows.h>

#include <commctrl.h>
#include <wtsapi32.h>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "program_driver.h"
#include "settings_driver.h"

namespace {

using e2e::DosPath;
using e2e::Env;
using e2e::Program;

constexpr int kMenuCalmira = e2e::kMenuCalmira;
constexpr int kMenuFilter = e2e::kMenuFilter;
// The main window's request to its open dialogs to end now.
constexpr UINT kMsgCloseNow = WM_USER + 115;
const char* const kCalmiraKey = "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\Calmira";
const char* const kReminderKey =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\Calmira\\Reminder";
const char* const kFilterKey = "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x\\VSFilter";

using Ramp = std::array<WORD, 768>;

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

bool UsesXorg() {
    return Env("VISTREL_XSERVER") == "xorg";
}

bool ReadRamp(const char* device, Ramp* ramp) {
    HDC dc = ::CreateDCA(device, nullptr, nullptr, nullptr);
    if (dc == nullptr) return false;
    const BOOL ok = ::GetDeviceGammaRamp(dc, ramp->data());
    ::DeleteDC(dc);
    return ok != FALSE;
}

// Ramp entries in the program's 8-bit domain.
int Entry(const Ramp& ramp, int index) {
    return ramp[static_cast<std::size_t>(index)] >> 8;
}

void WriteString(const char* key, const char* name, const std::string& text) {
    HKEY handle = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr);
    ::RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(handle);
}

void WriteBinary(const char* key, const char* name, const void* data, DWORD size,
                 DWORD type = REG_BINARY) {
    HKEY handle = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr);
    ::RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(handle);
}

bool ReadValue(const char* key, const char* name, std::vector<BYTE>* data) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    BYTE buffer[1024] = {};
    DWORD size = sizeof buffer;
    const LONG result = ::RegQueryValueExA(handle, name, nullptr, nullptr, buffer, &size);
    ::RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return false;
    data->assign(buffer, buffer + size);
    return true;
}

bool KeyExists(const char* key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::SendMessageW(::GetDlgItem(dialog, id), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> ComboLines(HWND combo) {
    std::vector<std::wstring> lines;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t line[256] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.emplace_back(line);
    }
    return lines;
}

void SelectComboEntry(HWND dialog, int id, int index) {
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

void MoveSlider(HWND dialog, int id, int position) {
    HWND slider = ::GetDlgItem(dialog, id);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                   reinterpret_cast<LPARAM>(slider));
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0),
                   reinterpret_cast<LPARAM>(slider));
}

void Click(HWND dialog, int id) {
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if ((search->processId == 0 || owner == search->processId) &&
        std::string(className) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> WindowsOfClass(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    ::EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A balloon of the notification area is a tooltip window with the balloon style.
bool BalloonShown() {
    for (HWND tip : WindowsOfClass(0, "tooltips_class32")) {
        if (::IsWindowVisible(tip) && (::GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON) != 0)
            return true;
    }
    return false;
}

class CalmiraTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(TestName(), "default-desk.json"));
        dataFolder = e2e::InstallFilterSamples();
        ASSERT_FALSE(dataFolder.empty()) << "the sample filter files were not copied";
        if (UsesXorg()) {
            ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &before1));
            ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY2", &before2));
        }
    }
    void TearDown() override {
        Exit();
        if (UsesXorg()) {
            Ramp after1{}, after2{};
            ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &after1));
            ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY2", &after2));
            EXPECT_EQ(after1, before1) << "display 1 keeps a filtered ramp after Exit";
            EXPECT_EQ(after2, before2) << "display 2 keeps a filtered ramp after Exit";
        }
        e2e::DeleteSettingsTree();
    }
    void Start() { ASSERT_TRUE(program->Start()) << "the controller did not become resident"; }
    void Exit() { EXPECT_TRUE(program->ExitFromTray(false, 15000)); }
    HWND OpenDialog(int item, const wchar_t* caption) {
        HWND menu = program->OpenTrayMenu();
        if (menu == nullptr) return nullptr;
        program->PickMenuItem(menu, item);
        HWND dialog = nullptr;
        e2e::WaitUntil(10000, [&] {
            dialog = program->FindOwnWindow("#32770", caption);
            return dialog != nullptr && ::IsWindowVisible(dialog);
        });
        return dialog;
    }
    // An active filter with one of the default pictures, as OK in the dialog stores it.
    void StoreFilter(const char* picture, DWORD alpha, LONG luminance) {
        const BYTE on = 1;
        const DWORD type = 1;
        WriteBinary(kFilterKey, "On", &on, 1);
        WriteBinary(kFilterKey, "FileType", &type, 4, REG_DWORD);
        WriteString(kFilterKey, "FilePath", dataFolder + picture);
        WriteBinary(kFilterKey, "Alpha", &alpha, 4, REG_DWORD);
        WriteBinary(kFilterKey, "Luminance", &luminance, 4);
    }
    UINT_PTR Timers() const {
        return reinterpret_cast<UINT_PTR>(
            ::GetPropA(program->MainWindow(), "VistrelReminderTimers"));
    }
    void FireTimer(UINT_PTR id) {
        ::PostMessageA(program->MainWindow(), WM_TIMER, id, 0);
        ::Sleep(300);
    }
    std::vector<HWND> Overlays() const {
        return WindowsOfClass(program->ProcessId(), "VistrelFilterOverlay");
    }
    std::vector<HWND> VisibleOverlays() const {
        std::vector<HWND> shown;
        for (HWND overlay : Overlays()) {
            if (::IsWindowVisible(overlay)) shown.push_back(overlay);
        }
        return shown;
    }

    std::unique_ptr<Program> program = std::make_unique<Program>();
    std::string dataFolder;
    Ramp before1{}, before2{};
};

TEST_F(CalmiraTest, ReminderDialogStoresTheSettingsAndTheBalloonFollowsTheTimers) {
    Start();
    EXPECT_EQ(Timers(), 0u) << "no reminder timers on a fresh profile";
    HWND dialog = OpenDialog(kMenuCalmira, L"Calmira");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboLines(::GetDlgItem(dialog, 1208)),
              (std::vector<std::wstring>{L"Monitor1 (TQ6600W)", L"Monitor2-1 (TQ3300W)"}));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1202)));

    SelectComboEntry(dialog, 1208, 1);
    Click(dialog, 1211);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, 1202)));
    ::SetDlgItemTextW(dialog, 1202, L"30");
    EXPECT_EQ(ItemText(dialog, 1202), L"24") << "shown at once while typing";
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));

    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kReminderKey, "Hour", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{24}));
    ASSERT_TRUE(ReadValue(kReminderKey, "On", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{1}));
    ASSERT_TRUE(ReadValue(kCalmiraKey, "Model Name", &value));
    EXPECT_EQ(std::string(value.begin(), value.end()), std::string("TQ3300W", 8));
    // The timers follow once the dialog's modal loop has returned.
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return Timers() == ((1u << 13) | (1u << 16)); }))
        << Timers();

    FireTimer(13);
    EXPECT_TRUE(e2e::WaitUntil(5000, BalloonShown)) << "the reminder balloon appears";
    EXPECT_EQ(Timers(), (1u << 13) | (1u << 15) | (1u << 16));
    FireTimer(15);
    EXPECT_TRUE(e2e::WaitUntil(5000, [] { return !BalloonShown(); })) << "timer 15 takes it down";

    // Unticking deletes the settings and stops the reminder.
    dialog = OpenDialog(kMenuCalmira, L"Calmira");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1208), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(ItemText(dialog, 1202), L"24");
    Click(dialog, 1211);
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_FALSE(KeyExists(kCalmiraKey));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return Timers() == 0u; })) << Timers();
    FireTimer(13);
    ::Sleep(500);
    EXPECT_FALSE(BalloonShown()) << "a stray timer message brings no reminder";

    Exit();
    // The owner register holds the claiming process's id while claimed.
    EXPECT_EQ(e2e::SimRegister(0, 0, 0xE0), 0) << "monitor 1 is left claimed";
    EXPECT_EQ(e2e::SimRegister(1, 0, 0xE0), 0) << "monitor 2 is left claimed";
}

// The text of the balloon on show: a balloon is a tooltip, which answers
// WM_GETTEXT with the text it shows.
std::wstring BalloonText() {
    for (HWND tip : WindowsOfClass(0, "tooltips_class32")) {
        if (::IsWindowVisible(tip) && (::GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON) != 0) {
            wchar_t text[512] = {};
            ::SendMessageW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
            return text;
        }
    }
    return std::wstring();
}

TEST_F(CalmiraTest, EditMessageTakesAt255BytesAndOnlyOkChangesTheBalloonText) {
    Start();
    HWND dialog = OpenDialog(kMenuCalmira, L"Calmira");
    ASSERT_NE(dialog, nullptr);
    Click(dialog, 1211);
    const auto openEditor = [&] {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1214, BN_CLICKED), 0);
        HWND editor = nullptr;
        e2e::WaitUntil(10000, [&] {
            editor = program->FindOwnWindow("#32770", L"Edit Message");
            return editor != nullptr && ::IsWindowVisible(editor);
        });
        return editor;
    };
    HWND editor = openEditor();
    ASSERT_NE(editor, nullptr);
    const std::wstring standard = ItemText(editor, 1202);
    EXPECT_EQ(standard, L"Won't you have a break to rest your eyes?");
    HWND edit = ::GetDlgItem(editor, 1202);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (int i = 0; i < 300; ++i) ::SendMessageW(edit, WM_CHAR, L'a' + i % 26, 0);
    EXPECT_EQ(ItemText(editor, 1202).size(), 255u) << "typing stops at 255 bytes";
    Click(editor, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(editor); }));

    editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ItemText(editor, 1202), standard) << "Cancel keeps the message";
    // The close request of the main window ends the editor as Cancel does.
    ::SetDlgItemTextW(editor, 1202, L"Not this one");
    ::SendMessageW(editor, kMsgCloseNow, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(editor); }));

    editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ItemText(editor, 1202), standard) << "the close request keeps the message too";
    ::SetDlgItemTextW(editor, 1202, L"Stretch your legs");
    Click(editor, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(editor); }));
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));

    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kReminderKey, "Message", &value));
    EXPECT_EQ(std::string(value.begin(), value.end()), std::string("Stretch your legs", 18));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return Timers() != 0u; }));
    FireTimer(13);
    ASSERT_TRUE(e2e::WaitUntil(5000, BalloonShown));
    EXPECT_EQ(BalloonText(), L"Stretch your legs");
}

TEST_F(CalmiraTest, TheCloseRequestEndsTheCalmiraDialogWithoutSaving) {
    Start();
    HWND dialog = OpenDialog(kMenuCalmira, L"Calmira");
    ASSERT_NE(dialog, nullptr);
    Click(dialog, 1211);
    ::SendMessageW(dialog, kMsgCloseNow, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_FALSE(KeyExists(kReminderKey)) << "nothing is stored";
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return Timers() == 0u; }));
    // The dialog is closed for good: the tray menu offers it again.
    dialog = OpenDialog(kMenuCalmira, L"Calmira");
    ASSERT_NE(dialog, nullptr);
    ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
}

TEST_F(CalmiraTest, TheCloseRequestEndsTheFilterDialogAsItStandsWithoutCancel) {
    Start();
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    SelectComboEntry(dialog, 1219, 2);
    ASSERT_EQ(VisibleOverlays().size(), 2u);
    ::SendMessageW(dialog, kMsgCloseNow, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    // Cancel would have taken the tried picture off again; OK would have stored it.
    EXPECT_EQ(VisibleOverlays().size(), 2u) << "Cancel processing ran";
    std::vector<BYTE> value;
    EXPECT_FALSE(ReadValue(kFilterKey, "On", &value)) << "OK processing ran";
}

TEST_F(CalmiraTest, HideGivesADisplayTheRampItHadAtStartNotTheIdentity) {
    if (!UsesXorg()) GTEST_SKIP() << "needs gamma ramps";
    // A display that was calibrated before the program started: a darker curve.
    Ramp calibrated{};
    for (int i = 0; i < 256; ++i) {
        const WORD entry = static_cast<WORD>((i * i / 255) << 8);
        calibrated[i] = calibrated[256 + i] = calibrated[512 + i] = entry;
    }
    HDC dc = ::CreateDCA("\\\\.\\DISPLAY1", nullptr, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    const bool set = ::SetDeviceGammaRamp(dc, calibrated.data()) != FALSE;
    ::DeleteDC(dc);
    ASSERT_TRUE(set) << "the X server refused the calibrated ramp";
    Ramp original = before1;
    ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &before1));
    ASSERT_NE(before1, original);
    const auto putBack = [&] {
        HDC display = ::CreateDCA("\\\\.\\DISPLAY1", nullptr, nullptr, nullptr);
        ::SetDeviceGammaRamp(display, original.data());
        ::DeleteDC(display);
    };

    StoreFilter("amber.bmp", 64, -40);
    Start();
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }));
    Ramp ramp{};
    ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
    EXPECT_NE(ramp, before1) << "the filter's ramp is on";
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    SelectComboEntry(dialog, 1219, 0);
    ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
    EXPECT_EQ(ramp, before1) << "None gives back the calibrated ramp";
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    Exit();
    ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
    EXPECT_EQ(ramp, before1) << "Exit gives back the calibrated ramp";
    putBack();
    before1 = original;
}

TEST_F(CalmiraTest, AStoredReminderRunsAtStartEvenWithoutItsMonitor) {
    WriteString(kCalmiraKey, "Display Name", "\\\\.\\DISPLAY3");
    WriteString(kCalmiraKey, "Model Name", "TQ9999W");
    WriteString(kCalmiraKey, "Serial Num", "00000001");
    const BYTE on = 1, hour = 0;
    WriteBinary(kReminderKey, "On", &on, 1);
    WriteBinary(kReminderKey, "Hour", &hour, 1);
    Start();
    EXPECT_EQ(Timers(), (1u << 13) | (1u << 16))
        << "a monitor plugged in later still gets reminders";
    FireTimer(13);
    ::Sleep(500);
    EXPECT_FALSE(BalloonShown()) << "but none while it is absent";
    // Suspend stops timer 13, resume starts it again.
    ::SendMessageA(program->MainWindow(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_EQ(Timers(), 1u << 16);
    ::SendMessageA(program->MainWindow(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_EQ(Timers(), (1u << 13) | (1u << 16));
}

TEST_F(CalmiraTest, FilterDialogShowsOverlaysAndRampsLiveAndOkKeepsThem) {
    Start();
    ASSERT_EQ(Overlays().size(), 2u) << "one overlay per display, hidden";
    EXPECT_TRUE(VisibleOverlays().empty());
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(
        ComboLines(::GetDlgItem(dialog, 1219)),
        (std::vector<std::wstring>{L"None", L"Image1", L"Image2", L"Image3", L"Select File"}));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1224)));

    SelectComboEntry(dialog, 1219, 1);
    EXPECT_EQ(VisibleOverlays().size(), 2u);
    EXPECT_EQ(ItemText(dialog, 1226), L"25") << "alpha 64 of the definition file";
    EXPECT_EQ(ItemText(dialog, 1228), L"-20");
    for (HWND overlay : Overlays()) {
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(overlay, GWL_EXSTYLE)) & 0x800A8u, 0x800A8u);
    }
    MoveSlider(dialog, 1225, 50);
    EXPECT_EQ(ItemText(dialog, 1228), L"-50");
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY2", &ramp));
        // Luminance -50: step = 305 / 255; entries up to 41 are black, 255 stays white.
        EXPECT_EQ(Entry(ramp, 0), 0);
        EXPECT_EQ(Entry(ramp, 41), 0);
        EXPECT_EQ(Entry(ramp, 42), 0);
        EXPECT_EQ(Entry(ramp, 128), 103);
        EXPECT_EQ(Entry(ramp, 255), 255);
    }
    MoveSlider(dialog, 1224, 50);
    EXPECT_EQ(ItemText(dialog, 1226), L"50");
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));

    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kFilterKey, "Alpha", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{128, 0, 0, 0}));
    ASSERT_TRUE(ReadValue(kFilterKey, "Luminance", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{0xCE, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(ReadValue((std::string(kFilterKey) + "\\amber.bmp").c_str(), "ModAlpha", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{128, 0, 0, 0}));
    EXPECT_EQ(VisibleOverlays().size(), 2u) << "OK keeps the filter on the screens";

    // A new run shows the stored filter at once.
    Exit();
    program = std::make_unique<Program>();
    Start();
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }));
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        EXPECT_EQ(Entry(ramp, 42), 0);
        EXPECT_EQ(Entry(ramp, 255), 255);
    }
}

TEST_F(CalmiraTest, FilterCancelPutsThePreviousFilterBack) {
    StoreFilter("dusk.png", 96, -30);
    Start();
    EXPECT_EQ(VisibleOverlays().size(), 2u);
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1219), CB_GETCURSEL, 0, 0), 3);
    SelectComboEntry(dialog, 1219, 0);
    EXPECT_TRUE(VisibleOverlays().empty());
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        EXPECT_EQ(ramp, before1) << "None gives the display its own ramp back";
    }
    Click(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(VisibleOverlays().size(), 2u);
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        EXPECT_EQ(Entry(ramp, 0), 0);
        EXPECT_EQ(Entry(ramp, 25), 0) << "luminance -30 is back";
        EXPECT_EQ(Entry(ramp, 255), 255);
    }
    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kFilterKey, "Alpha", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{96, 0, 0, 0})) << "Cancel stores nothing";
}

// A definition file that lists only the pictures given, with FileName as written.
void WriteDefinitions(const std::string& folder, const std::vector<std::string>& names) {
    std::ofstream file(folder + "DefFilter.xml", std::ios::trunc);
    file << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CalmiraFilters>\n";
    for (const std::string& name : names) {
        file << "  <DefaultFilter><FileName>" << name
             << "</FileName><WindowAlpha>64</WindowAlpha><Luminance>-20</Luminance></"
                "DefaultFilter>\n";
    }
    file << "</CalmiraFilters>\n";
}

TEST_F(CalmiraTest, ADefaultFilterNoLongerListedGoesFromTheScreensWhenTheDialogSaysNone) {
    StoreFilter("amber.bmp", 64, -40);
    WriteDefinitions(dataFolder, {"forest.jpg", "dusk.png"});
    Start();
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }))
        << "the stored filter is shown at start";
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1219), CB_GETCURSEL, 0, 0), 0) << "None";
    EXPECT_TRUE(VisibleOverlays().empty())
        << "the dialog says None while the filter stays on the screens";
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        EXPECT_EQ(ramp, before1) << "display 1 keeps the filter's ramp";
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY2", &ramp));
        EXPECT_EQ(ramp, before2) << "display 2 keeps the filter's ramp";
    }
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kFilterKey, "On", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{0}));
    EXPECT_TRUE(VisibleOverlays().empty()) << "stored as off, so nothing may stay on the screens";
}

TEST_F(CalmiraTest, ADefaultFilterInASubFolderIsFoundInTheListAndStaysOn) {
    const std::string tints = dataFolder + "tints";
    ::CreateDirectoryA(tints.c_str(), nullptr);
    ASSERT_TRUE(
        ::CopyFileA((dataFolder + "amber.bmp").c_str(), (tints + "\\amber.bmp").c_str(), FALSE));
    WriteDefinitions(dataFolder, {"forest.jpg", "tints\\amber.bmp"});
    StoreFilter("tints\\amber.bmp", 80, -30);
    Start();
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }));
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1219), CB_GETCURSEL, 0, 0), 2)
        << "Image2, not None";
    EXPECT_EQ(ItemText(dialog, 1226), L"31") << "the stored alpha 80";
    EXPECT_EQ(VisibleOverlays().size(), 2u);
    Click(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return !::IsWindow(dialog); }));
    std::vector<BYTE> value;
    ASSERT_TRUE(ReadValue(kFilterKey, "On", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{1}));
    ASSERT_TRUE(
        ReadValue((std::string(kFilterKey) + "\\tints\\amber.bmp").c_str(), "ModAlpha", &value));
    EXPECT_EQ(value, (std::vector<BYTE>{80, 0, 0, 0}));
    EXPECT_EQ(VisibleOverlays().size(), 2u);
}

TEST_F(CalmiraTest, DisplayChangeClosesTheOpenFileDialogAndTheFilterDialog) {
    Start();
    HWND dialog = OpenDialog(kMenuFilter, L"Calmira Filter");
    ASSERT_NE(dialog, nullptr);
    SelectComboEntry(dialog, 1219, 4);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, 1221)));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1221, BN_CLICKED), 0);
    HWND files = nullptr;
    ASSERT_TRUE(e2e::WaitUntil(10000, [&] {
        files = program->FindOwnWindow("#32770", L"Open");
        return files != nullptr && ::IsWindowVisible(files);
    }));
    // The close request reaches the file dialog itself, whatever is in front.
    ::PostMessageW(dialog, WM_DISPLAYCHANGE, 32, MAKELPARAM(2304, 1024));
    EXPECT_TRUE(e2e::WaitUntil(10000, [&] { return !::IsWindow(files) && !::IsWindow(dialog); }));
    EXPECT_TRUE(program->Running());
    EXPECT_TRUE(VisibleOverlays().empty());
}

TEST_F(CalmiraTest, UnlockReappliesTheFilterLuminanceSevenSecondsLater) {
    if (!UsesXorg()) GTEST_SKIP() << "needs gamma ramps";
    StoreFilter("forest.jpg", 64, -50);
    Start();
    // Something else reset the display's ramp while the session was locked (or
    // the system slept); the program's own timer must bring the filter back.
    const auto resetAndWait = [&](UINT message, WPARAM event) {
        HDC dc = ::CreateDCA("\\\\.\\DISPLAY1", nullptr, nullptr, nullptr);
        ASSERT_NE(dc, nullptr);
        ASSERT_TRUE(::SetDeviceGammaRamp(dc, before1.data()));
        ::DeleteDC(dc);
        const DWORD sent = ::GetTickCount();
        ::SendMessageA(program->MainWindow(), message, event, 0);
        Ramp ramp{};
        // Not before its seven seconds ...
        ::Sleep(5000);
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        EXPECT_EQ(ramp, before1) << "re-applied " << ::GetTickCount() - sent
                                 << " ms after the event";
        // ... and soon after them.
        EXPECT_TRUE(e2e::WaitUntil(5000, [&] {
            return ReadRamp("\\\\.\\DISPLAY1", &ramp) && Entry(ramp, 42) == 0 &&
                   Entry(ramp, 128) != Entry(before1, 128);
        })) << "the filter luminance did not come back";
        EXPECT_GE(::GetTickCount() - sent, 6500u);
        EXPECT_EQ(Entry(ramp, 255), 255);
    };
    resetAndWait(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
    resetAndWait(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
}

TEST_F(CalmiraTest, DisplayChangeWithTheFilterOnKeepsTheOriginalRamps) {
    if (!UsesXorg() || e2e::DisplayCount() < 2)
        GTEST_SKIP() << "needs two outputs with gamma ramps";
    // Wine refuses ramps that lift the black level, so the filter darkens here.
    StoreFilter("amber.bmp", 64, -40);
    Start();
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }));
    // Both changes arrive while the displays carry the filtered ramps.
    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --off"));
    ASSERT_TRUE(e2e::RunXrandr("--output DUMMY1 --mode 1024x768 --pos 1280x0"));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().empty(); }));
    ASSERT_TRUE(e2e::WaitUntil(20000, [&] { return VisibleOverlays().size() == 2u; }));
    ::Sleep(500);
    Ramp ramp{};
    ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
    EXPECT_EQ(Entry(ramp, 30), 0) << "the filter is back after the change";
    EXPECT_EQ(Entry(ramp, 128), 108);
    // TearDown checks that Exit leaves both displays with the ramps from before the start.
}

// An installer that needs the controller's files asks it to close as a session
// end would: it agrees and ends as Exit does, icon gone, filtered ramps put back.
TEST_F(CalmiraTest, AnInstallersCloseRequestEndsItAsExitDoes) {
    StoreFilter("amber.bmp", 64, -40);
    const int icons = e2e::TrayIconCount();
    Start();
    ASSERT_EQ(e2e::TrayIconCount(), icons + 1);
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return VisibleOverlays().size() == 2u; }))
        << "the stored filter is not on the screens";
    if (UsesXorg()) {
        Ramp ramp{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &ramp));
        ASSERT_NE(ramp, before1) << "the filter did not change the ramp: nothing to restore";
    }
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(program->MainWindow(), WM_QUERYENDSESSION, 0,
                                      ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_NE(answer, 0u) << "the close request was refused";
    ::SendMessageTimeoutA(program->MainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP,
                          SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_TRUE(program->WaitForExit(10000));
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return e2e::TrayIconCount() == icons; }))
        << "icons before " << icons << ", now " << e2e::TrayIconCount();
    if (UsesXorg()) {
        Ramp after1{}, after2{};
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY1", &after1));
        ASSERT_TRUE(ReadRamp("\\\\.\\DISPLAY2", &after2));
        EXPECT_EQ(after1, before1) << "display 1 keeps the filter's ramp after the close request";
        EXPECT_EQ(after2, before2) << "display 2 keeps the filter's ramp after the close request";
    }
}

}  // namespace
