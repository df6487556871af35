#include "shell/win/tray_shell_win32.h"

#include <shellapi.h>

#include <cstring>

#include "shell/win/shell_ids.h"
#include "ui/resource_string.h"

void FillTrayRecord(NOTIFYICONDATAA* record, HWND owner, int iconId, const std::string& tip) {
    std::memset(record, 0, sizeof *record);
    // The full record of this platform (508 bytes in 32-bit builds): the shell
    // reads the balloon fields only from a record of that size.
    record->cbSize = sizeof *record;
    record->hWnd = owner;
    record->uID = 0;
    record->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record->uCallbackMessage = shell_ids::kMsgTrayCallback;
    record->hIcon = static_cast<HICON>(
        ::LoadImageA(ui::ResourceInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    const std::size_t length =
        tip.size() < sizeof record->szTip - 1 ? tip.size() : sizeof record->szTip - 1;
    std::memcpy(record->szTip, tip.data(), length);
    record->szTip[length] = '\0';
}

bool CWin32TrayShell::Notify(shell::TrayMessage message, int iconId, const std::string& tip,
                             std::uint32_t* lastError) {
    NOTIFYICONDATAA record;
    FillTrayRecord(&record, m_hOwner, iconId, tip);
    DWORD command = NIM_ADD;
    if (message == shell::TrayMessage::Modify) command = NIM_MODIFY;
    if (message == shell::TrayMessage::Delete) command = NIM_DELETE;
    ::SetLastError(0);
    const BOOL result = ::Shell_NotifyIconA(command, &record);
    if (lastError != nullptr) *lastError = result ? 0 : ::GetLastError();
    return result != FALSE;
}

namespace {
template <std::size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    const std::size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}
}  // namespace

bool CWin32TrayShell::Balloon(int iconId, const std::string& tip, const std::string& title,
                              const std::string& text, std::uint32_t timeoutMs) {
    NOTIFYICONDATAA record;
    FillTrayRecord(&record, m_hOwner, iconId, tip);
    record.uFlags |= NIF_INFO;
    record.dwInfoFlags = NIIF_INFO;
    record.uTimeout = timeoutMs;
    CopyText(record.szInfoTitle, title);
    CopyText(record.szInfo, text);
    return ::Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}
