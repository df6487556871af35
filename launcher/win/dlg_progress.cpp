#include "launcher/win/dlg_progress.h"

#include <commctrl.h>

#include <string>

#include "launcher/setup_watch.h"
#include "launcher/win/wide_text.h"
#include "resources/launcher/resource.h"
#include "ui/resource_string.h"

CDlgProgress::CDlgProgress(const launcher::ButtonInfo& item, std::u16string title,
                           launcher::StartedProcess& process)
    : ui::Dialog(IDD_PROGRESS), m_item(item), m_strTitle(std::move(title)), m_process(process) {}

CDlgProgress::~CDlgProgress() = default;

HWND CDlgProgress::MessageStatic() const {
    // The message static has no id of its own (-1).
    HWND control = ::GetDlgItem(Handle(), -1);
    return control != nullptr ? control : ::GetDlgItem(Handle(), 0xFFFF);
}

bool CDlgProgress::OnInitDialog() {
    m_brush.Reset(::CreateSolidBrush(RGB(239, 239, 233)));
    SetText(Wide(m_strTitle + u" "));
    m_bar.AttachItem(Handle(), IDC_PROGRESS_BAR);
    m_bar.ModifyStyle(0, PBS_MARQUEE);
    m_bar.SetMarquee(true, 20);
    ::SetWindowTextW(MessageStatic(), Wide(m_item.m_strMessageBusy).c_str());
    EnableItem(IDOK, false);
    m_timer = SetTimer(kTimerId, kPeriod);
    return true;
}

bool CDlgProgress::OnTimer(UINT_PTR id) {
    if (id != kTimerId) return false;
    std::uint32_t exitCode = 0;
    const launcher::SetupState state = launcher::PollSetup(m_process, &exitCode);
    m_state = state;
    if (state == launcher::SetupState::Running) return true;
    KillTimer(kTimerId);
    m_timer = 0;
    m_bar.SetMarquee(false, 20);
    m_bar.ModifyStyle(PBS_MARQUEE, 0);
    m_bar.SetRange(0, 100);
    m_bar.SetPosition(100);
    std::wstring message = Wide(m_item.m_strMessageComplete);
    if (state == launcher::SetupState::Failed) {
        message = ui::ResourceString(IDS_SETUP_FAILED);
        message = ui::ReplaceFirst(message, L"%s", Wide(m_strTitle));
        message = ui::ReplaceFirst(message, L"%u", std::to_wstring(exitCode));
    }
    ::SetWindowTextW(MessageStatic(), message.c_str());
    EnableItem(IDOK, true);
    ::SetFocus(Item(IDOK));
    return true;
}

HBRUSH CDlgProgress::OnCtlColor(HDC dc, HWND, UINT) {
    ::SetBkMode(dc, TRANSPARENT);
    return m_brush.Get();
}

void CDlgProgress::OnDestroy() {
    if (m_timer != 0) KillTimer(kTimerId);
    m_timer = 0;
}
