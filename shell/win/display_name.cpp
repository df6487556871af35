#include "shell/win/display_name.h"

#include "monitor/monitor_status.h"

namespace {

bool DeviceNameOf(HMONITOR monitor, std::string* name) {
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;  // 72
    if (!::GetMonitorInfoA(monitor, &info)) return false;
    *name = info.szDevice;
    return true;
}

}  // namespace

void DisplayNameOfWindow(HWND window, bool byCursor, std::string* name) {
    if (name == nullptr) return;
    if (byCursor) {
        POINT cursor{};
        if (!::GetCursorPos(&cursor)) return;
        HMONITOR monitor = ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL);
        if (monitor != nullptr) DeviceNameOf(monitor, name);
        return;
    }
    if (window != nullptr) {
        HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
        if (monitor == nullptr) {
            name->clear();
            return;
        }
        DeviceNameOf(monitor, name);
        return;
    }
    // The main window may not exist yet while the program starts.
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND mainWindow = ::FindWindowA("VISTREL", nullptr);
        if (mainWindow != nullptr) {
            HMONITOR monitor = ::MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONULL);
            if (monitor != nullptr && DeviceNameOf(monitor, name)) return;
        }
        if (::GetTickCount() - start >= 5000) return;
        ::Sleep(100);
    }
}

bool IsDisplayOfRecord(const std::string& name, const CMonitorStatus* record) {
    return record != nullptr && record->m_strDeviceName == name;
}
