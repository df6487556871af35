#pragma once
// Waits for a started setup: a moving bar and the busy message until the setup
// process has ended, then the completion (or failure) message and "OK".
#include <windows.h>

#include <string>

#include "launcher/launcher_info.h"
#include "launcher/setup_watch.h"
#include "launcher/launcher_shell.h"
#include "ui/controls/progress.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgProgress : public ui::Dialog {
public:
    static constexpr UINT_PTR kTimerId = 10;
    static constexpr UINT kPeriod = 5000;

    CDlgProgress(const launcher::ButtonInfo& item, std::u16string title,
                 launcher::StartedProcess& process);
    ~CDlgProgress() override;

    // What the last tick saw of the setup.
    launcher::SetupState m_state = launcher::SetupState::Running;

protected:
    bool OnInitDialog() override;
    bool OnTimer(UINT_PTR id) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;

private:
    HWND MessageStatic() const;

    const launcher::ButtonInfo& m_item;
    std::u16string m_strTitle;
    launcher::StartedProcess& m_process;
    ui::Progress m_bar;
    ui::Brush m_brush;
    UINT_PTR m_timer = 0;
};
