#pragma once
// The displays the kernel's DRM drivers know, from /sys/class/drm: one per
// connected connector, with its EDID and the I2C bus of its DDC channel (the
// connector's "ddc" link, or an i2c-N folder inside it).
#include <string>
#include <vector>

#include "ctl/i2c_desk.h"

// Connectors of `drmRoot` ("/sys/class/drm" on a real system), in name order.
// A connector whose status says disconnected is left out.
std::vector<I2cDisplay> ScanDrmConnectors(const std::string& drmRoot);
