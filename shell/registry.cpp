#include "shell/registry.h"

#include <cstring>
#include <string>

namespace {
platform::Registry* g_defaultStore = nullptr;

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}
}  // namespace

void CRegistry::SetDefaultStore(platform::Registry* store) {
    g_defaultStore = store;
}

platform::Registry* CRegistry::Store() const {
    return m_pStore != nullptr ? m_pStore : g_defaultStore;
}

int CRegistry::WriteDword(const char* valueName, std::uint32_t value, const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr) return 0;
    return store->SetValue(keyPath, Text(valueName), platform::RegistryType::Dword, &value,
                           sizeof value)
               ? 1
               : 0;
}

int CRegistry::WriteString(const char* valueName, const char* text, std::uint32_t byteCount,
                           const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr || (text == nullptr && byteCount != 0)) return 0;
    return store->SetValue(keyPath, Text(valueName), platform::RegistryType::String, text,
                           byteCount)
               ? 1
               : 0;
}

int CRegistry::WriteBinary(const char* valueName, const void* data, std::uint32_t byteCount,
                           const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr || (data == nullptr && byteCount != 0)) return 0;
    return store->SetValue(keyPath, Text(valueName), platform::RegistryType::Binary, data,
                           byteCount)
               ? 1
               : 0;
}

int CRegistry::ReadDword(const char* valueName, std::uint32_t* value, const char* keyPath) {
    return ReadValue(valueName, value, sizeof *value, keyPath);
}

int CRegistry::ReadValue(const char* valueName, void* buffer, std::uint32_t bufferSize,
                         const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr || buffer == nullptr) return 0;
    std::uint32_t size = bufferSize;
    return store->QueryValue(keyPath, Text(valueName), buffer, &size) ? 1 : 0;
}

int CRegistry::EnumValue(std::uint32_t index, const char* keyPath, char* name, std::uint8_t* data) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr) return 0;
    std::string valueName;
    std::uint8_t bytes[platform::Registry::kEnumDataBufferSize] = {};
    std::uint32_t size = 0;
    if (!store->EnumValue(keyPath, index, &valueName, bytes, &size)) return 0;
    if (name != nullptr) {
        const std::size_t length = valueName.size() < platform::Registry::kNameBufferSize - 1
                                       ? valueName.size()
                                       : platform::Registry::kNameBufferSize - 1;
        std::memcpy(name, valueName.data(), length);
        name[length] = '\0';
    }
    if (data != nullptr && size > 0) {
        std::memcpy(data, bytes,
                    size < platform::Registry::kEnumDataBufferSize
                        ? size
                        : platform::Registry::kEnumDataBufferSize);
    }
    return 1;
}

int CRegistry::EnumSubkey(std::uint32_t index, const char* keyPath, char* name) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr || name == nullptr) return 0;
    std::string subkey;
    if (!store->EnumSubkey(keyPath, index, &subkey)) return 0;
    const std::size_t length = subkey.size() < platform::Registry::kNameBufferSize - 1
                                   ? subkey.size()
                                   : platform::Registry::kNameBufferSize - 1;
    std::memcpy(name, subkey.data(), length);
    name[length] = '\0';
    return 1;
}

int CRegistry::DeleteValue(const char* valueName, const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr) return 0;
    return store->DeleteValue(keyPath, Text(valueName)) ? 1 : 0;
}

int CRegistry::DeleteSubkey(const char* subkeyName, const char* keyPath) {
    platform::Registry* store = Store();
    if (store == nullptr || keyPath == nullptr || subkeyName == nullptr) return 0;
    return store->DeleteSubkey(keyPath, subkeyName) ? 1 : 0;
}
