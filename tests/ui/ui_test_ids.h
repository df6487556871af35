#pragma once
// Ids of the framework tests' own templates, clear of the programs' ids.
#define IDD_TEST_FORM 9001
#define IDD_TEST_PAGE 9002
#define IDD_TEST_MISSING 9099
#define IDC_TEST_EDIT 9101
#define IDC_TEST_CHECK 9102
#define IDC_TEST_COMBO 9103
#define IDC_TEST_LIST 9104
#define IDC_TEST_SLIDER 9105
#define IDC_TEST_TAB 9106
#define IDC_TEST_BUDDY 9107
#define IDC_TEST_UPDOWN 9108
#define IDC_TEST_PROGRESS 9109
#define IDC_TEST_LABEL 9110
#define IDC_TEST_PAGE_EDIT 9201
#define IDS_TEST_LONG 9500
