#include "memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace testing_support {

namespace {

std::string Fold(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

const MemoryRegistry::Key* MemoryRegistry::Lookup(const std::string& keyPath) const {
    const Key* key = &root_;
    for (const std::string& part : SplitPath(keyPath)) {
        auto it = key->subkeys.find(Fold(part));
        if (it == key->subkeys.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::Lookup(const std::string& keyPath) {
    return const_cast<Key*>(static_cast<const MemoryRegistry*>(this)->Lookup(keyPath));
}

bool MemoryRegistry::SetValue(const std::string& keyPath, const std::string& valueName,
                              platform::RegistryType type, const void* data, std::uint32_t size) {
    ++writeCalls;
    if (denyWrites) return false;
    Key* key = &root_;
    for (const std::string& part : SplitPath(keyPath)) {
        std::unique_ptr<Key>& child = key->subkeys[Fold(part)];
        if (!child) {
            child = std::make_unique<Key>();
            key->subkeyNames[Fold(part)] = part;
        }
        key = child.get();
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> stored(bytes, bytes + (bytes != nullptr ? size : 0));
    for (Value& value : key->values) {
        if (Fold(value.name) == Fold(valueName)) {
            value.type = type;
            value.data = std::move(stored);
            return true;
        }
    }
    key->values.push_back(Value{valueName, type, std::move(stored)});
    return true;
}

bool MemoryRegistry::QueryValue(const std::string& keyPath, const std::string& valueName,
                                void* data, std::uint32_t* size) {
    const Value* value = Find(keyPath, valueName);
    if (value == nullptr || size == nullptr) return false;
    if (value->data.size() > *size) return false;
    if (data != nullptr && !value->data.empty()) {
        std::memcpy(data, value->data.data(), value->data.size());
    }
    *size = static_cast<std::uint32_t>(value->data.size());
    return true;
}

bool MemoryRegistry::EnumValue(const std::string& keyPath, std::uint32_t index, std::string* name,
                               std::uint8_t* data, std::uint32_t* dataSize) {
    const Key* key = Lookup(keyPath);
    if (key == nullptr || index >= key->values.size()) return false;
    const Value& value = key->values[index];
    const bool nameOnly = data == nullptr && dataSize == nullptr;
    if (value.name.size() >= kNameBufferSize ||
        (!nameOnly && value.data.size() > kEnumDataBufferSize)) {
        return false;
    }
    if (name != nullptr) *name = value.name;
    if (data != nullptr && !value.data.empty()) {
        std::memcpy(data, value.data.data(), value.data.size());
    }
    if (dataSize != nullptr) *dataSize = static_cast<std::uint32_t>(value.data.size());
    return true;
}

bool MemoryRegistry::CountValues(const std::string& keyPath, std::uint32_t* count) {
    const Key* key = Lookup(keyPath);
    if (key == nullptr || count == nullptr) return false;
    *count = static_cast<std::uint32_t>(key->values.size());
    return true;
}

bool MemoryRegistry::EnumSubkey(const std::string& keyPath, std::uint32_t index,
                                std::string* name) {
    const Key* key = Lookup(keyPath);
    if (key == nullptr || index >= key->subkeyNames.size()) return false;
    auto it = key->subkeyNames.begin();
    std::advance(it, index);
    if (it->second.size() >= kNameBufferSize) return false;
    if (name != nullptr) *name = it->second;
    return true;
}

bool MemoryRegistry::DeleteValue(const std::string& keyPath, const std::string& valueName) {
    Key* key = Lookup(keyPath);
    if (key == nullptr) return false;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const Value& value) { return Fold(value.name) == Fold(valueName); });
    if (it == key->values.end()) return false;
    key->values.erase(it);
    return true;
}

bool MemoryRegistry::DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) {
    // The subkey may itself be a relative path ("Calmira\Reminder"), as RegDeleteKeyA allows.
    std::vector<std::string> parts = SplitPath(subkeyName);
    if (parts.empty()) return false;
    const std::string leaf = parts.back();
    parts.pop_back();
    std::string parentPath = keyPath;
    for (const std::string& part : parts) parentPath += "\\" + part;
    if (Lookup(keyPath) == nullptr) return false;
    Key* parent = Lookup(parentPath);
    if (parent == nullptr) return false;
    auto it = parent->subkeys.find(Fold(leaf));
    if (it == parent->subkeys.end() || !it->second->subkeys.empty()) return false;
    parent->subkeys.erase(it);
    parent->subkeyNames.erase(Fold(leaf));
    return true;
}

bool MemoryRegistry::KeyExists(const std::string& keyPath) const {
    return Lookup(keyPath) != nullptr;
}

const MemoryRegistry::Value* MemoryRegistry::Find(const std::string& keyPath,
                                                  const std::string& valueName) const {
    const Key* key = Lookup(keyPath);
    if (key == nullptr) return nullptr;
    for (const Value& value : key->values) {
        if (Fold(value.name) == Fold(valueName)) return &value;
    }
    return nullptr;
}

}  // namespace testing_support
