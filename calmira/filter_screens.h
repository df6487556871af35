#pragma once
// What the filter does to the screens: the shared picture, the overlay windows
// over the displays and the displays' gamma ramps. The filter dialog and the
// main window drive it; the window layer carries it out.
#include <cstdint>
#include <string>

#include "calmira/filter_state.h"

namespace calmira {

class FilterScreens {
public:
    virtual ~FilterScreens() = default;
    // Replaces the shared picture with the file's; false leaves it empty.
    virtual bool LoadImage(const std::string& path) = 0;
    // Every overlay gets the picture and the alpha and is shown; every display
    // gets the luminance, after a reset to the identity ramp when asked.
    virtual void Show(const FilterState& state, bool resetLuminance) = 0;
    // Every overlay is hidden and every display gets back the ramp it had.
    virtual void Hide() = 0;
    virtual void SetAlpha(std::int32_t alpha) = 0;
    virtual void ApplyLuminance(std::int32_t luminance, bool resetFirst) = 0;
};

// Start-up, and the rebuilt overlays after a display change: shows the active
// filter when it is on. A picture that cannot be loaded turns the filter off for
// this run (nothing shown, the stored settings kept).
void ShowActiveFilter(FilterScreens& screens, FilterState* active);

}  // namespace calmira
