#include "platform/win32/registry_win32.h"

#include <windows.h>

namespace platform {

namespace {

// Every read opens with full access, as the controller always has: the tree is
// the user's own, and a key that cannot be opened that way reads as absent.
HKEY OpenForUse(const std::string& keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

}  // namespace

bool Win32Registry::SetValue(const std::string& keyPath, const std::string& valueName,
                             RegistryType type, const void* data, std::uint32_t size) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExA(key, valueName.c_str(), 0, static_cast<DWORD>(type),
                                       static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool Win32Registry::QueryValue(const std::string& keyPath, const std::string& valueName, void* data,
                               std::uint32_t* size) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr) return false;
    DWORD bytes = *size;
    const LONG result = RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr,
                                         static_cast<BYTE*>(data), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    *size = bytes;
    return true;
}

bool Win32Registry::EnumValue(const std::string& keyPath, std::uint32_t index, std::string* name,
                              std::uint8_t* data, std::uint32_t* dataSize) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr) return false;
    char nameBuffer[kNameBufferSize] = {};
    BYTE dataBuffer[kEnumDataBufferSize] = {};
    DWORD nameLength = kNameBufferSize;
    DWORD bytes = kEnumDataBufferSize;
    DWORD type = 0;
    const bool nameOnly = data == nullptr && dataSize == nullptr;
    const LONG result = RegEnumValueA(key, index, nameBuffer, &nameLength, nullptr, &type,
                                      nameOnly ? nullptr : dataBuffer, nameOnly ? nullptr : &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    if (name != nullptr) name->assign(nameBuffer, nameLength);
    if (data != nullptr) {
        for (DWORD i = 0; i < bytes && i < kEnumDataBufferSize; ++i) data[i] = dataBuffer[i];
    }
    if (dataSize != nullptr) *dataSize = bytes;
    return true;
}

bool Win32Registry::CountValues(const std::string& keyPath, std::uint32_t* count) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr || count == nullptr) {
        if (key != nullptr) RegCloseKey(key);
        return false;
    }
    DWORD values = 0;
    const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    *count = values;
    return true;
}

bool Win32Registry::EnumSubkey(const std::string& keyPath, std::uint32_t index, std::string* name) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr) return false;
    char nameBuffer[kNameBufferSize] = {};
    DWORD nameLength = kNameBufferSize;
    const LONG result =
        RegEnumKeyExA(key, index, nameBuffer, &nameLength, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    if (name != nullptr) name->assign(nameBuffer, nameLength);
    return true;
}

bool Win32Registry::DeleteValue(const std::string& keyPath, const std::string& valueName) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr) return false;
    const LONG result = RegDeleteValueA(key, valueName.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool Win32Registry::DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) {
    HKEY key = OpenForUse(keyPath);
    if (key == nullptr) return false;
    const LONG result = RegDeleteKeyA(key, subkeyName.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace platform
