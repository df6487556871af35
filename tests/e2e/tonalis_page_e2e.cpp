// The Auto Tonalis page's editing of rules, driven from outside: deleting a rule,
// choosing an adjustment data set for an application (shown on its model only,
// with the message saying so), and a rule bound to a set restoring that set when
// its application comes to the front.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings_driver.h"
#include "stand_in.h"

namespace {

using e2e::Program;

constexpr int kMonitorOne = 0;  // TQ6600W on display 1
constexpr int kMonitorTwo = 1;  // TQ3300W on display 2
constexpr int kBrightness = 0x10;

// Auto Tonalis page.
constexpr int kIdSwitching = 1029;
constexpr int kIdApplications = 1007;
constexpr int kIdRegister = 1031;
constexpr int kIdDelete = 1030;
constexpr int kIdTarget = 1010;
constexpr int kIdDefaultTarget = 1095;
// Colour page.
constexpr int kIdDetail = 1047;
constexpr int kIdDataName = 1044;
constexpr int kIdRegisterData = 1045;

constexpr UINT kStrSaveRule = 117;
constexpr UINT kStrDeleteRule = 120;
constexpr UINT kStrDeleteFailed = 121;
constexpr UINT kStrOnlyAppliedTo = 196;

std::string RulePath(const std::string& application) {
    return std::string(e2e::kSettingsRoot) + "\\Tonl\\" + application;
}

bool WriteDword(const std::string& path, const char* name, DWORD value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool WriteText(const std::string& path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// A value of the settings tree: a DWORD as its decimal text, a string as it is;
// empty when absent.
std::string ReadValue(const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    const LONG result =
        ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::string();
    if (type == REG_DWORD) return std::to_string(*reinterpret_cast<DWORD*>(data));
    return std::string(data);
}

std::wstring Replaced(std::wstring text, const std::wstring& what, const std::wstring& with) {
    const std::size_t at = text.find(what);
    if (at != std::wstring::npos) text.replace(at, what.size(), with);
    return text;
}

class TonalisPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "default-desk.json"));
    }
    void TearDown() override {
        Stop();
        EXPECT_EQ(e2e::SimRegister(kMonitorOne, 0, 0xE0), 0) << "monitor 1 is left claimed";
        EXPECT_EQ(e2e::SimRegister(kMonitorTwo, 0, 0xE0), 0) << "monitor 2 is left claimed";
        e2e::DeleteSettingsTree();
    }
    void Stop() {
        if (!program.Running()) return;
        // Leaving the page may ask to save the rule shown: no.
        ::PostMessageA(program.MainWindow(), WM_COMMAND, e2e::kIdClose, 0);
        if (HWND question = e2e::WaitForMessageBox(program, 1500)) e2e::Answer(question, IDNO);
        program.ExitFromTray();
    }
    HWND TonalisPage() {
        if (e2e::OpenSettings(program) == nullptr || !e2e::SelectTab(program, e2e::kTabTonalis))
            return nullptr;
        return e2e::FindPage(program, kIdSwitching);
    }
    // Saves the first monitor's adjustments under `name` on the colour page, with
    // its brightness at `brightness` meanwhile; the monitor gets 60 back after.
    void RegisterSetAt(const wchar_t* name, int brightness) {
        ASSERT_NE(e2e::OpenSettings(program), nullptr);
        ASSERT_TRUE(e2e::SelectTab(program, e2e::kTabColor));
        HWND page = e2e::FindPage(program, kIdDetail);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(e2e::SetSimRegister(kMonitorOne, 0, kBrightness,
                                        static_cast<std::uint16_t>(brightness)));
        HWND box = ::GetDlgItem(page, kIdDataName);
        ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        e2e::Press(page, kIdRegisterData);
        ASSERT_TRUE(e2e::WaitUntil(8000, [&] { return e2e::FindEntry(box, name) >= 0; }))
            << "the set is stored";
        ASSERT_TRUE(e2e::SetSimRegister(kMonitorOne, 0, kBrightness, 60));
    }
    // Picks the entry with this text in a list of the page; false when it is not there.
    static bool ChooseText(HWND page, int listId, const std::wstring& text) {
        const int index = e2e::FindEntry(::GetDlgItem(page, listId), text);
        if (index < 0) return false;
        e2e::Choose(page, listId, index);
        return true;
    }
    static LRESULT SelectedData(HWND page, int listId) {
        HWND list = ::GetDlgItem(page, listId);
        const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
        return index < 0 ? -1 : ::SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    }
    std::wstring OnlyAppliedTo(const wchar_t* model) const {
        return Replaced(e2e::ResourceString(kStrOnlyAppliedTo, e2e::TestLanguage()), L"0", model);
    }

    Program program;
};

TEST_F(TonalisPageTest, DeleteAsksFirstAndRemovesOnlyThatRule) {
    ASSERT_TRUE(WriteDword(RulePath("ALPHA"), "Mode", 17));
    ASSERT_TRUE(WriteDword(RulePath("BETA"), "Mode", 0));
    ASSERT_TRUE(program.Start());
    HWND page = TonalisPage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"ALPHA"));
    EXPECT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 17; }))
        << "the rule's mode is shown";
    ASSERT_TRUE(e2e::WaitUntil(
        5000, [&] { return ::IsWindowEnabled(::GetDlgItem(page, kIdDelete)) != FALSE; }));
    const std::wstring question =
        Replaced(e2e::ResourceString(kStrDeleteRule, e2e::TestLanguage()), L"%s", L"ALPHA");

    // No keeps the rule.
    e2e::Press(page, kIdDelete);
    HWND box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), question);
    ASSERT_TRUE(e2e::Answer(box, IDNO));
    EXPECT_EQ(ReadValue(RulePath("ALPHA"), "Mode"), "17");

    // Yes removes it, and only it.
    e2e::Press(page, kIdDelete);
    box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(e2e::Answer(box, IDYES));
    EXPECT_TRUE(e2e::WaitUntil(3000, [] { return !KeyExists(RulePath("ALPHA")); }));
    EXPECT_EQ(ReadValue(RulePath("BETA"), "Mode"), "0");
    EXPECT_TRUE(e2e::WaitUntil(3000, [&] { return SelectedData(page, kIdTarget) == -1; }))
        << "no target shown any more";
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, kIdDelete)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, kIdRegister)));
}

TEST_F(TonalisPageTest, AFailedDeleteOfARuleSaysSo) {
    ASSERT_TRUE(WriteDword(RulePath("ALPHA"), "Mode", 17));
    // A key that holds a key of its own cannot be deleted.
    ASSERT_TRUE(WriteDword(RulePath("ALPHA") + "\\Pinned", "Mode", 1));
    ASSERT_TRUE(program.Start());
    HWND page = TonalisPage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"ALPHA"));
    ASSERT_TRUE(e2e::WaitUntil(
        5000, [&] { return ::IsWindowEnabled(::GetDlgItem(page, kIdDelete)) != FALSE; }));
    e2e::Press(page, kIdDelete);
    HWND box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(e2e::Answer(box, IDYES));
    box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr) << "the failure is reported";
    EXPECT_EQ(e2e::MessageText(box), e2e::ResourceString(kStrDeleteFailed, e2e::TestLanguage()));
    ASSERT_TRUE(e2e::Answer(box, IDOK));
    EXPECT_TRUE(KeyExists(RulePath("ALPHA")));
}

TEST_F(TonalisPageTest, UnsavedTargetIsAskedForWhenLeavingIt) {
    ASSERT_TRUE(WriteDword(RulePath("ALPHA"), "Mode", 17));
    ASSERT_TRUE(WriteDword(RulePath("BETA"), "Mode", 0));
    ASSERT_TRUE(program.Start());
    HWND page = TonalisPage();
    ASSERT_NE(page, nullptr);
    const std::wstring question =
        Replaced(e2e::ResourceString(kStrSaveRule, e2e::TestLanguage()), L"%s", L"ALPHA");
    const std::wstring textMode = e2e::ResourceString(111, e2e::TestLanguage());

    // Another target chosen for ALPHA, then BETA chosen: Yes stores ALPHA's.
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"ALPHA"));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 17; }));
    ASSERT_TRUE(ChooseText(page, kIdTarget, textMode));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 0; }));
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"BETA"));
    HWND box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr) << "asked on another application";
    EXPECT_EQ(e2e::MessageText(box), question);
    ASSERT_TRUE(e2e::Answer(box, IDYES));
    EXPECT_TRUE(e2e::WaitUntil(3000, [] { return ReadValue(RulePath("ALPHA"), "Mode") == "0"; }));

    // Changed again and the page hidden with the settings ("&Close"): No keeps
    // what is stored.
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"ALPHA"));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 0; }));
    ASSERT_TRUE(ChooseText(page, kIdTarget, e2e::ResourceString(104, e2e::TestLanguage())));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 17; }));
    ::PostMessageA(program.MainWindow(), WM_COMMAND, e2e::kIdClose, 0);
    box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr) << "asked on hiding the page";
    EXPECT_EQ(e2e::MessageText(box), question);
    ASSERT_TRUE(e2e::Answer(box, IDNO));
    ::Sleep(300);
    EXPECT_EQ(ReadValue(RulePath("ALPHA"), "Mode"), "0");
}

TEST_F(TonalisPageTest, ASetChosenOnThePageGoesOnlyToItsModelAndSaysSo) {
    ASSERT_TRUE(WriteDword(RulePath("ALPHA"), "Mode", 17));
    ASSERT_TRUE(program.Start());
    RegisterSetAt(L"Evening", 30);
    const int otherBefore = e2e::SimRegister(kMonitorTwo, 0, kBrightness);
    HWND page = TonalisPage();
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ChooseText(page, kIdApplications, L"ALPHA"));
    ASSERT_TRUE(e2e::WaitUntil(5000, [&] { return SelectedData(page, kIdTarget) == 17; }));

    // The preview restores the set on the monitor of its model, then says so. The
    // sound page's 10 stands in the end-of-adjustment register, so the 0 shows.
    ASSERT_TRUE(e2e::SetSimRegister(kMonitorOne, 0xF0, 0xE3, 10));
    ASSERT_TRUE(ChooseText(page, kIdTarget, L"Evening"))
        << "sets follow the modes in the target list";
    HWND box = e2e::WaitForMessageBox(program, 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), OnlyAppliedTo(L"TQ6600W"));
    EXPECT_EQ(e2e::SimRegister(kMonitorOne, 0, kBrightness), 30);
    EXPECT_EQ(e2e::SimRegister(kMonitorOne, 0xF0, 0xE3), 0) << "the adjustment is ended";
    EXPECT_EQ(e2e::SimRegister(kMonitorOne, 0, 0xE0), 0) << "released before the message";
    EXPECT_EQ(e2e::SimRegister(kMonitorTwo, 0, kBrightness), otherBefore)
        << "another model is left alone";
    ASSERT_TRUE(e2e::Answer(box, IDOK));

    // Registered, the rule names the set.
    e2e::Press(page, kIdRegister);
    box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box),
              Replaced(e2e::ResourceString(kStrSaveRule, e2e::TestLanguage()), L"%s", L"ALPHA"));
    ASSERT_TRUE(e2e::Answer(box, IDYES));
    EXPECT_TRUE(e2e::WaitUntil(3000, [] { return ReadValue(RulePath("ALPHA"), "Mode") == "255"; }));
    EXPECT_EQ(ReadValue(RulePath("ALPHA"), "ModeName"), "Evening");

    // As the default target the set is only named: stored, announced, not applied.
    ASSERT_TRUE(e2e::SetSimRegister(kMonitorOne, 0, kBrightness, 60));
    ASSERT_TRUE(ChooseText(page, kIdDefaultTarget, L"Evening"));
    box = e2e::WaitForMessageBox(program);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), OnlyAppliedTo(L"TQ6600W"));
    ASSERT_TRUE(e2e::Answer(box, IDOK));
    EXPECT_EQ(ReadValue(e2e::kSettingsRoot, "DefMode"), "255");
    EXPECT_EQ(ReadValue(e2e::kSettingsRoot, "DefModeName"), "Evening");
    EXPECT_EQ(e2e::SimRegister(kMonitorOne, 0, kBrightness), 60);
}

TEST_F(TonalisPageTest, ARuleBoundToASetRestoresItWhenItsApplicationComesToTheFront) {
    // A first run stores the set; the rule that names it is in place for the next.
    ASSERT_TRUE(program.Start());
    RegisterSetAt(L"Evening", 30);
    Stop();
    ASSERT_TRUE(WriteDword(RulePath("ALPHA"), "Mode", 255));
    ASSERT_TRUE(WriteText(RulePath("ALPHA"), "ModeName", "Evening"));
    const int otherBefore = e2e::SimRegister(kMonitorTwo, 0, kBrightness);
    ASSERT_TRUE(e2e::SetSimRegister(kMonitorOne, 0xF0, 0xE3, 10));

    Program second;
    ASSERT_TRUE(second.Start());
    e2e::StandIn alpha;
    ASSERT_TRUE(alpha.Start("ALPHA.exe", "AlphaWindow", 100, 100));
    ASSERT_TRUE(alpha.ToFront());
    EXPECT_TRUE(e2e::WaitForRegister(kMonitorOne, 0, kBrightness, 30))
        << "the set's brightness is back";
    EXPECT_TRUE(e2e::WaitForRegister(kMonitorOne, 0xF0, 0xE3, 0));
    EXPECT_TRUE(e2e::WaitForRegister(kMonitorOne, 0, 0xE0, 0)) << "and the monitor released";
    EXPECT_EQ(e2e::SimRegister(kMonitorTwo, 0, kBrightness), otherBefore)
        << "another model is left alone";
    EXPECT_TRUE(second.ExitFromTray());
}

}  // namespace
