// Connectors of /sys/class/drm as drivers lay them out, in a temporary tree.
#include "ctl/linux/i2c_dev.h"
#include "ctl_fixture.h"

namespace ctltest {
namespace {

TEST(Sysfs, ConnectorsGiveTheirEdidAndTheBusOfTheirDdcChannel) {
    const fs::path root = fs::temp_directory_path() / ("ctl-drm-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto connector = [&](const std::string& name, const std::string& status) {
        fs::create_directories(root / name);
        if (!status.empty()) std::ofstream(root / name / "status") << status << "\n";
        return root / name;
    };
    const fs::path dp = connector("card0-DP-1", "connected");
    fs::create_directory_symlink("../../i2c-7", dp / "ddc");
    const auto edid = Edid("ORX", 5, "TQ6600W");
    std::ofstream(dp / "edid", std::ios::binary)
        .write(reinterpret_cast<const char*>(edid.data()), 128);
    // Drivers that give the connector an adapter of its own.
    fs::create_directories(connector("card1-HDMI-A-1", "connected") / "i2c-12");
    connector("card0-DP-2", "disconnected");
    connector("card0-eDP-1", "");  // no status file, no bus
    fs::create_directories(root / "card0");
    fs::create_directories(root / "renderD128");

    const std::vector<I2cDisplay> displays = ScanDrmConnectors(root.string());
    ASSERT_EQ(displays.size(), 3u);
    EXPECT_EQ(displays[0].connector, "card0-DP-1");
    EXPECT_EQ(displays[0].bus, 7);
    EXPECT_EQ(displays[0].edid, edid);
    EXPECT_EQ(displays[1].connector, "card0-eDP-1");
    EXPECT_EQ(displays[1].bus, -1);
    EXPECT_EQ(displays[2].connector, "card1-HDMI-A-1");
    EXPECT_EQ(displays[2].bus, 12);
    EXPECT_TRUE(displays[2].edid.empty());
    EXPECT_TRUE(ScanDrmConnectors((root / "missing").string()).empty());
    fs::remove_all(root);
}

TEST(Sysfs, DeviceProblemsSayWhatToDo) {
    EXPECT_EQ(I2cOpenProblem("/dev/i2c-4", EACCES),
              "no permission to open /dev/i2c-4: add your user to the i2c group (sudo usermod -aG "
              "i2c $USER) and log in again");
    EXPECT_EQ(I2cOpenProblem("/dev/i2c-4", ENOENT),
              "/dev/i2c-4 does not exist: load the i2c-dev module (sudo modprobe i2c-dev)");
    LinuxI2cBuses buses((fs::temp_directory_path() / "no-such-dev-folder").string());
    std::string problem;
    EXPECT_EQ(buses.Open(4, 0x37, &problem), nullptr);
    EXPECT_NE(problem.find("load the i2c-dev module"), std::string::npos) << problem;
}

}  // namespace
}  // namespace ctltest
