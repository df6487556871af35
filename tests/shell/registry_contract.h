#pragma once
// What the controller relies on from any registry behind the port. Run natively
// against the in-memory registry and under Wine against the real one, so the
// fake cannot drift from Windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/registry.h"

namespace registry_contract {

inline void Run(platform::Registry& store, const std::string& root) {
    using platform::RegistryType;
    const std::string deep = root + "\\Calmira\\Reminder";

    std::uint8_t buffer[16] = {};
    std::uint32_t size = sizeof buffer;
    EXPECT_FALSE(store.QueryValue(deep, "On", buffer, &size)) << "fresh tree reads nothing";
    std::string name;
    EXPECT_FALSE(store.EnumValue(deep, 0, &name, nullptr, nullptr));
    EXPECT_FALSE(store.EnumSubkey(root, 0, &name));

    const std::uint8_t on = 1;
    ASSERT_TRUE(store.SetValue(deep, "On", RegistryType::Binary, &on, 1))
        << "a write creates every missing key";
    std::uint32_t hour = 3;
    ASSERT_TRUE(store.SetValue(deep, "Hour", RegistryType::Dword, &hour, 4));

    size = sizeof buffer;
    ASSERT_TRUE(store.QueryValue(deep, "ON", buffer, &size)) << "value names ignore case";
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(buffer[0], 1);

    const char text[] = "a message longer than eight bytes";
    ASSERT_TRUE(store.SetValue(deep, "Message", RegistryType::String, text, sizeof text));
    char small[8] = "keep";
    size = sizeof small;
    EXPECT_FALSE(store.QueryValue(deep, "Message", small, &size)) << "too long reads as absent";
    EXPECT_STREQ(small, "keep");

    std::uint8_t data[platform::Registry::kEnumDataBufferSize] = {};
    std::uint32_t dataSize = 0;
    // The order of enumeration differs between systems; the set does not.
    std::uint32_t index = 0;
    bool sawMessage = false;
    while (store.EnumValue(deep, index, &name, data, &dataSize)) {
        if (name == "Message") {
            sawMessage = true;
            EXPECT_EQ(dataSize, sizeof text);
            EXPECT_EQ(std::memcmp(data, text, sizeof text), 0);
        }
        ++index;
    }
    EXPECT_EQ(index, 3u);
    EXPECT_TRUE(sawMessage);

    ASSERT_TRUE(store.EnumSubkey(root, 0, &name));
    EXPECT_EQ(name, "Calmira");

    EXPECT_FALSE(store.DeleteSubkey(root, "Calmira")) << "a key with subkeys stays";
    EXPECT_TRUE(store.DeleteValue(deep, "Hour"));
    EXPECT_FALSE(store.DeleteValue(deep, "Hour"));
    EXPECT_TRUE(store.DeleteSubkey(root + "\\Calmira", "Reminder"));
    EXPECT_TRUE(store.DeleteSubkey(root, "Calmira"));
    EXPECT_FALSE(store.EnumSubkey(root, 0, &name));
}

}  // namespace registry_contract
