#include "settings_driver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "sim/desk.h"
#include "sim/desk_config.h"
#include "sim/real_clock.h"

namespace e2e {

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

LANGID TestLanguage() {
    return Env("VISTREL_LANG") == "ja" ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                       : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

namespace {

// The desk as the stand-in DLLs keep it: a fresh look at the state file each time.
std::unique_ptr<sim::Desk> CurrentDesk() {
    sim::DeskConfig config;
    std::string error;
    if (!sim::LoadDeskConfig(Env("VISTREL_SIM_CONFIG"), &config, &error)) return nullptr;
    return std::make_unique<sim::Desk>(std::move(config), sim::RealClock());
}

}  // namespace

int SimRegister(int monitor, std::uint16_t page, std::uint8_t code) {
    const auto desk = CurrentDesk();
    std::uint16_t value = 0;
    if (desk == nullptr || !desk->ReadRegister(monitor, {page, code}, &value)) return -1;
    return value;
}

bool SetSimRegister(int monitor, std::uint16_t page, std::uint8_t code, std::uint16_t value) {
    const auto desk = CurrentDesk();
    return desk != nullptr && desk->SetRegister(monitor, {page, code}, value);
}

bool WaitForRegister(int monitor, std::uint16_t page, std::uint8_t code, int value) {
    return WaitUntil(8000, [&] { return SimRegister(monitor, page, code) == value; });
}

HWND OpenSettings(const Program& program) {
    HWND main = program.MainWindow();
    if (!::IsWindowVisible(main)) {
        HWND menu = program.OpenTrayMenu();
        if (menu == nullptr) return nullptr;
        program.PickMenuItem(menu, kMenuSettings);
    }
    return WaitUntil(5000, [&] { return ::IsWindowVisible(main) != FALSE; }) ? main : nullptr;
}

bool SelectTab(const Program& program, int index) {
    HWND tab = ::GetDlgItem(program.MainWindow(), kIdTabStrip);
    // The item rectangle comes back in the program's memory.
    void* remote = ::VirtualAllocEx(program.ProcessHandle(), nullptr, sizeof(RECT),
                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) return false;
    ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(remote));
    RECT rect{};
    ::ReadProcessMemory(program.ProcessHandle(), remote, &rect, sizeof rect, nullptr);
    ::VirtualFreeEx(program.ProcessHandle(), remote, 0, MEM_RELEASE);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, point);
    return WaitUntil(5000, [&] { return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == index; });
}

namespace {

struct ControlSearch {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindHolder(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (::GetParent(::GetDlgItem(window, search->controlId)) != window) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindPage(const Program& program, int controlId) {
    ControlSearch search{controlId, nullptr};
    ::EnumChildWindows(::GetDlgItem(program.MainWindow(), kIdTabStrip), FindHolder,
                       reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Choose(HWND window, int comboId, int index) {
    HWND combo = ::GetDlgItem(window, comboId);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

std::wstring ComboText(HWND combo, int index) {
    const int length =
        static_cast<int>(::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length < 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int FindEntry(HWND combo, const std::wstring& text) {
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (ComboText(combo, i) == text) return i;
    return -1;
}

int FindEntryWithData(HWND combo, LPARAM data) {
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) return i;
    return -1;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void Press(HWND window, int id) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

HWND WaitForMessageBox(const Program& program, DWORD milliseconds) {
    constexpr int kMessageText = 65535;
    HWND box = nullptr;
    WaitUntil(milliseconds,
              [&] { return (box = program.FindOwnDialogWith(kMessageText)) != nullptr; });
    return box;
}

std::wstring MessageText(HWND box) {
    return WindowText(::GetDlgItem(box, 65535));
}

bool Answer(HWND box, int buttonId) {
    HWND button = ::GetDlgItem(box, buttonId);
    if (button == nullptr) return false;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    return WaitUntil(5000, [&] { return !::IsWindow(box); });
}

HWND FocusOf(const Program& program) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(program.MainWindow(), nullptr);
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

}  // namespace e2e
