// The display list across a display change: the ramps the displays had before the
// filter must survive it, even when a driver refuses ramp calls around the change.
#include "monitor/gamma_list.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/virtual_clock.h"

namespace {

using Ramp16 = std::vector<std::uint16_t>;

// Several display devices by name, each with its own 16-bit ramp; a device can
// refuse every write (a driver busy with a mode change).
class Desktop : public platform::GammaDevice {
public:
    platform::GammaContext Open(const std::string& name) override {
        names.push_back(name);
        return names.size();
    }
    bool GetRamp(platform::GammaContext context, std::uint16_t* ramp) override {
        const std::string& name = names[context - 1];
        reads.push_back(name);
        const Ramp16& held = hardware.at(name);
        std::copy(held.begin(), held.end(), ramp);
        return true;
    }
    bool SetRamp(platform::GammaContext context, const std::uint16_t* ramp) override {
        const std::string& name = names[context - 1];
        if (refusing.count(name) != 0) return false;
        writes.push_back(name);
        hardware[name].assign(ramp, ramp + platform::kGammaRampEntries);
        return true;
    }
    void Close(platform::GammaContext) override {}

    std::map<std::string, Ramp16> hardware;
    std::set<std::string> refusing;
    std::vector<std::string> names;
    std::vector<std::string> reads;
    std::vector<std::string> writes;
};

// A ramp no display would have by chance: 16-bit entries of a slight curve.
Ramp16 OwnRamp(int bend) {
    Ramp16 ramp(platform::kGammaRampEntries);
    for (int i = 0; i < platform::kGammaRampEntries; ++i) {
        const int entry = i % 256;
        ramp[i] =
            static_cast<std::uint16_t>((entry * entry / 255 + entry * bend) / (bend + 1) << 8);
    }
    return ramp;
}

Ramp16 Wide(const GammaRamp& ramp) {
    Ramp16 wide(ramp.begin(), ramp.end());
    for (auto& entry : wide) entry = static_cast<std::uint16_t>(entry << 8);
    return wide;
}

TEST(GammaListRebuild, AKnownDisplayKeepsItsOriginalRampWhenTheRestoreIsRefused) {
    Desktop desktop;
    testing_support::VirtualClock clock;
    desktop.hardware["\\\\.\\DISPLAY1"] = OwnRamp(1);
    desktop.hardware["\\\\.\\DISPLAY2"] = OwnRamp(3);
    desktop.hardware["\\\\.\\DISPLAY3"] = OwnRamp(5);
    GammaList displays =
        RebuildGammaList({}, {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"}, desktop, clock);
    ASSERT_EQ(displays.size(), 2u);
    ASSERT_TRUE(displays[0]->IsUsable());
    const CGamma* first = displays[0].get();
    for (auto& display : displays) display->ApplyLuminance(-40);
    const Ramp16 filtered = Wide(CGamma::LuminanceRamp(-40));
    ASSERT_EQ(desktop.hardware["\\\\.\\DISPLAY1"], filtered);

    // Display 2 leaves, display 3 arrives; display 1's driver refuses ramps for now.
    desktop.refusing = {"\\\\.\\DISPLAY1"};
    desktop.reads.clear();
    desktop.writes.clear();
    displays = RebuildGammaList(std::move(displays), {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY3"},
                                desktop, clock);
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(displays[0].get(), first) << "the known display keeps its object";
    EXPECT_EQ(displays[0]->DeviceName(), "\\\\.\\DISPLAY1");
    EXPECT_EQ(displays[1]->DeviceName(), "\\\\.\\DISPLAY3");
    EXPECT_EQ(desktop.reads, (std::vector<std::string>{"\\\\.\\DISPLAY3", "\\\\.\\DISPLAY3"}))
        << "only the new display's ramp is read (and read back)";
    EXPECT_EQ(Wide(displays[1]->SavedRamp()), OwnRamp(5));

    // The driver works again; hiding the filter gives display 1 its own ramp back.
    desktop.refusing.clear();
    displays[0]->RestoreRamp();
    EXPECT_EQ(desktop.hardware["\\\\.\\DISPLAY1"], OwnRamp(1));
    EXPECT_EQ(desktop.hardware["\\\\.\\DISPLAY2"], filtered)
        << "a display that left is not written";
}

TEST(GammaListRebuild, KnownDisplaysGetTheirOriginalBackAtTheChange) {
    Desktop desktop;
    testing_support::VirtualClock clock;
    desktop.hardware["\\\\.\\DISPLAY1"] = OwnRamp(2);
    desktop.hardware["\\\\.\\DISPLAY2"] = OwnRamp(4);
    GammaList displays =
        RebuildGammaList({}, {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"}, desktop, clock);
    for (auto& display : displays) display->ApplyLuminance(-60);
    desktop.writes.clear();
    desktop.reads.clear();
    displays = RebuildGammaList(std::move(displays), {"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY1"},
                                desktop, clock);
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(displays[0]->DeviceName(), "\\\\.\\DISPLAY2")
        << "in the order the desktop lists them";
    EXPECT_EQ(desktop.writes, (std::vector<std::string>{"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY1"}));
    EXPECT_TRUE(desktop.reads.empty());
    EXPECT_EQ(desktop.hardware["\\\\.\\DISPLAY1"], OwnRamp(2));
    EXPECT_EQ(desktop.hardware["\\\\.\\DISPLAY2"], OwnRamp(4));
    EXPECT_TRUE(RebuildGammaList(std::move(displays), {}, desktop, clock).empty());
}

}  // namespace
