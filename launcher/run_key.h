#pragma once
// The machine's Run key (HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run),
// read only: the programs that setups registered to start with Windows.
#include <cstdint>
#include <string>
#include <vector>

namespace launcher {

enum class RegistryView { Native, Wow64_64, Wow64_32 };

class RunKey {
public:
    static constexpr std::uint32_t kTypeString = 1;        // REG_SZ
    static constexpr std::uint32_t kTypeExpandString = 2;  // REG_EXPAND_SZ

    virtual ~RunKey() = default;
    // The value's type and its stored bytes, whatever their size; false when the
    // key cannot be opened in that view or the value is absent.
    virtual bool Query(RegistryView view, const std::u16string& name, std::uint32_t* type,
                       std::vector<std::uint8_t>* data) = 0;
};

}  // namespace launcher
