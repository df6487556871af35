#pragma once
// The application dialog: an Application item's sub-items as up to five buttons.
#include <memory>

#include "launcher/launcher_info.h"
#include "launcher/win/action_host.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CDlgAppProcSelect : public ui::Dialog {
public:
    static constexpr int kButtons = 5;
    explicit CDlgAppProcSelect(const launcher::ButtonInfo& item);
    ~CDlgAppProcSelect() override;

    // The dialog for the item over `owner`; once it is gone, what its installers
    // registered starts through `actions`, owned by the window that opened it.
    static void Run(HWND owner, const launcher::ButtonInfo& item, launcher::ItemActions& actions);

    // Output: set for a button whose installer was started. The caller starts
    // the registered programs once the dialog is gone.
    int m_flags[kButtons] = {};

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    void OnDestroy() override;

private:
    void FitToButtons(int count);

    const launcher::ButtonInfo& m_item;
    std::unique_ptr<CActionHost> m_host;
    ui::Brush m_brush;
};
