#include "platform/win32/os_version_win32.h"

#include <windows.h>

namespace platform {

static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the extended version record is 284 bytes");

bool Win32OsVersion::GetVersion(OsVersionInfo* info) {
    *info = OsVersionInfo();
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) {
        return false;
    }
    info->majorVersion = version.dwMajorVersion;
    info->minorVersion = version.dwMinorVersion;
    info->buildNumber = version.dwBuildNumber;
    info->platformId = version.dwPlatformId;
    info->productType = version.wProductType;
    return true;
}

std::uint16_t Win32OsVersion::ProcessorArchitecture() {
    // A 32-bit process on a 64-bit system sees its own architecture through
    // GetSystemInfo; the native one needs GetNativeSystemInfo, which systems
    // before XP lack, so it is looked up by name.
    using NativeSystemInfoFunction = void(WINAPI*)(LPSYSTEM_INFO);
    SYSTEM_INFO system = {};
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC address = kernel ? GetProcAddress(kernel, "GetNativeSystemInfo") : nullptr;
    if (address) {
        reinterpret_cast<NativeSystemInfoFunction>(reinterpret_cast<void*>(address))(&system);
    } else {
        GetSystemInfo(&system);
    }
    return system.wProcessorArchitecture;
}

}  // namespace platform
