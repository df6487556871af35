// The Linux set file: replaced as a whole, so a process killed between writing
// the new file and renaming it leaves the old one intact.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "ctl_fixture.h"

namespace ctltest {
namespace {

AdjustmentData Set(const std::string& model, std::int32_t mode) {
    AdjustmentData data;
    data.modelName = model;
    data.serialNumber = "123";
    data.identity = "123" + model;
    data.mode = mode;
    data.brightness = {50, 100, 1};
    return data;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SetFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ctl-sets-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        path = folder / "panelwright" / "vistrelctl-sets";
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
    fs::path path;
};

TEST_F(SetFile, SetsRoundTripAndReplaceByName) {
    FileSetStore store(path.string());
    std::string problem;
    EXPECT_TRUE(store.Names().empty());
    ASSERT_TRUE(store.Write("a", Set("TQ6600W", 1), &problem)) << problem;
    ASSERT_TRUE(store.Write("b b", Set("TQ3300W", 17), &problem)) << problem;
    ASSERT_TRUE(store.Write("a", Set("TQ6600W", 3), &problem)) << problem;
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"a", "b b"}));
    AdjustmentData read;
    ASSERT_TRUE(store.Read("a", &read));
    EXPECT_EQ(read, Set("TQ6600W", 3));
    EXPECT_FALSE(store.Delete("c", &problem));
    EXPECT_TRUE(store.Delete("a", &problem));
    EXPECT_EQ(store.Names(), std::vector<std::string>{"b b"});
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST_F(SetFile, AKillBetweenWriteAndRenameLeavesTheOldFileWhole) {
    FileSetStore store(path.string());
    std::string problem;
    ASSERT_TRUE(store.Write("kept", Set("TQ6600W", 1), &problem)) << problem;
    const std::string before = Contents(path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileSetStore dying(path.string());
        dying.beforeRename = [] { ::raise(SIGKILL); };
        std::string ignored;
        dying.Write("new", Set("TQ3300W", 2), &ignored);
        ::_exit(0);  // only reached when the rename hook never ran
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was killed mid-write";
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(store.Names(), std::vector<std::string>{"kept"});
    // The next write goes through and keeps the old set.
    ASSERT_TRUE(store.Write("new", Set("TQ3300W", 2), &problem)) << problem;
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"kept", "new"}));
}

TEST_F(SetFile, ConfigurationFolderFollowsXdgWithHomeAsFallback) {
    EXPECT_EQ(DefaultSetFilePath("/x/conf", "/home/u"), "/x/conf/panelwright/vistrelctl-sets");
    EXPECT_EQ(DefaultSetFilePath(nullptr, "/home/u"),
              "/home/u/.config/panelwright/vistrelctl-sets");
    EXPECT_EQ(DefaultSetFilePath("relative", "/home/u"),
              "/home/u/.config/panelwright/vistrelctl-sets");
    EXPECT_EQ(DefaultSetFilePath("", nullptr), "");
}

}  // namespace
}  // namespace ctltest
