#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/registry_win32.h"
#include "registry_contract.h"
#include "shell/registry.h"

namespace {

std::string TestRoot() {
    return "Software\\VistrelTest\\registry-" + std::to_string(::GetCurrentProcessId());
}

TEST(Win32RegistryTest, HonoursTheContract) {
    platform::Win32Registry store;
    const std::string root = TestRoot();
    // The contract starts from a root that exists but is empty.
    const std::uint32_t marker = 1;
    ASSERT_TRUE(store.SetValue(root, "marker", platform::RegistryType::Dword, &marker, 4));
    ASSERT_TRUE(store.DeleteValue(root, "marker"));
    registry_contract::Run(store, root);
    store.DeleteSubkey("Software\\VistrelTest",
                       "registry-" + std::to_string(::GetCurrentProcessId()));
}

TEST(Win32RegistryTest, StoresTheTypesTheSettingsUse) {
    platform::Win32Registry store;
    CRegistry registry(&store);
    const std::string root = TestRoot() + "-types";
    ASSERT_EQ(registry.WriteDword("NoTopmost", 1, root.c_str()), 1);
    ASSERT_EQ(registry.WriteString("DefModeName", "Night", 6, root.c_str()), 1);

    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    EXPECT_EQ(::RegQueryValueExA(key, "NoTopmost", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                 &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1u);
    char text[16] = {};
    size = sizeof text;
    EXPECT_EQ(::RegQueryValueExA(key, "DefModeName", nullptr, &type, reinterpret_cast<BYTE*>(text),
                                 &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "Night");
    ::RegCloseKey(key);
    store.DeleteSubkey("Software\\VistrelTest",
                       "registry-" + std::to_string(::GetCurrentProcessId()) + "-types");
}

}  // namespace
