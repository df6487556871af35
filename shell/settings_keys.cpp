#include "shell/settings_keys.h"

#include <cctype>

namespace shell {

int NextPage(int current, bool backwards) {
    if (current < 0 || current >= kPageCount) current = 0;
    return backwards ? (current + kPageCount - 1) % kPageCount : (current + 1) % kPageCount;
}

char MnemonicOf(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

bool ReadKeepOnTop(CRegistry& registry) {
    std::uint32_t noTopmost = 0;
    if (!registry.ReadDword("NoTopmost", &noTopmost, kVistrelRootKey)) return true;
    return noTopmost == 0;
}

bool StoreKeepOnTop(CRegistry& registry, bool keepOnTop) {
    registry.WriteDword("NoTopmost", keepOnTop ? 0 : 1, kVistrelRootKey);
    return keepOnTop;
}

}  // namespace shell
