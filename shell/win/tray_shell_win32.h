#pragma once
#include <windows.h>
#include <shellapi.h>

#include "shell/tray_icon.h"

// Shell_NotifyIconA with the main window's icon record.
class CWin32TrayShell : public shell::TrayShell {
public:
    explicit CWin32TrayShell(HWND owner) : m_hOwner(owner) {}
    bool Notify(shell::TrayMessage message, int iconId, const std::string& tip,
                std::uint32_t* lastError) override;
    bool Balloon(int iconId, const std::string& tip, const std::string& title,
                 const std::string& text, std::uint32_t timeoutMs) override;

private:
    HWND m_hOwner;
};

// The record every tray call of the main window fills.
void FillTrayRecord(NOTIFYICONDATAA* record, HWND owner, int iconId, const std::string& tip);
