#include "calmira/filter_screens.h"

namespace calmira {

void ShowActiveFilter(FilterScreens& screens, FilterState* active) {
    if (!active->on) return;
    if (!screens.LoadImage(active->filePath)) {
        active->TurnOff();
        return;
    }
    screens.Show(*active, true);
}

}  // namespace calmira
