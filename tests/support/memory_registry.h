#pragma once
// An in-memory per-user registry with the rules the controller relies on: keys
// and value names compare without regard to case, writes create every missing
// key of the path, reads never do, a value larger than the caller's buffer reads
// as absent, and a key with subkeys cannot be deleted.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace testing_support {

class MemoryRegistry : public platform::Registry {
public:
    struct Value {
        std::string name;
        platform::RegistryType type = platform::RegistryType::Binary;
        std::vector<std::uint8_t> data;
    };

    bool SetValue(const std::string& keyPath, const std::string& valueName,
                  platform::RegistryType type, const void* data, std::uint32_t size) override;
    bool QueryValue(const std::string& keyPath, const std::string& valueName, void* data,
                    std::uint32_t* size) override;
    bool EnumValue(const std::string& keyPath, std::uint32_t index, std::string* name,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    bool CountValues(const std::string& keyPath, std::uint32_t* count) override;
    bool EnumSubkey(const std::string& keyPath, std::uint32_t index, std::string* name) override;
    bool DeleteValue(const std::string& keyPath, const std::string& valueName) override;
    bool DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) override;

    // Test helpers.
    bool KeyExists(const std::string& keyPath) const;
    const Value* Find(const std::string& keyPath, const std::string& valueName) const;
    // Simulates access denied on every write (a locked-down profile).
    bool denyWrites = false;
    int writeCalls = 0;

private:
    // Orders names as their lower-case forms would, so a lookup needs no folded copy.
    struct FoldLess {
        using is_transparent = void;
        bool operator()(std::string_view left, std::string_view right) const;
    };
    struct Key {
        std::vector<Value> values;  // enumeration order = creation order
        // Keyed by the name as first created; enumeration follows the folded order.
        std::map<std::string, std::unique_ptr<Key>, FoldLess> subkeys;
    };
    const Key* Lookup(const std::string& keyPath) const;
    Key* Lookup(const std::string& keyPath);
    Key root_;
};

}  // namespace testing_support
