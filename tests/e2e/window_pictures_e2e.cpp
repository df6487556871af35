// Opens every window of the controller in turn, as a user would, and leaves a
// picture of each on the screen in the folder VISTREL_PICTURES_DIR names: the
// tray menu, the settings window on each tab, the colour detail dialog, the match
// wizard's three steps, the about box, the monitor list, the reminder dialog and
// its message editor, and the filter dialog. A change that must not change what
// the user sees is checked by comparing the pictures before and after it
// (tools/window-pictures.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program_driver.h"
#include "settings_driver.h"
#include "window_capture.h"

namespace {

// Controls by which the windows are told apart.
constexpr int kIdColorDetail = 1047;
constexpr int kIdDetailTemperature = 1039;
constexpr int kIdAdjust = 1235;
constexpr int kIdStep1Master = 1267;
constexpr int kIdStep1Next = 1276;
constexpr int kIdStep2Picture = 1282;
constexpr int kIdStep2Next = 1278;
constexpr int kIdStep3Finish = 1280;
constexpr int kIdStep3Cancel = 1281;
constexpr int kIdAboutVersion = 1159;
constexpr int kIdReminderOn = 1211;
constexpr int kIdEditMessage = 1214;
constexpr int kIdMessage = 1202;
constexpr int kIdFilterImage = 1219;
constexpr UINT kSysAbout = 0x10;
// Page controls that only that page has, in tab order.
constexpr int kPageControls[4] = {1029, 1044, 1235, 1133};

std::string PicturesFolder() {
    std::string folder = e2e::DosPath(e2e::Env("VISTREL_PICTURES_DIR"));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool SavePicture(HWND window, const std::string& name) {
    return e2e::SaveSettledPicture(window, PicturesFolder() + name + ".bmp");
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (::GetDlgCtrlID(window) != search->id || !::IsWindowVisible(::GetParent(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

// A control of the window or of a dialog inside it (the wizard's steps sit in its
// frame), or null.
HWND ControlIn(HWND window, int id) {
    if (HWND control = ::GetDlgItem(window, id)) return control;
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct DialogSearch {
    DWORD process;
    int with;
    int without;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || !::IsWindowVisible(window)) return TRUE;
    if (ControlIn(window, search->with) == nullptr) return TRUE;
    if (search->without != 0 && ControlIn(window, search->without) != nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

class WindowPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::Env("VISTREL_PICTURES_DIR").empty())
            << "VISTREL_PICTURES_DIR names no folder";
        ASSERT_TRUE(e2e::PrepareFreshState(e2e::TestName(), "default-desk.json"));
        ASSERT_TRUE(program.Start()) << "the controller did not become resident";
    }
    void TearDown() override {
        if (!program.ExitFromTray()) program.Kill();
        e2e::DeleteSettingsTree();
    }

    // A visible top-level dialog of the program holding `with` and not `without`.
    HWND WaitForDialog(int with, int without = 0, DWORD milliseconds = 10000) const {
        HWND found = nullptr;
        e2e::WaitUntil(milliseconds, [&] {
            DialogSearch search{program.ProcessId(), with, without, nullptr};
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            found = search.found;
            return found != nullptr;
        });
        return found;
    }
    // Waits for the window to settle on the screen, then takes its picture.
    void Picture(HWND window, const char* name) {
        ::Sleep(500);
        EXPECT_TRUE(SavePicture(window, name)) << name;
        ++taken;
    }
    static void Close(HWND dialog) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        e2e::WaitUntil(5000, [&] {
            return ::IsWindow(dialog) == FALSE || ::IsWindowVisible(dialog) == FALSE;
        });
    }
    void FromTray(int item) {
        HWND menu = program.OpenTrayMenu();
        ASSERT_NE(menu, nullptr);
        program.PickMenuItem(menu, item);
    }

    e2e::Program program;
    int taken = 0;
};

TEST_F(WindowPictures, EveryWindow) {
    HWND menu = program.OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    Picture(menu, "tray-menu");
    program.PickMenuItem(menu, e2e::kMenuSettings);
    ASSERT_TRUE(
        e2e::WaitUntil(8000, [&] { return ::IsWindowVisible(program.MainWindow()) != FALSE; }));
    HWND settings = program.MainWindow();
    // Away from every window, so that no hover look or tip differs.
    ::SetCursorPos(2, 760);

    for (int tab = 0; tab < 4; ++tab) {
        ASSERT_TRUE(e2e::SelectTab(program, tab));
        ::SetCursorPos(2, 760);
        Picture(settings, ("settings-tab" + std::to_string(tab)).c_str());
        HWND page = e2e::FindPage(program, kPageControls[tab]);
        if (tab == e2e::kTabColor && page != nullptr) {
            e2e::Press(page, kIdColorDetail);
            if (HWND detail = WaitForDialog(kIdDetailTemperature)) {
                Picture(detail, "color-detail");
                Close(detail);
            } else {
                ADD_FAILURE() << "the colour detail dialog did not open";
            }
        }
        if (tab == e2e::kTabMatch && page != nullptr) {
            e2e::Press(page, kIdAdjust);
            HWND wizard = WaitForDialog(kIdStep1Master);
            if (wizard == nullptr) {
                ADD_FAILURE() << "the match wizard did not open";
                continue;
            }
            Picture(wizard, "match-step1");
            e2e::Press(::GetParent(ControlIn(wizard, kIdStep1Master)), kIdStep1Next);
            if (WaitForDialog(kIdStep2Picture, 0, 30000) != nullptr) {
                Picture(wizard, "match-step2");
                e2e::Press(::GetParent(ControlIn(wizard, kIdStep2Picture)), kIdStep2Next);
                if (WaitForDialog(kIdStep3Finish, 0, 30000) != nullptr) {
                    Picture(wizard, "match-step3");
                    e2e::Press(::GetParent(ControlIn(wizard, kIdStep3Finish)), kIdStep3Cancel);
                } else {
                    ADD_FAILURE() << "the wizard's third step did not show";
                }
            } else {
                ADD_FAILURE() << "the wizard's second step did not show";
            }
            e2e::WaitUntil(30000, [&] {
                return ::IsWindow(wizard) == FALSE || ::IsWindowVisible(wizard) == FALSE;
            });
        }
    }

    ::PostMessageA(settings, WM_SYSCOMMAND, kSysAbout, 0);
    if (HWND about = WaitForDialog(kIdAboutVersion)) {
        Picture(about, "about");
        Close(about);
    } else {
        ADD_FAILURE() << "the about box did not open";
    }
    e2e::Press(settings, e2e::kIdClose);
    e2e::WaitUntil(5000, [&] { return ::IsWindowVisible(settings) == FALSE; });

    if (HWND list = program.OpenMonitorList()) {
        Picture(list, "monitor-list");
        Close(list);
    } else {
        ADD_FAILURE() << "the monitor list did not open";
    }

    FromTray(e2e::kMenuCalmira);
    if (HWND calmira = WaitForDialog(kIdReminderOn)) {
        Picture(calmira, "calmira");
        e2e::Press(calmira, kIdEditMessage);
        if (HWND editor = WaitForDialog(kIdMessage, kIdReminderOn)) {
            Picture(editor, "calmira-message");
            Close(editor);
        } else {
            ADD_FAILURE() << "the message editor did not open";
        }
        Close(calmira);
    } else {
        ADD_FAILURE() << "the reminder dialog did not open";
    }

    FromTray(e2e::kMenuFilter);
    if (HWND filter = WaitForDialog(kIdFilterImage)) {
        Picture(filter, "filter");
        Close(filter);
    } else {
        ADD_FAILURE() << "the filter dialog did not open";
    }
    std::printf("%d pictures taken\n", taken);
}

}  // namespace
