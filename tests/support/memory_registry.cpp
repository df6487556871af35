#include "memory_registry.h"

#include <algorithm>
#include <cstring>

namespace testing_support {

namespace {

// Every call walks a key path and compares names, so both work on the characters in
// place: a fuzz target spent most of its time in the folded copies this used to make.
// The controller's names are ASCII; this is what tolower does in the "C" locale.
unsigned char Lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

bool SameName(std::string_view left, std::string_view right) {
    if (left.size() != right.size()) return false;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (Lower(left[i]) != Lower(right[i])) return false;
    return true;
}

// Calls `visit` with each non-empty part of a backslash-separated path until it returns false.
template <typename Visit>
bool ForEachPart(std::string_view path, Visit visit) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\') continue;
        if (i > start && !visit(path.substr(start, i - start))) return false;
        start = i + 1;
    }
    return true;
}

}  // namespace

bool MemoryRegistry::FoldLess::operator()(std::string_view left, std::string_view right) const {
    const std::size_t common = left.size() < right.size() ? left.size() : right.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (Lower(left[i]) != Lower(right[i])) return Lower(left[i]) < Lower(right[i]);
    }
    return left.size() < right.size();
}

const MemoryRegistry::Key* MemoryRegistry::Lookup(const std::string& keyPath) const {
    const Key* key = &root_;
    const bool found = ForEachPart(keyPath, [&](std::string_view part) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) return false;
        key = it->second.get();
        return true;
    });
    return found ? key : nullptr;
}

MemoryRegistry::Key* MemoryRegistry::Lookup(const std::string& keyPath) {
    return const_cast<Key*>(static_cast<const MemoryRegistry*>(this)->Lookup(keyPath));
}

bool MemoryRegistry::SetValue(const std::string& keyPath, const std::string& valueName,
                              platform::RegistryType type, const void* data, std::uint32_t size) {
    ++writeCalls;
    if (denyWrites) return false;
    Key* key = &root_;
    ForEachPart(keyPath, [&](std::string_view part) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end())
            it = key->subkeys.emplace(std::string(part), std::make_unique<Key>()).first;
        key = it->second.get();
        return true;
    });
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> stored(bytes, bytes + (bytes != nullptr ? size : 0));
    for (Value& value : key->values) {
        if (SameName(value.name, valueName)) {
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
    if (key == nullptr || index >= key->subkeys.size()) return false;
    auto it = key->subkeys.begin();
    std::advance(it, index);
    if (it->first.size() >= kNameBufferSize) return false;
    if (name != nullptr) *name = it->first;
    return true;
}

bool MemoryRegistry::DeleteValue(const std::string& keyPath, const std::string& valueName) {
    Key* key = Lookup(keyPath);
    if (key == nullptr) return false;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const Value& value) { return SameName(value.name, valueName); });
    if (it == key->values.end()) return false;
    key->values.erase(it);
    return true;
}

bool MemoryRegistry::DeleteSubkey(const std::string& keyPath, const std::string& subkeyName) {
    // The subkey may itself be a relative path ("Calmira\Reminder"), as RegDeleteKeyA allows.
    std::vector<std::string_view> parts;
    ForEachPart(subkeyName, [&](std::string_view part) {
        parts.push_back(part);
        return true;
    });
    if (parts.empty()) return false;
    const std::string_view leaf = parts.back();
    parts.pop_back();
    std::string parentPath = keyPath;
    for (std::string_view part : parts) parentPath.append("\\").append(part);
    if (Lookup(keyPath) == nullptr) return false;
    Key* parent = Lookup(parentPath);
    if (parent == nullptr) return false;
    auto it = parent->subkeys.find(leaf);
    if (it == parent->subkeys.end() || !it->second->subkeys.empty()) return false;
    parent->subkeys.erase(it);
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
        if (SameName(value.name, valueName)) return &value;
    }
    return nullptr;
}

}  // namespace testing_support
