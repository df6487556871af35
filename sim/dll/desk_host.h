#pragma once
// The simulated desk inside a stand-in DLL: found, loaded and shared by every
// call into that DLL. Each stand-in DLL holds its own desk; both read the same
// configuration and state file.
#include <windows.h>

#include <string>

#include "sim/desk.h"

namespace sim_dll {

// The desk, loaded on first use from $VISTREL_SIM_CONFIG or else sim-desk.json
// beside this DLL. Null when there is no usable configuration (the reason went
// to stderr and the debugger once); every call then answers as if no monitor
// replied.
sim::Desk* DeskOrNull();

// The simulator's display that carries the same device name as a real display
// of the desktop; 0 when the real display is unknown to the configuration.
platform::DisplayHandle SimDisplayOf(sim::Desk& desk, HMONITOR display);

}  // namespace sim_dll
