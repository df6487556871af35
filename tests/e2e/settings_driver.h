#pragma once
// The settings window's pages and the controller's dialogs driven from outside,
// and the simulated monitors' registers read and set beside them: what the page
// tests have in common.
#include <windows.h>

#include <cstdint>
#include <string>

#include "program_driver.h"

namespace e2e {

// Tabs of the settings window, in their order.
enum SettingsTab { kTabTonalis = 0, kTabColor = 1, kTabMatch = 2, kTabSound = 3 };
inline constexpr int kIdTabStrip = 1000;
inline constexpr int kIdClose = 1046;

std::string TestName();
// The language the test runs in (VISTREL_LANG), as a resource language.
LANGID TestLanguage();

// A register of a simulated monitor as the desk's state file holds it; -1 when
// it cannot be read.
int SimRegister(int monitor, std::uint16_t page, std::uint8_t code);
bool SetSimRegister(int monitor, std::uint16_t page, std::uint8_t code, std::uint16_t value);
// Waits up to 8 s for a register to hold `value`.
bool WaitForRegister(int monitor, std::uint16_t page, std::uint8_t code, int value);

// Opens the settings window from the tray menu; its handle once shown, or null.
HWND OpenSettings(const Program& program);
// Clicks a tab of the settings window and waits until it is the selected one.
bool SelectTab(const Program& program, int index);
// The page (a child dialog of the tab strip) that holds the control `controlId`.
HWND FindPage(const Program& program, int controlId);

// Picks entry `index` of a combo box as the user would. The change is posted, so
// that a message box it opens does not block the test: wait for its effect.
void Choose(HWND window, int comboId, int index);
// The index of the combo box entry with this text, or -1; and an entry's text.
int FindEntry(HWND combo, const std::wstring& text);
std::wstring ComboText(HWND combo, int index);
// The index of the entry whose item data is `data`, or -1.
int FindEntryWithData(HWND combo, LPARAM data);
std::wstring WindowText(HWND window);
// Presses a button by posting its command, so that a message box it opens does
// not block the test.
void Press(HWND window, int id);

// A message box the program shows (waiting up to `milliseconds`), or null; and
// its text.
HWND WaitForMessageBox(const Program& program, DWORD milliseconds = 5000);
std::wstring MessageText(HWND box);
// Answers a message box with one of its buttons and waits until it is gone.
bool Answer(HWND box, int buttonId);

// The window that has the keyboard focus in the program's user-interface thread.
HWND FocusOf(const Program& program);

}  // namespace e2e
