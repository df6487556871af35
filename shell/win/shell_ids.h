#pragma once
// Private messages and timers of the controller's shell: the messages other
// windows of the program send. Resource ids are in resources/controller/resource.h.
#include <windows.h>

namespace shell_ids {

// Private messages.
inline constexpr UINT kMsgTrayCallback = WM_USER + 100;       // 0x464
inline constexpr UINT kMsgRefreshModePage = WM_USER + 101;    // 0x465
inline constexpr UINT kMsgSelectMonitor = WM_USER + 102;      // 0x466
inline constexpr UINT kMsgMonitorSetChanged = WM_USER + 107;  // 0x46B
inline constexpr UINT kMsgRedrawTab = WM_USER + 110;          // 0x46E
inline constexpr UINT kMsgCloseNow = WM_USER + 115;           // 0x473
inline constexpr UINT kMsgReapplyFilter = WM_USER + 117;      // 0x475

// Timers of the main window.
inline constexpr UINT_PTR kTimerCloseAll = 10;
inline constexpr UINT_PTR kTimerSettle = 33;

}  // namespace shell_ids
