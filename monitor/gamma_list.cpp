#include "monitor/gamma_list.h"

GammaList RebuildGammaList(GammaList previous, const std::vector<std::string>& attached,
                           platform::GammaDevice& device, platform::Clock& clock) {
    GammaList displays;
    for (const std::string& name : attached) {
        std::unique_ptr<CGamma> gamma;
        for (auto& old : previous) {
            if (old && old->DeviceName() == name.substr(0, CGamma::kMaxDeviceName)) {
                gamma = std::move(old);
                break;
            }
        }
        if (gamma) {
            gamma->RestoreRamp();
        } else {
            gamma = std::make_unique<CGamma>(device, clock);
            gamma->Init(name);
        }
        displays.push_back(std::move(gamma));
    }
    // A display that has left the desktop has no ramp to give back.
    return displays;
}
