#pragma once
// The filter's timer, shared by its dialog and its resident feature. Resource ids
// are in resources/controller/resource.h.
#include <windows.h>

namespace calmira_ids {

inline constexpr UINT_PTR kTimerFilterReapply = 20;
inline constexpr UINT kFilterReapplyMs = 7000;

}  // namespace calmira_ids
