#pragma once
// The running Windows version as the launcher filters its items by it.
#include <cstdint>

namespace platform {

// The fields of OSVERSIONINFOEXW that the programs look at.
struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;  // 2: Windows NT family
    std::uint8_t productType = 0;  // 1: workstation, 2: domain controller, 3: server
};

class OsVersion {
public:
    virtual ~OsVersion() = default;
    // GetVersionExW on an extended version record. False (and the record left
    // zero) when the call fails.
    virtual bool GetVersion(OsVersionInfo* info) = 0;
    // wProcessorArchitecture of the native system: 0 x86, 6 Itanium, 9 x64,
    // 12 ARM64. From GetNativeSystemInfo where kernel32 has it, else GetSystemInfo.
    virtual std::uint16_t ProcessorArchitecture() = 0;
};

}  // namespace platform
