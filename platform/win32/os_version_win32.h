#pragma once
// The running Windows version and processor architecture from kernel32.
#include "platform/os_version.h"

namespace platform {

class Win32OsVersion final : public OsVersion {
public:
    bool GetVersion(OsVersionInfo* info) override;
    std::uint16_t ProcessorArchitecture() override;
};

}  // namespace platform
