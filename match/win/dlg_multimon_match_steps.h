#pragma once
// The wizard's three steps: master and mode, colour temperature and gamma,
// brightness. Each prepares itself after it is shown (messages 1142 and 1143),
// so it is painted before the monitors are asked anything.
#include <windows.h>

#include <cstdint>

#include "match/win/match_step.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/slider.h"

class CDlgMultiMonMatchStep1 : public CMatchStep {
public:
    explicit CDlgMultiMonMatchStep1(match::StepFrame& frame);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnForward() override;
    void OnLoad() override;

private:
    void FillModes();
    // Reads the master's mode and selects it; false after a failure was reported.
    bool ShowMasterMode();
    void OnMasterChanged();
    void OnModeChanged();
    void UpdateNext();

    ui::ComboBox m_cbMaster;
    ui::ComboBox m_cbMode;
    bool m_bLoaded = false;
};

class CDlgMultiMonMatchStep2 : public CMatchStep {
public:
    explicit CDlgMultiMonMatchStep2(match::StepFrame& frame);

protected:
    bool OnInitDialog() override;
    bool OnHScroll(int code, int position, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    COLORREF TextColor(int id) const override;
    void OnForward() override;
    void OnLoad() override;

private:
    void ShowTemperature();
    void ShowGamma();
    void OnTemperatureMoved();
    void OnGammaMoved();
    void Paint();
    // Slider place of a preset among the master's presets, and back.
    int PlaceOfPreset(std::int32_t preset) const;
    std::int32_t PresetAtPlace(int place) const;

    ui::Slider m_slTemperature;
    ui::Slider m_slGamma;
};

class CDlgMultiMonMatchStep3 : public CMatchStep {
public:
    explicit CDlgMultiMonMatchStep3(match::StepFrame& frame);

protected:
    bool OnInitDialog() override;
    bool OnHScroll(int code, int position, HWND control) override;
    COLORREF TextColor(int id) const override;
    // "&Finish".
    void OnForward() override;
    void OnPrepare() override;
    void OnLoad() override;

private:
    void SetUpSlider();
    void ShowPosition();
    void OnSliderMoved();

    ui::Slider m_slBrightness;
    std::uint32_t m_nMaximum = 0;
};
