#include "launcher/os_mask.h"

namespace launcher {
namespace {

struct OsKeyword {
    std::u16string_view keyword;
    std::uint32_t bits;
};

// A family name without a word size stands for both sizes.
constexpr OsKeyword kOsKeywords[] = {
    {u"2000", kOs2000},
    {u"XP", kOsXp32 | kOsXp64},
    {u"XP_32", kOsXp32},
    {u"XP_64", kOsXp64},
    {u"Vista", kOsVista32 | kOsVista64},
    {u"Vista_32", kOsVista32},
    {u"Vista_64", kOsVista64},
    {u"Server2003", kOsServer2003_32 | kOsServer2003_64},
    {u"Server2003_32", kOsServer2003_32},
    {u"Server2003_64", kOsServer2003_64},
    {u"Server2008", kOsServer2008_32 | kOsServer2008_64},
    {u"Server2008_32", kOsServer2008_32},
    {u"Server2008_64", kOsServer2008_64},
    {u"7", kOs7_32 | kOs7_64},
    {u"7_32", kOs7_32},
    {u"7_64", kOs7_64},
};

}  // namespace

std::uint32_t OsKeywordBits(std::u16string_view keyword) {
    for (const OsKeyword& entry : kOsKeywords) {
        if (entry.keyword == keyword) {
            return entry.bits;
        }
    }
    return 0;
}

std::uint32_t OsMaskFromVersion(std::uint32_t majorVersion, std::uint32_t minorVersion,
                                std::uint8_t productType, std::uint16_t architecture) {
    const bool workstation = productType == kProductWorkstation;
    std::uint32_t mask = 0;
    // Every version after 6.0 belongs to the "7 and later" and "Server 2008 and
    // later" families, whatever its minor number: a 10.0 must not pass for Vista.
    // Without a manifest that names them, those systems report 6.2 and land
    // here anyway, so a disk file sees one answer whichever version it is told.
    if (majorVersion > 6 || (majorVersion == 6 && minorVersion > 0)) {
        mask = workstation ? kOs7_32 : kOsServer2008_32;
    } else if (majorVersion == 6) {
        mask = workstation ? kOsVista32 : kOsServer2008_32;
    } else if (majorVersion == 5 && minorVersion > 1) {
        // 5.2 is both XP x64 and Server 2003; only a 64-bit workstation is XP.
        mask = (workstation && architecture == kArchitectureX64) ? kOsXp64 : kOsServer2003_32;
    } else if (majorVersion == 5 && minorVersion > 0) {
        mask = kOsXp32;
    } else if (majorVersion == 5) {
        mask = kOs2000;
    }
    // The 32-bit bit of each later family becomes its 64-bit bit; the XP and
    // Windows 2000 results already say everything.
    if (mask > kOsXp64 &&
        (architecture == kArchitectureX64 || architecture == kArchitectureItanium)) {
        mask <<= 1;
    }
    return mask;
}

std::uint32_t GetRunningOsMask(platform::OsVersion& os) {
    platform::OsVersionInfo version;
    if (!os.GetVersion(&version)) {
        version = platform::OsVersionInfo();
    }
    const std::uint16_t architecture = os.ProcessorArchitecture();
    return OsMaskFromVersion(version.majorVersion, version.minorVersion, version.productType,
                             architecture);
}

bool IsXpOrLater(platform::OsVersion& os) {
    return (GetRunningOsMask(os) & kOsXpOrLaterMask) != 0;
}

bool IsNtPlatform(platform::OsVersion& os) {
    platform::OsVersionInfo version;
    return os.GetVersion(&version) && version.platformId == kPlatformNt;
}

}  // namespace launcher
