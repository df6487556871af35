#pragma once
// The OS filter: one bit per Windows family and word size. The running system
// maps to one bit; an item lists the systems it supports as a set of bits.
#include <cstdint>
#include <string_view>

#include "platform/os_version.h"

namespace launcher {

inline constexpr std::uint32_t kOs2000 = 0x001;
inline constexpr std::uint32_t kOsXp32 = 0x002;
inline constexpr std::uint32_t kOsXp64 = 0x004;
inline constexpr std::uint32_t kOsVista32 = 0x008;
inline constexpr std::uint32_t kOsVista64 = 0x010;
inline constexpr std::uint32_t kOsServer2003_32 = 0x020;
inline constexpr std::uint32_t kOsServer2003_64 = 0x040;
inline constexpr std::uint32_t kOsServer2008_32 = 0x080;
inline constexpr std::uint32_t kOsServer2008_64 = 0x100;
inline constexpr std::uint32_t kOs7_32 = 0x200;
inline constexpr std::uint32_t kOs7_64 = 0x400;
// Every known system except Windows 2000.
inline constexpr std::uint32_t kOsXpOrLaterMask = 0x7FE;

inline constexpr std::uint16_t kArchitectureX86 = 0;
inline constexpr std::uint16_t kArchitectureItanium = 6;
inline constexpr std::uint16_t kArchitectureX64 = 9;

inline constexpr std::uint8_t kProductWorkstation = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

// The bits of one OS keyword of the information file; 0 for an unknown one.
std::uint32_t OsKeywordBits(std::u16string_view keyword);

// The one-bit mask of a system, 0 when it is older than Windows 2000.
std::uint32_t OsMaskFromVersion(std::uint32_t majorVersion, std::uint32_t minorVersion,
                                std::uint8_t productType, std::uint16_t architecture);

// Queries the system on every call: the mask of the running system.
std::uint32_t GetRunningOsMask(platform::OsVersion& os);
bool IsXpOrLater(platform::OsVersion& os);
bool IsNtPlatform(platform::OsVersion& os);

}  // namespace launcher
