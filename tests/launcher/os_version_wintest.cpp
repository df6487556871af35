// The version adapter against the system it runs on.
#include <gtest/gtest.h>

#include <windows.h>

#include "launcher/os_mask.h"
#include "platform/win32/os_version_win32.h"

namespace {

TEST(Win32OsVersion, ReportsTheRunningSystem) {
    platform::Win32OsVersion os;
    platform::OsVersionInfo version;
    ASSERT_TRUE(os.GetVersion(&version));

    OSVERSIONINFOEXW expected = {};
    expected.dwOSVersionInfoSize = sizeof(expected);
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&expected)));
    EXPECT_EQ(version.majorVersion, expected.dwMajorVersion);
    EXPECT_EQ(version.minorVersion, expected.dwMinorVersion);
    EXPECT_EQ(version.platformId, expected.dwPlatformId);
    EXPECT_EQ(version.productType, expected.wProductType);
    EXPECT_GE(version.majorVersion, 6u);

    // These test programs are 64-bit builds.
    EXPECT_EQ(os.ProcessorArchitecture(), launcher::kArchitectureX64);

    const std::uint32_t mask = launcher::GetRunningOsMask(os);
    EXPECT_EQ(mask, launcher::OsMaskFromVersion(version.majorVersion, version.minorVersion,
                                                version.productType, launcher::kArchitectureX64));
    // One bit, and a 64-bit one.
    EXPECT_NE(mask, 0u);
    EXPECT_EQ(mask & (mask - 1), 0u);
    EXPECT_NE(mask & 0x554u, 0u);
    EXPECT_TRUE(launcher::IsXpOrLater(os));
    EXPECT_TRUE(launcher::IsNtPlatform(os));
}

}  // namespace
