#pragma once
// The "Calmira" dialog: target monitor, reminder on or off, interval, message.
#include <windows.h>

#include <string>
#include <vector>

#include "calmira/reminder_settings.h"
#include "shell/registry.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/up_down.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgCalmira : public ui::Dialog, public CRegistry {
public:
    CDlgCalmira();
    ~CDlgCalmira() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;

private:
    void UpdateEnabling();
    void SelectTarget(int index);

    ui::ComboBox m_target;
    ui::Button m_reminderOn;
    ui::Edit m_interval;
    ui::UpDown m_spin;
    std::vector<calmira::ReminderMonitor> m_monitors;
    calmira::ReminderDialogStart m_start;
    calmira::ReminderTarget m_current;
    std::string m_message;
    ui::Brush m_brBackground;
    SIZE m_szPattern{0, 0};
};
