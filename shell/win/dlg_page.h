#pragma once
// What every tab page of the settings window shares: the background picture
// behind the page and its transparent controls, the web link at the foot, the
// monitor choice list, and the keyboard rules that carry the focus out of the
// page to the main window's tab strip and "&Close" button.
#include <windows.h>

#include "shell/win/settings_page.h"
#include "shell/win/small_controls.h"
#include "ui/controls/combo_box.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

// Colours of a window drawn on a page background picture: typing fields and lists
// keep the system's, read-only value fields get `valueField`, the window itself the
// picture from its origin, and every other control the picture shifted so that it
// continues behind the control. Text is drawn transparent.
HBRUSH PageControlColor(HWND window, HDC dc, HWND control, UINT type, HBRUSH background,
                        SIZE pattern, HBRUSH valueField);

class CDlgPage : public ui::Dialog, public CSettingsPage {
public:
    // The page's template, its background bitmaps (below and from 120 dpi), and the
    // control its keyboard order starts at (-1: the template's first tab stop).
    CDlgPage(UINT templateId, UINT lowResBitmap, UINT highResBitmap, int firstControl = -1);
    ~CDlgPage() override;

    bool PreTranslateMessage(MSG& message) override;

    // The settings window (the parent of the tab strip the page lives in).
    HWND MainWindow() const;
    // Moves the keyboard focus to a control of the settings window.
    void FocusMainControl(int id) const;

    // Fills a list with one entry per monitor record, "Monitor" + label + " (" +
    // model + ")", and selects the current monitor's entry; empty without one.
    static void FillMonitorList(const ui::ComboBox& list);

    // The background brush is made when the page is first painted and dropped
    // whenever the settings window hides: a screen-compatible copy of the picture
    // weighs more than everything else of the resident program together.
    void OnSettingsHidden() override;
    bool HasBackground() const { return static_cast<bool>(m_brBackground); }

protected:
    // Attaches the link. Derived pages call it first.
    bool OnInitDialog() override;
    // A page inside the settings window never ends itself on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    // The background brush, made now if the page has none.
    HBRUSH Background();

    ui::Brush m_brBackground;
    SIZE m_szPattern{0, 0};
    ui::Brush m_brValueField;
    ui::HyperLink m_link{kWebLinkLook};

private:
    HWND FirstEnabledControl() const;
    HWND LastEnabledControl() const;
    // The page's own child that holds the focus (the combo box for its edit field).
    HWND FocusedChild() const;

    UINT m_nLowResBitmap;
    UINT m_nHighResBitmap;
    int m_nFirstControl;
};
