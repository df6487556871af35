#pragma once
// One feature as the colour snapshot and the saved adjustment data keep it: the
// current value, the maximum and whether the read went through.
#include <cstdint>

#include "monitor/monitor_list.h"

namespace monitor {

struct FeatureReading {
    std::int32_t value = 0;
    std::int32_t maximum = 0;
    std::int32_t valid = 0;
};

// Reads with the access layer's retries; a failed read gives zeros and valid 0.
FeatureReading ReadOneFeature(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                              std::uint8_t code, bool pageSelected);

}  // namespace monitor
