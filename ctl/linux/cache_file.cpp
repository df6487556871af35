#include "ctl/linux/cache_file.h"

#include "ctl/linux/atomic_file.h"

namespace {

// Far more than 32 monitors' capabilities in hexadecimal; a larger file is not
// ours and is not read into memory.
constexpr std::size_t kMaxCacheFileSize = 8u << 20;

}  // namespace

std::string DefaultCacheFilePath(const char* xdgCacheHome, const char* home) {
    std::string folder;
    if (xdgCacheHome != nullptr && xdgCacheHome[0] == '/')
        folder = xdgCacheHome;
    else if (home != nullptr && home[0] == '/')
        folder = std::string(home) + "/.cache";
    else
        return {};
    return folder + "/panelwright/vistrelctl-monitors";
}

std::string FileIdentityCache::Load() {
    if (m_path.empty()) return {};
    return ReadSmallFile(m_path, kMaxCacheFileSize);
}

bool FileIdentityCache::Save(const std::string& text) {
    if (m_path.empty()) return false;
    std::string problem;
    return ReplaceFile(m_path, text, beforeRename, &problem);
}
