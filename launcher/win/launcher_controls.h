#pragma once
// The launcher's own controls: the item links of a tab page, the look of the
// information page's web link and the main window's tab strip.
#include <windows.h>

#include <string>

#include "resources/launcher/resource.h"
#include "ui/accent_tab_control.h"
#include "ui/controls/static_control.h"
#include "ui/subclass.h"
#include "ui/gdi.h"
#include "ui/hyperlink.h"

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

// The information page's web link.
inline constexpr ui::LinkLook kInfoLinkLook{RGB(0, 0, 255), RGB(255, 0, 0), true, IDC_LINK_HAND};

// The main window's tab strip: the selected tab drawn light with an amber bar.
class CTabCtrlEx : public ui::AccentTabControl {
public:
    CTabCtrlEx() : ui::AccentTabControl(RGB(248, 248, 246)) {}
};
