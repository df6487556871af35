// Display gamma ramps through GDI on the test X server: every attached display
// is taken up with the ramp it has, takes a shifted ramp, and gets its own back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "monitor/gamma.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/gamma_device_win32.h"

namespace {

std::vector<std::string> AttachedDisplays() {
    std::vector<std::string> names;
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    for (DWORD i = 0; EnumDisplayDevicesA(nullptr, i, &device, 0); ++i) {
        if (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)
            names.push_back(device.DeviceName);
        device.cb = sizeof device;
    }
    return names;
}

// The driver answers at once when it has ramps at all; without them every call
// would cost the full five-second retry, so the test asks GDI once first.
bool DisplayHasRamps(const std::string& name) {
    HDC dc = CreateDCA(name.c_str(), nullptr, nullptr, nullptr);
    if (dc == nullptr) return false;
    WORD ramp[3][256];
    const BOOL ok = GetDeviceGammaRamp(dc, ramp);
    DeleteDC(dc);
    return ok != FALSE;
}

TEST(GammaWin32, DisplaysTakeAShiftedRampAndGetTheirOwnBack) {
    const std::vector<std::string> displays = AttachedDisplays();
    ASSERT_FALSE(displays.empty());
    if (!DisplayHasRamps(displays[0]))
        GTEST_SKIP() << "this X server has no gamma ramps (Xvfb); the dummy Xorg has";

    platform::Win32GammaDevice device;
    platform::Win32Clock clock;
    for (const std::string& name : displays) {
        SCOPED_TRACE(name);
        auto gamma = std::make_unique<CGamma>(device, clock);
        gamma->Init(name);
        // The driver widens 8-bit entries on the way back (v << 8 reads as v * 257);
        // in the 8-bit domain the program holds that is the same ramp, so the display
        // must count as usable.
        ASSERT_TRUE(gamma->IsUsable());
        const GammaRamp found = gamma->SavedRamp();

        // A darkened low end; Wine's X11 driver only takes ramps that start at black.
        gamma->ApplyLuminance(-51);
        GammaRamp now{};
        ASSERT_TRUE(gamma->GetRamp(now.data()));
        EXPECT_EQ(now, CGamma::LuminanceRamp(-51));

        gamma->RestoreRamp();
        ASSERT_TRUE(gamma->GetRamp(now.data()));
        EXPECT_EQ(now, found);
    }
}

}  // namespace
