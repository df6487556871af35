// Puts the controller's main window with one page, the About box and the monitor list
// on screen for a look at layout and language, and quits after a few seconds.
//   ui_show_templates.exe [page 0-3, or 4 for the secondary dialogs] [seconds]
#include <cstdlib>

#include "resources/controller/resource.h"
#include "ui/application.h"
#include "ui/controls/list_box.h"
#include "ui/controls/tab_control.h"
#include "ui/dialog.h"
#include "ui/resource_string.h"

namespace {

class Page : public ui::Dialog {
public:
    Page(UINT id, UINT background) : Dialog(id), background_(background) {}
    ~Page() override {
        if (brush_ != nullptr) ::DeleteObject(brush_);
    }

protected:
    bool OnInitDialog() override {
        HBITMAP bitmap = ::LoadBitmap(ui::ResourceInstance(), MAKEINTRESOURCE(background_));
        if (bitmap != nullptr) {
            brush_ = ::CreatePatternBrush(bitmap);
            ::DeleteObject(bitmap);
        }
        SetItemText(IDC_HYPERLINK, ui::ResourceString(IDS_WEB_ADDRESS));
        return true;
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override {
        if (type == CTLCOLOR_EDIT || type == CTLCOLOR_LISTBOX) return nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        return brush_;
    }

private:
    UINT background_;
    HBRUSH brush_ = nullptr;
};

class MainWindow : public ui::Dialog {
public:
    explicit MainWindow(int page) : Dialog(IDD_MAIN), page_(page) {}

protected:
    bool OnInitDialog() override {
        ui::TabControl tab;
        tab.AttachItem(Handle(), IDC_TAB);
        const UINT kTabs[] = {IDS_TAB_TONALIS, IDS_TAB_COLOR, IDS_TAB_MATCH, IDS_TAB_SOUND};
        for (int i = 0; i < 4; ++i) tab.Insert(i, ui::ResourceString(kTabs[i]));
        tab.Select(page_);
        RECT area = tab.ClientRect();
        tab.AdjustRect(false, area);
        area.left -= 2;
        pages_[page_].Create(tab.Handle());
        pages_[page_].Move(area);
        pages_[page_].Show(SW_SHOW);
        SetIcon(::LoadIcon(ui::ResourceInstance(), MAKEINTRESOURCE(IDR_MAINFRAME)), true);
        return true;
    }
    void OnCancel() override { Destroy(); }

private:
    int page_;
    Page pages_[4] = {{IDD_TONL, IDB_TONL_BACK},
                      {IDD_COLOR, IDB_COLOR_BACK},
                      {IDD_MULTIMON_MATCH, IDB_MATCH_BACK},
                      {IDD_SOUND, IDB_SOUND_BACK}};
};

class About : public ui::Dialog {
public:
    About() : Dialog(IDD_ABOUTBOX) {}

protected:
    bool OnInitDialog() override {
        SetItemText(IDC_VERSION, ui::ResourceString(IDS_VERSION));
        SetItemText(IDC_NOTICE, ui::ResourceString(IDS_LEGAL_NOTICE));
        return true;
    }
};

class MonitorList : public ui::Dialog {
public:
    MonitorList() : Dialog(IDD_MONITOR_LIST) {}

protected:
    bool OnInitDialog() override {
        SetItemText(IDC_LIST_EXPLANATION, ui::ResourceString(IDS_MONITOR_LIST_EXPLANATION));
        ui::ListBox list;
        list.AttachItem(Handle(), IDC_MONITOR_LIST);
        list.Add(TEXT("1)    Monitor1     /  TQ2200W    /  12345678"));
        list.Add(TEXT("2)    Monitor2     /  TQ6600W    /  87654321"));
        return true;
    }
};

// Any template as it is, at a given place.
class Plain : public ui::Dialog {
public:
    explicit Plain(UINT id) : Dialog(id) {}
};

class WizardFrame : public ui::Dialog {
public:
    WizardFrame() : Dialog(IDD_MATCH_SUB) {}

protected:
    bool OnInitDialog() override {
        step_.Create(Handle());
        step_.Show(SW_SHOW);
        return true;
    }

private:
    Page step_{IDD_MATCH_STEP1, IDB_MATCH_STEP1_BACK};
};

int ShowSecondaryDialogs(int seconds) {
    Plain colorSub(IDD_COLOR_SUB), calmira(IDD_CALMIRA), editMessage(IDD_EDIT_MESSAGE),
        filter(IDD_VSFILTER);
    WizardFrame wizard;
    struct Placement {
        ui::Dialog* dialog;
        int x, y;
    } placements[] = {{&colorSub, 10, 10},
                      {&calmira, 480, 10},
                      {&editMessage, 480, 260},
                      {&filter, 860, 10},
                      {&wizard, 860, 340}};
    for (const Placement& placement : placements) {
        if (!placement.dialog->Create()) return 1;
        placement.dialog->SetPos(nullptr, placement.x, placement.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message{};
    while (::GetMessage(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) break;
        if (!ui::Application::PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessage(&message);
        }
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The main window's template names the program's own dialog class.
    WNDCLASSEXA dialogClass{};
    dialogClass.cbSize = sizeof dialogClass;
    if (::GetClassInfoExA(nullptr, MAKEINTRESOURCEA(32770), &dialogClass)) {
        dialogClass.cbSize = sizeof dialogClass;
        dialogClass.hInstance = ::GetModuleHandleA(nullptr);
        dialogClass.lpszClassName = "VISTREL";
        ::RegisterClassExA(&dialogClass);
    }
    int page = __argc > 1 ? std::atoi(__argv[1]) % 5 : 0;
    int seconds = __argc > 2 ? std::atoi(__argv[2]) : 8;
    if (page == 4) return ShowSecondaryDialogs(seconds);
    ui::Application application;
    MainWindow main(page < 0 ? 0 : page);
    About about;
    MonitorList list;
    if (!main.Create()) return 1;
    application.SetMainWindow(main.Handle());
    main.SetPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    main.Show(SW_SHOW);
    about.Create();
    about.SetPos(nullptr, 10, 560, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    list.Create();
    list.SetPos(nullptr, 520, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message{};
    while (::GetMessage(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) break;
        if (!ui::Application::PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessage(&message);
        }
    }
    return 0;
}
