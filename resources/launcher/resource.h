// Resource ids of the launcher (both languages use the same ids).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX 100
#define IDD_LAUNCHER 102
#define IDR_MAINFRAME 128
#define IDC_LINK_HAND 130
#define IDD_SELECT_MODEL 132
#define IDD_SELECT_MODEL_LANGUAGE 133
#define IDD_SELECT_LANGUAGE 135
#define IDD_APP_PROC_SELECT 137
#define IDD_PAGE_COMMON 138
#define IDD_PAGE_INFORMATION 139
#define IDB_MAIN_BACK 141
#define IDB_MAIN_BACK_HI 151
#define IDB_PAGE_BACK 163
#define IDB_PAGE_BACK_HI 164
#define IDB_INFO_BACK 167
#define IDB_INFO_BACK_HI 169
#define IDD_PROGRESS 171

#define IDS_VERSION 102       // "Orvex Start Menu Ver2.4.1"
#define IDS_ABOUT_NOTICE 103  // second line of the About box
// The information file, relative to the launcher's folder. The folder already
// ends with a backslash; the path keeps the doubled one.
#define IDS_LAUNCHER_INFO_FILE 104
#define IDS_READER_QUESTION 105
#define IDS_READER_DOWNLOAD 106
#define IDS_NO_FILE 107
#define IDS_NO_ASSOCIATION 108
#define IDS_LACK_OF_MEMORY 109
#define IDS_PERMISSION_DENIED 110
#define IDS_SHARING_VIOLATION 111
#define IDS_UNKNOWN_ERROR 112
#define IDS_NEED_INSTALLER 113  // "%s": the item's title
#define IDS_INSTALLER_SETUP 114
#define IDS_UNINSTALL_OTHER 115
#define IDS_ABOUT_CAPTION 116
#define IDS_SETUP_FAILED 117  // "%s": the item's title, "%u": exit code

#define IDC_ABOUT_CLOSE 1000
#define IDC_ABOUT_NOTICE 1001
#define IDC_ABOUT_VERSION 1002
#define IDC_EXIT 1003
#define IDC_TAB 1004
#define IDC_SELECT_OK 1005
#define IDC_MODEL_LIST 1006
#define IDC_LANG_JAPANESE 1008
#define IDC_LANG_ENGLISH 1009
#define IDC_LANG_DEUTSCH 1010
#define IDC_LANG_FRANCAIS 1011
#define IDC_LANG_CHINESE 1012
#define IDC_DESCRIPTION 1011
#define IDC_LINK_FIRST 1012
#define IDC_INFO_LINK 1019
#define IDC_APP_BUTTON_FIRST 1014
#define IDC_PROGRESS_BAR 1021
