#pragma once
// The launcher's own controls: the item links of a tab page, the web link of
// the information page and the main window's tab strip.
#include <windows.h>

#include <string>

#include "launcher/launcher_shell.h"
#include "ui/accent_tab_control.h"
#include "ui/controls/static_control.h"
#include "ui/subclass.h"
#include "ui/gdi.h"

// A static text that behaves like a link and shows its item's caption in the
// page's description area while the pointer (or the keyboard focus) is on it.
class CStaticButton : public ui::Subclassed<ui::Static> {
public:
    ~CStaticButton() override;

    void SetTexts(const std::u16string* title, const std::u16string* caption,
                  const std::u16string* defaultText, HWND description);
    void SetHover(int state);

    // Set by the link itself just before it reports a click made with Enter or
    // Space, which has no pointer position to check.
    bool m_bKeyboardClick = false;
    int m_bHover = 0;
    COLORREF m_crNormal = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(255, 0, 0);

    // Whether the launcher's main window is active; links follow the pointer
    // only then. Points at the application's flag.
    static const int* s_pMainActive;
    // Whether a selection or application dialog is open; the link that opened
    // one keeps its highlight meanwhile, as the pointer's would. Point at the
    // application's flags.
    static const int* s_pSelectDialogOpen;
    static const int* s_pSubDialogOpen;

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowDescription(const std::u16string* text);

    const std::u16string* m_pTitle = nullptr;
    const std::u16string* m_pCaption = nullptr;
    const std::u16string* m_pCurrent = nullptr;
    const std::u16string* m_pDefault = nullptr;
    HWND m_description = nullptr;
    ui::Font m_font;
};

// A static text that opens its address when clicked.
class CHyperLink : public ui::Subclassed<ui::Static> {
public:
    ~CHyperLink() override;
    // The shell the address is opened through; the link opens nothing without one.
    void SetShell(launcher::LauncherShell* shell) { m_pShell = shell; }
    void SetUrl(const std::u16string& url);
    const std::u16string& Url() const { return m_strUrl; }

    int m_bHover = 0;
    COLORREF m_crNormal = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(255, 0, 0);

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Open();
    launcher::LauncherShell* m_pShell = nullptr;
    std::u16string m_strUrl;
    ui::Font m_font;
};

// The main window's tab strip: the selected tab drawn light with an amber bar.
class CTabCtrlEx : public ui::AccentTabControl {
public:
    CTabCtrlEx() : ui::AccentTabControl(RGB(248, 248, 246)) {}
};

// Shared by both links: the notify style and an underlined, heavy copy of the
// control's font.
HFONT MakeLinkFont(HWND control);
