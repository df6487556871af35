#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/os_mask.h"

namespace {

using launcher::OsMaskFromVersion;

TEST(OsMask, RunningSystemMapsToOneBit) {
    struct Case {
        std::uint32_t major;
        std::uint32_t minor;
        std::uint8_t productType;
        std::uint16_t architecture;
        std::uint32_t expected;
    };
    constexpr std::uint8_t kWorkstation = 1;
    constexpr std::uint8_t kDomainController = 2;
    constexpr std::uint8_t kServer = 3;
    constexpr std::uint16_t kX86 = 0;
    constexpr std::uint16_t kItanium = 6;
    constexpr std::uint16_t kX64 = 9;
    constexpr std::uint16_t kArm64 = 12;
    const Case cases[] = {
        {4, 0, kWorkstation, kX86, 0x000},  // NT 4 and older: nothing
        {4, 90, kWorkstation, kX64, 0x000},
        {5, 0, kWorkstation, kX86, 0x001},  // 2000
        {5, 0, kServer, kItanium, 0x001},   // never shifted
        {5, 1, kWorkstation, kX86, 0x002},  // XP
        {5, 1, kWorkstation, kItanium, 0x002},
        {5, 2, kWorkstation, kX64, 0x004},  // XP x64
        {5, 2, kWorkstation, kX86, 0x020},  // a 5.2 workstation that is not x64
        {5, 2, kServer, kX86, 0x020},       // Server 2003
        {5, 2, kServer, kX64, 0x040},
        {5, 2, kDomainController, kItanium, 0x040},
        {5, 2, kWorkstation, kItanium, 0x040},
        {6, 0, kWorkstation, kX86, 0x008},  // Vista
        {6, 0, kWorkstation, kX64, 0x010},
        {6, 0, kServer, kX86, 0x080},  // Server 2008
        {6, 0, kDomainController, kX64, 0x100},
        {6, 1, kWorkstation, kX86, 0x200},  // 7
        {6, 1, kWorkstation, kX64, 0x400},
        {6, 1, kServer, kX64, 0x100},       // Server 2008 R2
        {6, 2, kWorkstation, kX64, 0x400},  // 8 and what reports itself as 8
        {6, 3, kServer, kItanium, 0x100},
        {6, 1, kWorkstation, kArm64, 0x200},  // only x64 and Itanium count as 64-bit
        // After 6.x every version is a "7 and later" client or a "2008 and
        // later" server, whatever its minor number.
        {10, 0, kWorkstation, kX64, 0x400},
        {10, 0, kWorkstation, kX86, 0x200},
        {10, 0, kServer, kX64, 0x100},
        {7, 0, kDomainController, kX86, 0x080},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.major) + "." + std::to_string(test.minor) + " type " +
                     std::to_string(test.productType) + " arch " +
                     std::to_string(test.architecture));
        EXPECT_EQ(OsMaskFromVersion(test.major, test.minor, test.productType, test.architecture),
                  test.expected);
    }
}

TEST(OsMask, KeywordsNameFamiliesOrSingleSizes) {
    const std::pair<std::u16string, std::uint32_t> cases[] = {
        {u"2000", 0x001},
        {u"XP", 0x006},
        {u"XP_32", 0x002},
        {u"XP_64", 0x004},
        {u"Vista", 0x018},
        {u"Vista_32", 0x008},
        {u"Vista_64", 0x010},
        {u"Server2003", 0x060},
        {u"Server2003_32", 0x020},
        {u"Server2003_64", 0x040},
        {u"Server2008", 0x180},
        {u"Server2008_32", 0x080},
        {u"Server2008_64", 0x100},
        {u"7", 0x600},
        {u"7_32", 0x200},
        {u"7_64", 0x400},
        {u"", 0},
        {u"vista", 0},
        {u"7 ", 0},
        {u"XP_86", 0},
        {u"10", 0},
        {u"Server2012", 0},
    };
    for (const auto& [keyword, bits] : cases) {
        EXPECT_EQ(launcher::OsKeywordBits(keyword), bits)
            << std::string(keyword.begin(), keyword.end());
    }
}

// A system whose answers the test sets; counts the queries.
class ScriptedOs final : public platform::OsVersion {
public:
    bool GetVersion(platform::OsVersionInfo* info) override {
        ++versionQueries;
        if (!versionWorks) {
            return false;
        }
        *info = version;
        return true;
    }
    std::uint16_t ProcessorArchitecture() override { return architecture; }

    platform::OsVersionInfo version;
    std::uint16_t architecture = 0;
    bool versionWorks = true;
    int versionQueries = 0;
};

TEST(OsMask, RunningSystemIsQueriedOnEveryCall) {
    ScriptedOs os;
    os.version.majorVersion = 6;
    os.version.minorVersion = 1;
    os.version.productType = 1;
    os.version.platformId = 2;
    os.architecture = 9;
    EXPECT_EQ(launcher::GetRunningOsMask(os), 0x400u);
    EXPECT_TRUE(launcher::IsXpOrLater(os));
    EXPECT_TRUE(launcher::IsNtPlatform(os));

    os.version.majorVersion = 5;
    os.version.minorVersion = 0;
    EXPECT_EQ(launcher::GetRunningOsMask(os), 0x001u);
    EXPECT_FALSE(launcher::IsXpOrLater(os));
    EXPECT_EQ(os.versionQueries, 5);

    os.version.majorVersion = 4;
    os.version.platformId = 1;
    EXPECT_FALSE(launcher::IsXpOrLater(os));
    EXPECT_FALSE(launcher::IsNtPlatform(os));
}

TEST(OsMask, FailedVersionQueryMeansAnUnknownSystem) {
    ScriptedOs os;
    os.version.majorVersion = 6;
    os.version.minorVersion = 1;
    os.version.productType = 1;
    os.version.platformId = 2;
    os.architecture = 9;
    os.versionWorks = false;
    EXPECT_EQ(launcher::GetRunningOsMask(os), 0u);
    EXPECT_FALSE(launcher::IsXpOrLater(os));
    EXPECT_FALSE(launcher::IsNtPlatform(os));
}

}  // namespace
