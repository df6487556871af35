#include "platform/win32/gamma_device_win32.h"

#include <windows.h>

namespace platform {

GammaContext Win32GammaDevice::Open(const std::string& deviceName) {
    HDC dc = ::CreateDCA(deviceName.c_str(), nullptr, nullptr, nullptr);
    return reinterpret_cast<GammaContext>(dc);
}

bool Win32GammaDevice::GetRamp(GammaContext context, std::uint16_t* ramp) {
    return ::GetDeviceGammaRamp(reinterpret_cast<HDC>(context), ramp) != FALSE;
}

bool Win32GammaDevice::SetRamp(GammaContext context, const std::uint16_t* ramp) {
    // The call takes a non-const pointer but only reads the ramp.
    return ::SetDeviceGammaRamp(reinterpret_cast<HDC>(context), const_cast<std::uint16_t*>(ramp)) !=
           FALSE;
}

void Win32GammaDevice::Close(GammaContext context) {
    if (context != 0) ::DeleteDC(reinterpret_cast<HDC>(context));
}

}  // namespace platform
