#include "monitor/feature_reading.h"

namespace monitor {

FeatureReading ReadOneFeature(MonitorList& list, const CMonitorStatus& record, std::uint16_t page,
                              std::uint8_t code, bool pageSelected) {
    std::uint32_t current = 0;
    std::uint32_t maximum = 0;
    FeatureReading reading;
    if (list.ReadFeature(&record, page, code, &current, &maximum, pageSelected, true)) {
        reading.value = static_cast<std::int32_t>(current);
        reading.maximum = static_cast<std::int32_t>(maximum);
        reading.valid = 1;
    }
    return reading;
}

}  // namespace monitor
