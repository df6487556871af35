#pragma once
// The wall clock, for the simulator inside the stand-in DLLs where the program
// under test really sleeps.
#include "platform/clock.h"

namespace sim {

// A process-wide clock: steady_clock milliseconds for ticks, a real sleep for Sleep.
platform::Clock& RealClock();

}  // namespace sim
