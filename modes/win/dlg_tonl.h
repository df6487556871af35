#pragma once
// The "Auto Tonalis" page: the editor of the application rules and the home of
// the foreground watch (timer 14) that puts each application's mode on the
// monitors. The page moves values between its controls and the switching core;
// every decision is made there.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "modes/application_list.h"
#include "modes/foreground_watch.h"
#include "modes/mode_switcher.h"
#include "modes/target_lists.h"
#include "platform/win32/foreground_win32.h"
#include "resources/controller/resource.h"
#include "shell/registry.h"
#include "shell/win/dlg_page.h"
#include "ui/controls/button.h"
#include "ui/controls/combo_box.h"

class CDlgTonl : public CDlgPage, public CRegistry {
public:
    static constexpr UINT kTemplateId = IDD_TONL;
    // Posted to itself after the watch evaluated an application: the application
    // list follows the application in front.
    static constexpr UINT kMsgSelectApplication = WM_USER + 105;  // 1129
    static constexpr UINT_PTR kTimerForeground = 14;

    // The page's background bitmaps (below and from 120 dpi) and the control its
    // keyboard order starts at.
    CDlgTonl(UINT lowResBitmap, UINT highResBitmap, int firstControl);
    ~CDlgTonl() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void LoadRules();
    void AddRunningApplications();
    int AddApplicationEntry(const std::string& application);
    void RefreshLists();
    void FillTargetList(const ui::ComboBox& combo, const TargetList& items);
    void ShowTarget(const ApplicationEntry* entry);
    void UpdateEnabling();
    ApplicationEntry* SelectedApplication();
    const TargetItem* SelectedTarget() const;
    const TargetItem* SelectedDefault() const;

    void SelectApplication(int index, bool preview);
    void CheckUnsavedChange();
    bool StoreRule(int index);
    bool Ask(UINT stringId, const std::string& application, UINT icon);
    // A message box of the page; returns the button the user chose.
    int ShowMessage(const std::string& text, UINT type);
    void ShowAppliedOnlyTo(const std::string& model);

    void OnRefresh();
    void OnMonitorSetChanged();
    void OnForegroundApplication();
    void OnAutoSwitchClicked();
    void OnTargetSelected();
    void OnDefaultSelected();
    void OnRegister();
    void OnDelete();
    void OnSwitchingTimer();

    bool SwitchingOn() const { return m_chkAuto.IsChecked(); }
    bool PerScreen() const { return m_chkIndependent.IsChecked(); }
    std::string PageDisplay() const;

    ui::Button m_chkAuto;
    ui::Button m_chkIndependent;
    ui::Button m_btnRegister;
    ui::Button m_btnDelete;
    ui::ComboBox m_cboApplication;
    ui::ComboBox m_cboTarget;
    ui::ComboBox m_cboDefault;

    CApplicationList m_apps;
    std::vector<AppModeRule> m_rules;
    TargetList m_targets;
    TargetList m_defaults;
    // The application whose target list 1010 shows.
    std::string m_strShownApp;

    platform::Win32Foreground m_foreground;
    CForegroundWatch m_watch;
    std::unique_ptr<CSavedAdjustments> m_sets;
    std::unique_ptr<CModeSwitcher> m_switcher;
    // A question is on screen: the timer keeps switching, but the application
    // list waits until the user has answered.
    bool m_bAsking = false;
    bool m_bSelectPending = false;
};
