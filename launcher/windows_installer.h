#pragma once
// Windows Installer (msi.dll) as the launcher needs it. The library is loaded
// from the system folder for each call and freed again.
#include <cstdint>
#include <string>

namespace launcher {

class WindowsInstaller {
public:
    // Results beside the Windows error codes the calls return.
    static constexpr int kNoLibrary = -1;
    static constexpr int kNoFunction = -2;

    virtual ~WindowsInstaller() = default;
    virtual bool LibraryLoads() = 0;
    // The most significant 32 bits of msi.dll's file version; 0 when unknown.
    virtual std::uint32_t LibraryVersionMs() = 0;
    // MsiGetProductInfoW with a 128-character value buffer.
    virtual int GetProductInfo(const std::u16string& productCode, const std::u16string& property,
                               std::u16string* value) = 0;
    // MsiConfigureProductW(code, level, state).
    virtual int ConfigureProduct(const std::u16string& productCode, int installLevel,
                                 int installState) = 0;
};

}  // namespace launcher
