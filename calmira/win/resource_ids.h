#pragma once
// Resource ids of the reminder's and the filter's windows; the same in both languages.
// Ids the whole shell uses (messages, the version string) are in shell_ids.
#include <windows.h>

namespace calmira_ids {

inline constexpr UINT kDlgCalmira = 292;
inline constexpr UINT kDlgEditMessage = 293;
inline constexpr UINT kDlgFilter = 308;

// Background pictures of the two dialogs, below and from 120 dots per inch.
inline constexpr UINT kBmpCalmiraBack = 295;
inline constexpr UINT kBmpCalmiraBackHigh = 302;
inline constexpr UINT kBmpFilterBack = 310;
inline constexpr UINT kBmpFilterBackHigh = 311;

inline constexpr UINT kStrFilterNone = 210;
inline constexpr UINT kStrFilterImage = 211;
inline constexpr UINT kStrFilterSelectFile = 212;
inline constexpr UINT kStrPictureFilter = 213;
inline constexpr UINT kStrPictureExtension = 214;
inline constexpr UINT kStrImportFailed = 215;
inline constexpr UINT kStrImportFileFailed = 216;
inline constexpr UINT kStrProductName = 231;
inline constexpr UINT kStrReminderMessage = 232;

// Calmira dialog (292) and message editor (293).
inline constexpr int kIdTargetMonitor = 1208;
inline constexpr int kIdReminderOn = 1211;
inline constexpr int kIdIntervalLabel = 1215;
inline constexpr int kIdInterval = 1202;
inline constexpr int kIdIntervalSpin = 1019;
inline constexpr int kIdIntervalUnit = 1213;
inline constexpr int kIdEditMessage = 1214;
inline constexpr int kIdMessage = 1202;

// Filter dialog (308).
inline constexpr int kIdFilterImage = 1219;
inline constexpr int kIdFilterPath = 1220;
inline constexpr int kIdFilterBrowse = 1221;
inline constexpr int kIdTransmittance = 1224;
inline constexpr int kIdTransmittanceValue = 1226;
inline constexpr int kIdLuminance = 1225;
inline constexpr int kIdLuminanceValue = 1228;
inline constexpr int kIdRestoreDefault = 1229;

inline constexpr UINT_PTR kTimerFilterReapply = 20;
inline constexpr UINT kFilterReapplyMs = 7000;

}  // namespace calmira_ids
