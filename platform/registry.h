#pragma once
// The per-user registry tree of the controller. Every call names a key by its
// full path below HKEY_CURRENT_USER, opens it, does one thing and closes it again;
// nothing keeps a key handle between calls.
#include <cstdint>
#include <string>

namespace platform {

enum class RegistryType : std::uint32_t {
    String = 1,  // REG_SZ
    Binary = 3,  // REG_BINARY
    Dword = 4,   // REG_DWORD
};

class Registry {
public:
    // RegEnumValueA / RegEnumKeyExA buffer sizes the controller has always used.
    static constexpr std::uint32_t kNameBufferSize = 256;
    static constexpr std::uint32_t kEnumDataBufferSize = 2048;

    virtual ~Registry() = default;

    // RegCreateKeyExA (creating every missing key of the path), RegSetValueExA.
    virtual bool SetValue(const std::string& keyPath, const std::string& valueName,
                          RegistryType type, const void* data, std::uint32_t size) = 0;
    // RegOpenKeyExA, RegQueryValueExA with *size as the buffer size. On success *size
    // is the stored size. A value larger than the buffer fails; its type is not checked.
    virtual bool QueryValue(const std::string& keyPath, const std::string& valueName, void* data,
                            std::uint32_t* size) = 0;
    // RegOpenKeyExA, RegEnumValueA into a kNameBufferSize name buffer and a
    // kEnumDataBufferSize data buffer. `name` receives the value name, `data` the
    // stored bytes (at most kEnumDataBufferSize of them, *dataSize tells how many).
    // With `data` and `dataSize` both null only the name is fetched, so a value of
    // any size can be listed.
    virtual bool EnumValue(const std::string& keyPath, std::uint32_t index, std::string* name,
                           std::uint8_t* data, std::uint32_t* dataSize) = 0;
    // RegOpenKeyExA, RegQueryInfoKeyA: how many values the key holds, so that a
    // walk can step over an entry it cannot read. False when the key cannot be opened.
    virtual bool CountValues(const std::string& keyPath, std::uint32_t* count) { return false; }
    // RegOpenKeyExA, RegEnumKeyExA into a kNameBufferSize name buffer.
    virtual bool EnumSubkey(const std::string& keyPath, std::uint32_t index, std::string* name) = 0;
    // RegOpenKeyExA, RegDeleteValueA.
    virtual bool DeleteValue(const std::string& keyPath, const std::string& valueName) = 0;
    // RegOpenKeyExA, RegDeleteKeyA: a subkey that has subkeys of its own stays.
    virtual bool DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) = 0;
};

}  // namespace platform
