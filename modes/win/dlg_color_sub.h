#pragma once
// The colour detail dialog: one slider per colour setting of the current monitor in
// its current mode, each move written at once; "&Reset" to the factory colours,
// Cancel back to the values found on opening.
#include <windows.h>

#include <array>
#include <vector>

#include "monitor/monitor_color.h"
#include "ui/controls/slider.h"
#include "ui/controls/static_control.h"
#include "ui/dialog.h"
#include "ui/subclass.h"

// The colour bar under the temperature slider: a picture stretched over the
// control with a sunken two-colour frame.
class CColorBar : public ui::Subclassed<ui::Static> {
public:
    ~CColorBar() override;
    void SetBitmap(unsigned bitmapId);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    unsigned m_nBitmapId = 0;
    HBITMAP m_hBitmap = nullptr;
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
    enum Slider { kTemperature, kBrightness, kContrast, kGamma, kRed, kGreen, kBlue, kSliderCount };

    // Reads the monitor and sets every control up; the monitor is claimed.
    void Load(bool takeBackup);
    void SetUpSliders();
    void SetUpTemperature(std::int32_t upper);
    void SetUpLevel(Slider slider, std::int32_t value, std::int32_t maximum, bool valid);
    void EnableByCapability();
    void UpdateColorBar();
    void ReadGains();
    void EnableAll(bool enable);
    void MoveTemperature(int position);
    void MoveLevel(Slider slider, int position);
    void MoveGamma(int position);
    void PutBack(Slider slider);
    void Accept(Slider slider, int position) { m_nAccepted[slider] = position; }
    std::uint32_t ModeFlags() const;
    const CMonitorStatus* Record() const;

    CMonitorColor* m_pColor = nullptr;
    CMonitorColor m_ownColor;
    CMonitorColor m_backup;
    bool m_bBackupTaken = false;
    bool m_bLoaded = false;
    // The gains moved the monitor to its user preset; its indicator is not asked again.
    bool m_bUserPresetSeen = false;
    std::vector<std::int32_t> m_presets;
    std::int32_t m_nTemperatureUpper = 0;
    std::array<ui::Slider, kSliderCount> m_sliders;
    std::array<int, kSliderCount> m_nAccepted{};
    CColorBar m_colorBar;
    HBRUSH m_brValueField = nullptr;
    HBRUSH m_brBackground = nullptr;
    SIZE m_szPattern{0, 0};
    std::vector<HBITMAP> m_iconBitmaps;
};
