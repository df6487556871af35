#pragma once
// The "Sound" page: the speaker volume of the current monitor and the reset of its
// sound settings.
#include <windows.h>

#include <cstdint>
#include <string>

#include "shell/win/dlg_page.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/slider.h"

class CDlgSound : public CDlgPage {
public:
    CDlgSound();

    void OnCurrentMonitorChanged() override { Refresh(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnHScroll(int code, int position, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Refresh();
    // Reads the volume and applies the readiness rule; the monitor is claimed.
    void ReadAndEnable();
    void OnHide();
    void OnMonitorSelected();
    void OnReset();
    void ShowVolume(std::uint32_t volume);

    ui::ComboBox m_cbMonitor;
    ui::Slider m_volume;
    // The volume last written or read: a failed write goes back to it.
    int m_nLastVolume = 0;
    std::uint8_t m_bControlsEnabled = 0;
};
