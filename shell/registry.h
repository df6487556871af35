#pragma once
// Settings store of the controller. Every operation opens its key, performs one
// registry call and closes the key again, so that nothing ever holds the tree open
// and every read sees what is stored at that moment. Results are 1 or 0; a failed
// read leaves the caller's own default in place.
#include <cstdint>

#include "platform/registry.h"

// Below HKEY_CURRENT_USER.
inline constexpr const char* kVistrelRootKey =
    "Software\\Orvex\\Panelwright Pro for LCD (DDCCI) V2.4x";

class CRegistry {
public:
    // A null store means the process-wide store set with SetDefaultStore.
    explicit CRegistry(platform::Registry* store = nullptr) : m_pStore(store) {}
    virtual ~CRegistry() = default;

    static void SetDefaultStore(platform::Registry* store);

    int WriteDword(const char* valueName, std::uint32_t value, const char* keyPath);
    // byteCount is the text length plus 1, so that the terminating zero is stored.
    int WriteString(const char* valueName, const char* text, std::uint32_t byteCount,
                    const char* keyPath);
    int WriteBinary(const char* valueName, const void* data, std::uint32_t byteCount,
                    const char* keyPath);
    int ReadDword(const char* valueName, std::uint32_t* value, const char* keyPath);
    int ReadValue(const char* valueName, void* buffer, std::uint32_t bufferSize,
                  const char* keyPath);
    // name: null or at least 256 bytes (gets at most 255 characters and a zero);
    // data: null or at least 2048 bytes (gets the stored bytes, no terminator added).
    int EnumValue(std::uint32_t index, const char* keyPath, char* name, std::uint8_t* data);
    // name: at least 256 bytes.
    int EnumSubkey(std::uint32_t index, const char* keyPath, char* name);
    int DeleteValue(const char* valueName, const char* keyPath);
    int DeleteSubkey(const char* subkeyName, const char* keyPath);

private:
    platform::Registry* Store() const;
    platform::Registry* m_pStore;
};
