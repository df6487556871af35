#pragma once
// Runs item actions for one window (a tab page or the application dialog): the
// window owns every message and shell call, and its dialogs open over it.
#include <windows.h>

#include "launcher/action_ui.h"
#include "launcher/item_actions.h"

class CActionHost : public launcher::ActionUi {
public:
    // Runs an Application item's dialog over `owner` and, once it is gone, starts
    // through `actions` what its installers registered. Handed in by the window
    // that makes the host: that dialog runs its own buttons through a host too.
    using ApplicationDialog = void (*)(HWND owner, const launcher::ButtonInfo& item,
                                       launcher::ItemActions& actions);

    CActionHost(HWND owner, ApplicationDialog applicationDialog);
    launcher::ItemActions& Actions() { return m_actions; }

    launcher::WindowRef Owner() override { return reinterpret_cast<launcher::WindowRef>(m_owner); }
    std::u16string String(unsigned id) override;
    int Ask(const std::u16string& text, unsigned style) override;
    bool SelectFile(const launcher::ButtonInfo& item, int templateId,
                    std::u16string* path) override;
    void RunApplicationDialog(const launcher::ButtonInfo& item) override;
    launcher::SetupState RunProgress(const launcher::ButtonInfo& item, const std::u16string& title,
                                     launcher::StartedProcess& process) override;
    void BeforeBrowsing() override;

private:
    HWND m_owner;
    ApplicationDialog m_applicationDialog;
    launcher::ItemActions m_actions;
};
