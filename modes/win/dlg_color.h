#pragma once
// The "Color Adjustment" page: the current monitor's picture mode, the colour
// detail dialog, and the named adjustment data sets (register, restore, delete).
#include <windows.h>

#include <memory>
#include <string>

#include "monitor/monitor_color.h"
#include "shell/win/dlg_page.h"
#include "ui/controls/combo_box.h"

class CDlgColor : public CDlgPage {
public:
    CDlgColor();
    ~CDlgColor() override;

    void OnCurrentMonitorChanged() override { Refresh(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void Refresh();
    void FillModeList();
    void FillDataList();
    // Reads the monitor's mode into the shared colour state and selects it (no
    // selection when it cannot be read or is not listed). The monitor is claimed.
    void SelectCurrentMode(bool pageSelected);
    void UpdateEnabling();
    void OnModeSelected();
    void OnMonitorSelected();
    void OnNameEdited();
    void OnNameSelected();
    void OnRegister();
    void OnRestore();
    void OnDelete();
    void OnColorDetail();
    // Takes the name from the box into the name member.
    const std::string& PullName();
    void ShowMessage(unsigned stringId, unsigned icon) const;

    ui::ComboBox m_cbMonitor;
    ui::ComboBox m_cbMode;
    ui::ComboBox m_cbName;
    // The name last taken from the box: the selected entry, or the text at the
    // last button press.
    std::string m_strName;
    // The mode list entry last selected from what the monitor holds.
    int m_nModeIndex = -1;
    // The monitor allowed adjustment when it was last asked.
    bool m_bAdjustable = false;
    // The colour detail dialog runs; this page takes no command meanwhile.
    bool m_bDetailOpen = false;
    std::unique_ptr<CMonitorColor> m_pColor;
};
