#include "modes/win/dlg_tonl.h"

#include "modes/app_rules.h"
#include "modes/application_name.h"
#include "modes/auto_switch_settings.h"
#include "modes/switching_step.h"
#include "modes/stored_adjustments.h"
#include "resources/controller/resource.h"
#include "shell/win/display_name.h"
#include "shell/win/shell_ids.h"
#include "shell/win/vistrel_app.h"
#include "ui/resource_string.h"
#include "ui/wait_cursor.h"

namespace {

// Screens a window can be dragged to: display devices on the desktop that are
// not a mirroring driver's copy of another.
int DisplayDeviceCount() {
    int count = 0;
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    for (DWORD index = 0; ::EnumDisplayDevicesA(nullptr, index, &device, 0); ++index) {
        if ((device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) == 0) ++count;
        device.cb = sizeof device;
    }
    return count;
}

std::string Caption() {
    return ui::ResourceString(IDS_VERSION);
}

}  // namespace

CDlgTonl::CDlgTonl(UINT lowResBitmap, UINT highResBitmap, int firstControl)
    : CDlgPage(kTemplateId, lowResBitmap, highResBitmap, firstControl),
      m_watch(m_foreground, VistrelApp().m_processes) {}

CDlgTonl::~CDlgTonl() = default;

// ---- Initialisation and lists ---------------------------------------------------

bool CDlgTonl::OnInitDialog() {
    CDlgPage::OnInitDialog();
    CVistrelApp& app = VistrelApp();
    m_chkAuto.AttachItem(Handle(), IDC_AUTO_TONALIS);
    m_chkIndependent.AttachItem(Handle(), IDC_INDEPENDENT);
    m_btnRegister.AttachItem(Handle(), IDC_REGISTER_RULE);
    m_btnDelete.AttachItem(Handle(), IDC_DELETE_RULE);
    m_cboApplication.AttachItem(Handle(), IDC_APPLICATION);
    m_cboTarget.AttachItem(Handle(), IDC_MODE);
    m_cboDefault.AttachItem(Handle(), IDC_DEFAULT_MODE);

    m_sets = std::make_unique<CStoredAdjustments>(app.m_registry);
    m_switcher = std::make_unique<CModeSwitcher>(app.m_monitors, app.m_statusAll, *m_sets);
    m_switcher->m_onLongWork = [](bool busy) {
        busy ? ui::BeginWaitCursor() : ui::EndWaitCursor();
    };

    const bool on = ReadAutoSwitchOn(*this);
    m_chkAuto.SetChecked(on);
    app.m_bAutoSwitchOn = on ? 1 : 0;
    m_chkIndependent.SetChecked(ReadPerScreenSwitching(*this));

    m_watch.Forget();
    m_watch.SetRecordNames([] {
        std::vector<std::string> names;
        const CMonitorStatusAll& all = VistrelApp().m_statusAll;
        for (int i = 0; i < all.Count(); ++i) {
            if (const CMonitorStatus* record = all.At(i)) names.push_back(record->m_strDeviceName);
        }
        return names;
    });
    LoadRules();
    m_apps.Clear();
    m_cboApplication.Clear();
    m_apps.AddRules(m_rules);
    for (const ApplicationEntry& entry : m_apps.Entries())
        m_cboApplication.Add(entry.rule.application);
    AddRunningApplications();
    RefreshLists();
    SetTimer(kTimerForeground, 100);
    UpdateEnabling();
    return false;
}

void CDlgTonl::LoadRules() {
    m_rules = LoadAppModeRules(*this);
}

int CDlgTonl::AddApplicationEntry(const std::string& application) {
    const int before = m_apps.Count();
    const int index = m_apps.AddRunning(application);
    if (m_apps.Count() > before) m_cboApplication.Add(application);
    return index;
}

void CDlgTonl::AddRunningApplications() {
    for (const std::string& application :
         RunningApplications(m_foreground, VistrelApp().m_processes)) {
        AddApplicationEntry(application);
    }
}

void CDlgTonl::FillTargetList(const ui::ComboBox& combo, const TargetList& items) {
    combo.Clear();
    for (const TargetItem& item : items) {
        const int index =
            combo.Add(item.IsSet() ? item.setName : ui::ResourceString(item.stringId));
        combo.SetItemData(index, item.data);
    }
}

void CDlgTonl::RefreshLists() {
    const std::uint64_t modes = VistrelApp().m_statusAll.CombinedModeMask();
    const std::vector<std::string> sets = m_sets->Names();
    m_targets = RuleTargetList(modes, sets);
    FillTargetList(m_cboTarget, m_targets);

    const std::vector<std::string> orphaned = RemoveOrphanedRules(*this);
    for (const std::string& application : orphaned) m_apps.Reset(m_apps.Find(application));
    if (!orphaned.empty()) LoadRules();

    m_defaults = DefaultTargetList(modes, sets);
    FillTargetList(m_cboDefault, m_defaults);
    const DefaultTargetChoice choice = ChooseDefaultTarget(m_defaults, ReadDefaultTarget(*this));
    m_cboDefault.Select(choice.index);
    if (choice.resetStored) StoreDefaultTarget(*this, kModeNotChange, std::string());
}

void CDlgTonl::ShowTarget(const ApplicationEntry* entry) {
    m_cboTarget.Select(entry != nullptr ? RuleTargetIndex(m_targets, entry->rule) : -1);
}

void CDlgTonl::UpdateEnabling() {
    const bool on = SwitchingOn();
    m_chkIndependent.Enable(on && DisplayDeviceCount() > 1);
    m_cboApplication.Enable(on);
    m_cboTarget.Enable(on);
    m_cboDefault.Enable(on);
    const bool chosen = m_cboApplication.Selection() >= 0 && m_cboTarget.Selection() >= 0;
    m_btnRegister.Enable(on && chosen);
    m_btnDelete.Enable(on && chosen);
}

ApplicationEntry* CDlgTonl::SelectedApplication() {
    return m_apps.At(m_cboApplication.Selection());
}

const TargetItem* CDlgTonl::SelectedTarget() const {
    const int index = m_cboTarget.Selection();
    return index >= 0 && index < static_cast<int>(m_targets.size())
               ? &m_targets[static_cast<std::size_t>(index)]
               : nullptr;
}

const TargetItem* CDlgTonl::SelectedDefault() const {
    const int index = m_cboDefault.Selection();
    return index >= 0 && index < static_cast<int>(m_defaults.size())
               ? &m_defaults[static_cast<std::size_t>(index)]
               : nullptr;
}

std::string CDlgTonl::PageDisplay() const {
    std::string display;
    DisplayNameOfWindow(Handle(), false, &display);
    return display;
}

// ---- Rules ----------------------------------------------------------------------

bool CDlgTonl::Ask(UINT stringId, const std::string& application, UINT icon) {
    // The application name is only ever inserted as text, never used as a format.
    const std::string text = ui::ReplaceFirst(ui::ResourceString(stringId), "%s", application);
    return ShowMessage(text, MB_YESNO | icon) == IDYES;
}

int CDlgTonl::ShowMessage(const std::string& text, UINT type) {
    m_bAsking = true;
    const int answer = ::MessageBoxA(Handle(), text.c_str(), Caption().c_str(), type);
    m_bAsking = false;
    // An application that came to the front meanwhile is selected now.
    if (m_bSelectPending) {
        m_bSelectPending = false;
        Post(kMsgSelectApplication);
    }
    return answer;
}

void CDlgTonl::ShowAppliedOnlyTo(const std::string& model) {
    ShowMessage(ui::ReplaceFirst(ui::ResourceString(IDS_MODE_APPLIED_ONLY_TO), "0", model),
                MB_OK | MB_ICONINFORMATION);
}

bool CDlgTonl::StoreRule(int index) {
    ApplicationEntry* entry = m_apps.At(index);
    const TargetItem* target = SelectedTarget();
    if (entry == nullptr || target == nullptr) return false;
    AppModeRule rule = entry->rule;
    rule.mode = target->data;
    rule.modeName = target->IsSet() ? target->setName : std::string();
    // Only a rule that reached the registry counts as registered.
    if (!StoreAppModeRule(*this, rule)) return false;
    m_apps.MarkStored(index, rule);
    m_btnDelete.Enable(true);
    return true;
}

void CDlgTonl::CheckUnsavedChange() {
    if (m_strShownApp.empty()) return;
    const int index = m_apps.Find(m_strShownApp);
    ApplicationEntry* entry = m_apps.At(index);
    if (entry == nullptr || !HasUnsavedChange(entry->rule, SelectedTarget())) return;
    const std::string application = entry->rule.application;
    if (Ask(IDS_SAVE_MODE_SETTING, application, MB_ICONEXCLAMATION)) {
        StoreRule(m_apps.Find(application));
        LoadRules();
    } else {
        m_cboTarget.Select(-1);
    }
}

void CDlgTonl::SelectApplication(int index, bool preview) {
    ApplicationEntry* entry = m_apps.At(index);
    if (entry == nullptr) return;
    const std::string application = entry->rule.application;
    if (application == m_strShownApp && m_cboApplication.Selection() == index) return;
    CheckUnsavedChange();
    m_cboApplication.Select(index);
    RefreshLists();
    ShowTarget(m_apps.At(index));
    m_strShownApp = application;
    UpdateEnabling();
    if (preview) OnTargetSelected();
}

// ---- Messages ---------------------------------------------------------------------

void CDlgTonl::OnRefresh() {
    RefreshLists();
    ShowTarget(SelectedApplication());
    UpdateEnabling();
}

void CDlgTonl::OnMonitorSetChanged() {
    LoadRules();
    OnRefresh();
}

void CDlgTonl::OnForegroundApplication() {
    // The name is the page's own copy of the last evaluation; whatever came with
    // the message is not trusted, and the next timer period may replace the
    // evaluation while a question is on screen.
    const std::string application = m_watch.LastApplication();
    if (application.empty()) return;
    if (m_bAsking) {
        m_bSelectPending = true;
        return;
    }
    int index = m_apps.Find(application);
    if (index < 0) {
        const std::vector<std::string> running =
            RunningApplications(m_foreground, VistrelApp().m_processes, application);
        if (running.empty()) return;
        index = AddApplicationEntry(running.front());
    }
    SelectApplication(index, false);
}

void CDlgTonl::OnAutoSwitchClicked() {
    const bool on = SwitchingOn();
    StoreAutoSwitchOn(*this, on);
    VistrelApp().m_bAutoSwitchOn = on ? 1 : 0;
    UpdateEnabling();
}

void CDlgTonl::OnTargetSelected() {
    UpdateEnabling();
    const TargetItem* target = SelectedTarget();
    if (!SwitchingOn() || target == nullptr) return;
    const std::string display = PageDisplay();
    const std::string* only = PerScreen() ? &display : nullptr;
    if (!target->IsSet()) {
        if (target->data <= kLastDisplayMode) m_switcher->PutMode(target->data, only);
        return;
    }
    std::string model;
    if (!m_sets->ModelOf(target->setName, &model)) return;
    if (m_switcher->ApplySet(target->setName, only) > 0) ShowAppliedOnlyTo(model);
}

void CDlgTonl::OnDefaultSelected() {
    const TargetItem* target = SelectedDefault();
    if (target == nullptr) return;
    StoreDefaultTarget(*this, target->data, target->IsSet() ? target->setName : std::string());
    if (!target->IsSet()) return;
    std::string model;
    if (!m_sets->ModelOf(target->setName, &model)) return;
    const CMonitorStatusAll& all = VistrelApp().m_statusAll;
    for (int i = 0; i < all.Count(); ++i) {
        if (all.At(i)->m_strModelName == model) {
            ShowAppliedOnlyTo(model);
            return;
        }
    }
}

void CDlgTonl::OnRegister() {
    const int index = m_cboApplication.Selection();
    ApplicationEntry* entry = m_apps.At(index);
    if (entry == nullptr) return;
    if (Ask(IDS_SAVE_MODE_SETTING, entry->rule.application, MB_ICONEXCLAMATION)) {
        StoreRule(index);
        LoadRules();
    } else {
        m_cboTarget.Select(-1);
        UpdateEnabling();
    }
}

void CDlgTonl::OnDelete() {
    const int index = m_cboApplication.Selection();
    ApplicationEntry* entry = m_apps.At(index);
    if (entry == nullptr) return;
    const std::string application = entry->rule.application;
    if (!Ask(IDS_DELETE_MODE_SETTING, application, MB_ICONEXCLAMATION)) return;
    m_apps.Reset(index);
    m_cboTarget.Select(-1);
    UpdateEnabling();
    if (!DeleteAppModeRule(*this, application)) {
        ShowMessage(ui::ResourceString(IDS_DELETE_MODE_FAILED), MB_OK | MB_ICONEXCLAMATION);
    }
    LoadRules();
}

void CDlgTonl::OnSwitchingTimer() {
    const CVistrelApp& app = VistrelApp();
    // The page's own show state, whether or not the settings window around it
    // is on screen.
    const bool pageShown = (Style() & WS_VISIBLE) != 0;
    if (!ForegroundWatchActive(SwitchingOn(), app.m_bSettingsShown != 0, pageShown)) return;
    const SwitchingStepResult step =
        RunSwitchingStep(m_watch, *m_switcher, *this, m_rules, SelectedDefault(), PerScreen());
    if (step.evaluated) Post(kMsgSelectApplication);
}

bool CDlgTonl::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_AUTO_TONALIS:
            if (code == BN_CLICKED) OnAutoSwitchClicked();
            return true;
        case IDC_INDEPENDENT:
            if (code == BN_CLICKED) StorePerScreenSwitching(*this, PerScreen());
            return true;
        case IDC_APPLICATION:
            if (code == CBN_SELCHANGE) SelectApplication(m_cboApplication.Selection(), true);
            return true;
        case IDC_MODE:
            if (code == CBN_SELCHANGE) OnTargetSelected();
            return true;
        case IDC_DEFAULT_MODE:
            if (code == CBN_SELCHANGE) OnDefaultSelected();
            return true;
        case IDC_REGISTER_RULE:
            if (code == BN_CLICKED) OnRegister();
            return true;
        case IDC_DELETE_RULE:
            if (code == BN_CLICKED) OnDelete();
            return true;
        default:
            return false;
    }
}

bool CDlgTonl::OnTimer(UINT_PTR id) {
    if (id != kTimerForeground) return false;
    OnSwitchingTimer();
    return true;
}

void CDlgTonl::OnDestroy() {
    KillTimer(kTimerForeground);
}

bool CDlgTonl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case shell_ids::kMsgRefreshModePage:
            OnRefresh();
            result = 0;
            return true;
        case kMsgSelectApplication:
            OnForegroundApplication();
            result = 0;
            return true;
        case shell_ids::kMsgMonitorSetChanged:
            OnMonitorSetChanged();
            result = 0;
            return true;
        case WM_SHOWWINDOW:
            if (!wParam) CheckUnsavedChange();
            return false;
        default:
            return false;
    }
}
