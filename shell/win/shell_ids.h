#pragma once
// Resource ids and private messages of the controller's shell. The numbers are
// fixed: they are the resources' ids in both languages and the messages other
// windows of the program send.
#include <windows.h>

namespace shell_ids {

// Dialog templates.
inline constexpr UINT kDlgAbout = 100;
inline constexpr UINT kDlgMain = 291;
inline constexpr UINT kDlgMonitorList = 287;
inline constexpr UINT kDlgPageMode = 129;
inline constexpr UINT kDlgPageColor = 283;
inline constexpr UINT kDlgPageMatch = 310;
inline constexpr UINT kDlgPageSound = 290;

// Menus, icons, cursors.
inline constexpr UINT kMenuTray = 155;
inline constexpr UINT kIconProgram = 128;
inline constexpr UINT kIconNoMonitor = 152;
inline constexpr UINT kCursorHand = 294;

// Strings.
inline constexpr UINT kStrAbout = 101;
inline constexpr UINT kStrTabMode = 102;
inline constexpr UINT kStrTabColor = 103;
inline constexpr UINT kStrMonitorWord = 116;
inline constexpr UINT kStrTrayFailed = 122;
inline constexpr UINT kStrMutexName = 133;
inline constexpr UINT kStrTabSound = 149;
inline constexpr UINT kStrVersion = 152;
inline constexpr UINT kStrMonitorListNote = 180;
inline constexpr UINT kStrKeepOnTop = 182;
inline constexpr UINT kStrLegalNotice = 201;
inline constexpr UINT kStrWebAddress = 245;
inline constexpr UINT kStrTabMatch = 247;

// Controls.
inline constexpr int kIdTab = 1000;
inline constexpr int kIdCloseButton = 1046;
inline constexpr int kIdAboutVersion = 1159;
inline constexpr int kIdAboutNotice = 1160;
inline constexpr int kIdListNote = 1130;
inline constexpr int kIdListHeader = 1156;
inline constexpr int kIdListBox = 1153;
inline constexpr int kIdPageLink = 1203;

// System menu commands of the main window.
inline constexpr UINT kSysAbout = 0x10;
inline constexpr UINT kSysKeepOnTop = 0x20;

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
