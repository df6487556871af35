#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/memory_registry.h"
#include "shell/registry.h"
#include "shell/settings_keys.h"

namespace {

const std::string kRoot = kVistrelRootKey;
const std::string kReminder = kRoot + "\\Calmira\\Reminder";

class RegistryTest : public ::testing::Test {
protected:
    testing_support::MemoryRegistry store;
    CRegistry registry{&store};
};

TEST_F(RegistryTest, FreshProfileReadsFailAndKeepTheCallersDefault) {
    std::uint32_t value = 48;
    EXPECT_EQ(registry.ReadDword("DefMode", &value, kRoot.c_str()), 0);
    EXPECT_EQ(value, 48u);
    char name[256] = "untouched";
    EXPECT_EQ(registry.EnumValue(0, (kRoot + "\\Color").c_str(), name, nullptr), 0);
    EXPECT_EQ(registry.EnumSubkey(0, (kRoot + "\\Tonl").c_str(), name), 0);
    EXPECT_STREQ(name, "untouched");
    EXPECT_FALSE(store.KeyExists(kRoot)) << "reads must never create keys";
}

TEST_F(RegistryTest, FirstWriteCreatesEveryKeyOfThePath) {
    const std::uint8_t on = 1;
    ASSERT_EQ(registry.WriteBinary("On", &on, 1, kReminder.c_str()), 1);
    EXPECT_TRUE(store.KeyExists(kRoot + "\\Calmira"));
    std::uint8_t read = 0;
    EXPECT_EQ(registry.ReadValue("On", &read, 1, kReminder.c_str()), 1);
    EXPECT_EQ(read, 1);
}

TEST_F(RegistryTest, StoredTypesAndSizes) {
    ASSERT_EQ(registry.WriteDword("DefMode", 255, kRoot.c_str()), 1);
    const char* name = "Movie set";
    ASSERT_EQ(
        registry.WriteString("DefModeName", name, static_cast<std::uint32_t>(std::strlen(name) + 1),
                             kRoot.c_str()),
        1);
    const auto* mode = store.Find(kRoot, "DefMode");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->type, platform::RegistryType::Dword);
    EXPECT_EQ(mode->data.size(), 4u);
    const auto* text = store.Find(kRoot, "DefModeName");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->type, platform::RegistryType::String);
    EXPECT_EQ(text->data.size(), 10u) << "the terminating zero is stored";
}

TEST_F(RegistryTest, ReadsIgnoreTheTypeButRefuseWhatDoesNotFit) {
    const std::uint8_t luminance[4] = {0x10, 0x20, 0x30, 0x40};
    registry.WriteBinary("Luminance", luminance, 4, (kRoot + "\\VSFilter").c_str());
    std::uint32_t asDword = 0;
    EXPECT_EQ(registry.ReadDword("Luminance", &asDword, (kRoot + "\\VSFilter").c_str()), 1);
    EXPECT_EQ(asDword, 0x40302010u);

    const char* path = "C:\\pictures\\a rather long file name.png";
    registry.WriteString("FilePath", path, static_cast<std::uint32_t>(std::strlen(path) + 1),
                         (kRoot + "\\VSFilter").c_str());
    char small[8] = "keepme";
    EXPECT_EQ(registry.ReadValue("FilePath", small, sizeof small, (kRoot + "\\VSFilter").c_str()),
              0);
    EXPECT_STREQ(small, "keepme");
    EXPECT_EQ(registry.ReadDword("FilePath", &asDword, (kRoot + "\\VSFilter").c_str()), 0);
}

TEST_F(RegistryTest, EnumerationCopiesNamesTerminatedAndDataAsStored) {
    const std::string color = kRoot + "\\Color";
    std::uint8_t first[172];
    std::uint8_t second[172];
    std::memset(first, 0xA5, sizeof first);
    std::memset(second, 0x5A, sizeof second);
    registry.WriteBinary("Office", first, sizeof first, color.c_str());
    registry.WriteBinary("Night", second, sizeof second, color.c_str());

    char name[256];
    std::uint8_t data[2048];
    std::memset(data, 0xEE, sizeof data);
    ASSERT_EQ(registry.EnumValue(1, color.c_str(), name, data), 1);
    EXPECT_STREQ(name, "Night");
    EXPECT_EQ(data[171], 0x5A);
    EXPECT_EQ(data[172], 0xEE) << "no terminator is added after the data";
    EXPECT_EQ(registry.EnumValue(0, color.c_str(), nullptr, nullptr), 1);
    EXPECT_EQ(registry.EnumValue(2, color.c_str(), name, data), 0);

    std::string longName(300, 'x');
    registry.WriteDword(longName.c_str(), 1, color.c_str());
    EXPECT_EQ(registry.EnumValue(2, color.c_str(), name, data), 0)
        << "a name that does not fit the 256-byte buffer is not returned";
}

TEST_F(RegistryTest, DeletingKeysGoesDeepestFirst) {
    registry.WriteDword("Hour", 2, kReminder.c_str());
    registry.WriteString("Display Name", "", 1, (kRoot + "\\Calmira").c_str());
    EXPECT_EQ(registry.DeleteSubkey("Calmira", kRoot.c_str()), 0);
    EXPECT_EQ(registry.DeleteSubkey("Reminder", (kRoot + "\\Calmira").c_str()), 1);
    EXPECT_EQ(registry.DeleteSubkey("Calmira", kRoot.c_str()), 1);
    EXPECT_FALSE(store.KeyExists(kRoot + "\\Calmira"));

    EXPECT_EQ(registry.DeleteValue("Nothing", kRoot.c_str()), 0);
    registry.WriteDword("MonIndepend", 0, kRoot.c_str());
    EXPECT_EQ(registry.DeleteValue("MonIndepend", kRoot.c_str()), 1);
    EXPECT_EQ(store.Find(kRoot, "MonIndepend"), nullptr);
}

TEST_F(RegistryTest, DeniedWritesReportFailure) {
    store.denyWrites = true;
    EXPECT_EQ(registry.WriteDword("NoTopmost", 1, kRoot.c_str()), 0);
}

TEST_F(RegistryTest, KeepOnTopFollowsNoTopmost) {
    EXPECT_TRUE(shell::ReadKeepOnTop(registry)) << "absent keeps the window on top";
    shell::StoreKeepOnTop(registry, false);
    std::uint32_t stored = 99;
    ASSERT_EQ(registry.ReadDword("NoTopmost", &stored, kRoot.c_str()), 1);
    EXPECT_EQ(stored, 1u);
    EXPECT_FALSE(shell::ReadKeepOnTop(registry));
    shell::StoreKeepOnTop(registry, true);
    ASSERT_EQ(registry.ReadDword("NoTopmost", &stored, kRoot.c_str()), 1);
    EXPECT_EQ(stored, 0u);
    registry.WriteDword("NoTopmost", 7, kRoot.c_str());
    EXPECT_FALSE(shell::ReadKeepOnTop(registry)) << "any non-zero value means not on top";
}

TEST(RegistryDefaultStoreTest, PagesWithoutAStoreUseTheProcessStore) {
    testing_support::MemoryRegistry store;
    CRegistry::SetDefaultStore(&store);
    CRegistry page;
    EXPECT_EQ(page.WriteDword("ModeChange", 1, kVistrelRootKey), 1);
    EXPECT_NE(store.Find(kVistrelRootKey, "ModeChange"), nullptr);
    CRegistry::SetDefaultStore(nullptr);
    EXPECT_EQ(page.WriteDword("ModeChange", 1, kVistrelRootKey), 0);
}

TEST(RegistryDefaultStoreTest, WithoutAStoreOrAKeyPathEveryCallAnswersZero) {
    CRegistry::SetDefaultStore(nullptr);
    testing_support::MemoryRegistry store;
    const std::uint32_t one = 1;
    store.SetValue(kRoot, "ModeChange", platform::RegistryType::Dword, &one, 4);
    store.SetValue(kRoot + "\\Color", "Mode", platform::RegistryType::Dword, &one, 4);
    CRegistry storeless;
    CRegistry stored(&store);
    std::uint32_t value = 0;
    char name[256] = {};
    std::uint8_t data[2048] = {};
    for (CRegistry* registry : {&storeless, &stored}) {
        const char* key = registry == &storeless ? kVistrelRootKey : nullptr;
        EXPECT_EQ(registry->WriteDword("ModeChange", 1, key), 0);
        EXPECT_EQ(registry->WriteString("ModeChange", "1", 2, key), 0);
        EXPECT_EQ(registry->WriteBinary("ModeChange", "1", 1, key), 0);
        EXPECT_EQ(registry->ReadDword("ModeChange", &value, key), 0);
        EXPECT_EQ(registry->EnumValue(0, key, name, data), 0);
        EXPECT_EQ(registry->EnumSubkey(0, key, name), 0);
        EXPECT_EQ(registry->DeleteValue("ModeChange", key), 0);
        EXPECT_EQ(registry->DeleteSubkey("Color", key), 0);
    }
    EXPECT_EQ(stored.DeleteSubkey(nullptr, kVistrelRootKey), 0);
    EXPECT_NE(store.Find(kVistrelRootKey, "ModeChange"), nullptr);
    EXPECT_TRUE(store.KeyExists(kRoot + "\\Color"));
    EXPECT_EQ(store.writeCalls, 2);
}

}  // namespace

#include "registry_contract.h"

TEST(RegistryContractTest, MemoryRegistryBehavesLikeTheRealOne) {
    testing_support::MemoryRegistry store;
    registry_contract::Run(store, "Software\\VistrelTest");
}
