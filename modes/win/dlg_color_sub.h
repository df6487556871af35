#pragma once
// The colour detail dialog: one slider per colour setting of the current monitor in
// its current mode, each move written at once; "&Reset" to the factory colours,
// Cancel back to the values found on opening.
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "modes/color_detail_session.h"
#include "monitor/monitor_color.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_control.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/subclass.h"

// The colour bar under the temperature slider: a picture stretched over the
// control with a sunken two-colour frame.
class CColorBar : public ui::Subclassed<ui::Static> {
public:
    void SetBitmap(unsigned bitmapId);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    unsigned m_nBitmapId = 0;
    ui::Bitmap m_hBitmap;
};

class CDlgColorSub : public ui::Dialog {
public:
    CDlgColorSub();
    ~CDlgColorSub() override;

    // The dialog was ended by the settings window (close request or display change).
    static constexpr INT_PTR kClosedBySystem = 255;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    bool OnHScroll(int code, int position, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void EnableAll(bool enable);
    // Copies what the session holds to the sliders, texts and colour bar; after a
    // load also the enabling and icons.
    void ShowSession(bool enabling);
    void ShowEnabling();

    // The monitor the dialog was opened on; null when there was none.
    std::unique_ptr<CColorDetailSession> m_session;
    CMonitorColor m_ownColor;
    std::array<ui::Slider, kDetailSliderCount> m_sliders;
    CColorBar m_colorBar;
    ui::Brush m_brValueField;
    ui::Brush m_brBackground;
    SIZE m_szPattern{0, 0};
    std::vector<ui::Bitmap> m_iconBitmaps;
};
