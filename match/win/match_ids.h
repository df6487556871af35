#pragma once
// Private messages and colours of the match page and wizard. Resource ids are in
// resources/controller/resource.h.
#include <windows.h>

namespace match_ids {

// A step posts these to itself so that it is painted before the slow monitor work.
inline constexpr UINT kMsgPrepareStep = WM_USER + 118;  // 1142
inline constexpr UINT kMsgLoadStep = WM_USER + 119;     // 1143

// Colours of the wizard.
inline constexpr COLORREF kFrameBackground = RGB(228, 228, 220);
inline constexpr COLORREF kOutOfRangeText = RGB(255, 0, 255);

}  // namespace match_ids
