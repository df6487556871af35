#pragma once
// Resource ids and private messages of the match page and wizard. The numbers
// are the resources' ids in both languages.
#include <windows.h>

namespace match_ids {

// Dialog templates.
inline constexpr UINT kDlgPage = 310;
inline constexpr UINT kDlgFrame = 338;
inline constexpr UINT kDlgStep1 = 326;
inline constexpr UINT kDlgStep2 = 327;
inline constexpr UINT kDlgStep3 = 328;

// Bitmaps: backgrounds below and from 120 dots per inch, and pictures.
inline constexpr UINT kBmpPageBack = 321;
inline constexpr UINT kBmpPageBackHigh = 322;
inline constexpr UINT kBmpStep1Back = 351;
inline constexpr UINT kBmpStep1BackHigh = 352;
inline constexpr UINT kBmpStep2Back = 353;
inline constexpr UINT kBmpStep2BackHigh = 354;
inline constexpr UINT kBmpStep3Back = 355;
inline constexpr UINT kBmpStep3BackHigh = 356;
inline constexpr UINT kBmpPagePicture = 346;
inline constexpr UINT kBmpPagePictureHigh = 347;
inline constexpr UINT kBmpTemperature = 156;
inline constexpr UINT kBmpTemperatureLowColor = 158;
inline constexpr UINT kBmpNoTemperature = 180;
inline constexpr UINT kBmpNoTemperatureLowColor = 181;

// Strings.
inline constexpr UINT kStrMonitor = 116;
inline constexpr UINT kStrCommFailed = 249;
inline constexpr UINT kStrBrightnessGuide = 250;

// Page controls.
inline constexpr int kIdPagePicture = 1234;
inline constexpr int kIdAdjust = 1235;
inline constexpr int kIdCloseButton = 1046;

// Step 1.
inline constexpr int kIdMaster = 1267;
inline constexpr int kIdMode = 1009;
inline constexpr int kIdStep1Next = 1276;
inline constexpr int kIdStep1Cancel = 1277;
// Step 2.
inline constexpr int kIdTemperature = 1039;
inline constexpr int kIdTemperatureText = 1270;
inline constexpr int kIdGamma = 1225;
inline constexpr int kIdGammaText = 1271;
inline constexpr int kIdStep2Picture = 1282;
inline constexpr int kIdStep2Next = 1278;
inline constexpr int kIdStep2Cancel = 1279;
// Step 3.
inline constexpr int kIdBrightness = 1271;
inline constexpr int kIdBrightnessText = 1272;
inline constexpr int kIdGuide = 1264;
inline constexpr int kIdFinish = 1280;
inline constexpr int kIdStep3Cancel = 1281;

// A step posts these to itself so that it is painted before the slow monitor work.
inline constexpr UINT kMsgPrepareStep = WM_USER + 118;  // 1142
inline constexpr UINT kMsgLoadStep = WM_USER + 119;     // 1143

// Colours of the wizard.
inline constexpr COLORREF kFrameBackground = RGB(228, 228, 220);
inline constexpr COLORREF kOutOfRangeText = RGB(255, 0, 255);

}  // namespace match_ids
