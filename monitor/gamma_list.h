#pragma once
// The desktop's displays as gamma objects, kept across display changes.
#include <memory>
#include <string>
#include <vector>

#include "monitor/gamma.h"

using GammaList = std::vector<std::unique_ptr<CGamma>>;

// The list for the displays attached now, in that order. A display that was
// already known keeps its object, and with it the ramp it had before the filter
// touched it: a driver may refuse the restore around a mode change, and a ramp
// read then would be the filtered one. Known displays get that ramp back now, so
// the filter's re-apply starts from it; only a display new to the desktop is read.
GammaList RebuildGammaList(GammaList previous, const std::vector<std::string>& attached,
                           platform::GammaDevice& device, platform::Clock& clock);
