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
    record->hIcon = static_cast<HICON>(::LoadImageA(
        ui::ResourceInstance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
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
