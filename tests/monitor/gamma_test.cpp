// Display gamma ramps: the 8/16-bit conversion, the five-second retry and the rule
// that only a display whose ramp survives a write and read-back is used.
#include "monitor/gamma.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/virtual_clock.h"

namespace {

// A display device holding a 16-bit ramp; it can refuse calls and can return the
// ramp it holds through a driver-style transformation.
class FakeGammaDevice : public platform::GammaDevice {
public:
    FakeGammaDevice() {
        for (int i = 0; i < platform::kGammaRampEntries; ++i)
            hardware[i] = static_cast<std::uint16_t>((i % 256) * 257);
    }

    platform::GammaContext Open(const std::string& deviceName) override {
        opened.push_back(deviceName);
        ++openContexts;
        return 0x1000 + opened.size();
    }
    bool GetRamp(platform::GammaContext, std::uint16_t* ramp) override {
        ++getCalls;
        if (failGets > 0) {
            --failGets;
            return false;
        }
        for (int i = 0; i < platform::kGammaRampEntries; ++i)
            ramp[i] = readBack ? readBack(i, hardware[i]) : hardware[i];
        return true;
    }
    bool SetRamp(platform::GammaContext, const std::uint16_t* ramp) override {
        ++setCalls;
        if (failSets > 0) {
            --failSets;
            return false;
        }
        for (int i = 0; i < platform::kGammaRampEntries; ++i) hardware[i] = ramp[i];
        written.emplace_back(ramp, ramp + platform::kGammaRampEntries);
        return true;
    }
    void Close(platform::GammaContext context) override {
        if (context != 0) --openContexts;
    }

    std::uint16_t hardware[platform::kGammaRampEntries];
    std::function<std::uint16_t(int, std::uint16_t)> readBack;
    int failGets = 0;
    int failSets = 0;
    int getCalls = 0;
    int setCalls = 0;
    int openContexts = 0;
    std::vector<std::string> opened;
    std::vector<std::vector<std::uint16_t>> written;
};

struct GammaFixture : ::testing::Test {
    FakeGammaDevice device;
    testing_support::VirtualClock clock;
    CGamma gamma{device, clock};
};

TEST_F(GammaFixture, InitKeepsTheRampItFoundAndWritesItBackUnchanged) {
    gamma.Init("\\\\.\\DISPLAY2");
    EXPECT_TRUE(gamma.IsUsable());
    EXPECT_EQ(gamma.DeviceName(), "\\\\.\\DISPLAY2");
    for (int i = 0; i < 256; ++i) EXPECT_EQ(gamma.SavedRamp()[i], i);
    ASSERT_EQ(device.written.size(), 1u);
    // Written in the platform's 16-bit domain: the 8-bit value in the high byte.
    EXPECT_EQ(device.written[0][255], 255 << 8);
    EXPECT_EQ(device.written[0][256 + 96], 96 << 8);
    // get, set, get: each with a context of its own, all closed again.
    EXPECT_EQ(device.opened.size(), 3u);
    EXPECT_EQ(device.openContexts, 0);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(GammaFixture, DriverRoundingBelowOneStepStillReadsBackUnchanged) {
    // Drivers that widen 8-bit entries return v * 257 for v << 8 (24672 for 24576).
    device.readBack = [](int, std::uint16_t v) {
        return static_cast<std::uint16_t>((v >> 8) * 257);
    };
    gamma.Init("\\\\.\\DISPLAY1");
    EXPECT_TRUE(gamma.IsUsable());
}

TEST_F(GammaFixture, ReadBackDifferingInOneEntryMakesTheDisplayUnusable) {
    int reads = 0;
    device.readBack = [&reads](int i, std::uint16_t v) {
        if (i == 0) ++reads;
        // The second read (after the write) comes back one step off in blue 200.
        return (reads == 2 && i == 512 + 200) ? static_cast<std::uint16_t>(v + 0x100) : v;
    };
    gamma.Init("\\\\.\\DISPLAY1");
    EXPECT_FALSE(gamma.IsUsable());

    const int setsBefore = device.setCalls;
    gamma.ApplyLuminance(51);
    gamma.RestoreRamp();
    EXPECT_EQ(device.setCalls, setsBefore);
}

TEST_F(GammaFixture, UnreadableRampIsNeverWrittenBack) {
    device.failGets = 1000;
    gamma.Init("\\\\.\\DISPLAY1");
    EXPECT_FALSE(gamma.IsUsable());
    EXPECT_EQ(device.setCalls, 0);
}

TEST_F(GammaFixture, RefusedCallIsRetriedEvery100MsForFiveSeconds) {
    device.failGets = 1000;
    GammaRamp ramp{};
    EXPECT_FALSE(gamma.GetRamp(ramp.data()));
    // Attempts at 0, 100 ... 5000 ms; the wait after the last one ends past the limit.
    EXPECT_EQ(device.getCalls, 51);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(51, 100));
    EXPECT_EQ(device.openContexts, 0);
}

TEST_F(GammaFixture, CallThatRecoversWithinTheLimitSucceeds) {
    device.failGets = 3;
    GammaRamp ramp{};
    EXPECT_TRUE(gamma.GetRamp(ramp.data()));
    EXPECT_EQ(device.getCalls, 4);
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{100, 100, 100}));
    EXPECT_EQ(ramp[300], 300 - 256);
}

TEST_F(GammaFixture, SetRampLeavesTheCallersBufferAsItWas) {
    gamma.Init("\\\\.\\DISPLAY1");
    GammaRamp ramp = CGamma::LuminanceRamp(51);
    const GammaRamp copy = ramp;
    EXPECT_TRUE(gamma.SetRamp(ramp.data()));
    EXPECT_EQ(ramp, copy);
    EXPECT_EQ(device.hardware[0], 51 << 8);
}

TEST_F(GammaFixture, RestoreWritesTheRampFoundAtInitNotTheIdentity) {
    for (int i = 0; i < platform::kGammaRampEntries; ++i)
        device.hardware[i] = static_cast<std::uint16_t>((255 - i % 256) << 8);
    gamma.Init("\\\\.\\DISPLAY1");
    ASSERT_TRUE(gamma.IsUsable());
    gamma.ApplyLuminance(-51);
    EXPECT_EQ(device.hardware[255], 255 << 8);
    gamma.RestoreRamp();
    EXPECT_EQ(device.hardware[0], 255 << 8);
    EXPECT_EQ(device.hardware[255], 0);
}

TEST(GammaLuminanceRamp, ShiftsLiftOrLowerTheLowEnd) {
    struct Case {
        std::int32_t shift;
        std::vector<std::pair<int, int>> entries;  // index, value
    };
    const Case cases[] = {
        {0, {{0, 0}, {1, 1}, {128, 128}, {255, 255}}},
        {51, {{0, 51}, {1, 51}, {2, 52}, {255, 255}}},
        {-51, {{0, 0}, {42, 0}, {43, 0}, {44, 1}, {255, 255}}},
        {255, {{0, 255}, {255, 255}}},
        {300, {{0, 255}, {255, 255}}},  // would wrap in the 16-bit ramp
        {-2147483647 - 1, {{0, 0}, {254, 0}, {255, 255}}},
    };
    for (const Case& c : cases) {
        const GammaRamp ramp = CGamma::LuminanceRamp(c.shift);
        for (auto [index, value] : c.entries) {
            EXPECT_EQ(ramp[index], value) << "shift " << c.shift << " entry " << index;
            EXPECT_EQ(ramp[256 + index], value);
            EXPECT_EQ(ramp[512 + index], value);
        }
    }
    const GammaRamp identity = CGamma::LuminanceRamp(0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(identity[i], i);
    const GammaRamp dark = CGamma::LuminanceRamp(-51);
    for (int i = 0; i <= 43; ++i) EXPECT_EQ(dark[i], 0) << i;
}

}  // namespace
