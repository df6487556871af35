#pragma once
#include "platform/registry.h"

namespace platform {

// HKEY_CURRENT_USER through advapi32's ANSI calls.
class Win32Registry final : public Registry {
public:
    bool SetValue(const std::string& keyPath, const std::string& valueName, RegistryType type,
                  const void* data, std::uint32_t size) override;
    bool QueryValue(const std::string& keyPath, const std::string& valueName, void* data,
                    std::uint32_t* size) override;
    bool EnumValue(const std::string& keyPath, std::uint32_t index, std::string* name,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    bool CountValues(const std::string& keyPath, std::uint32_t* count) override;
    bool EnumSubkey(const std::string& keyPath, std::uint32_t index, std::string* name) override;
    bool DeleteValue(const std::string& keyPath, const std::string& valueName) override;
    bool DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) override;
};

}  // namespace platform
