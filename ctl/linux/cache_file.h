#pragma once
// Where vistrelctl keeps what it learned of the monitors on Linux: a cache in
// the XDG sense, since everything in it can be asked of the monitors again.
#include <functional>
#include <string>

#include "ctl/identity_cache.h"

// $XDG_CACHE_HOME/panelwright/vistrelctl-monitors, with ~/.cache when the
// variable is unset or not an absolute path. Empty when neither is known.
std::string DefaultCacheFilePath(const char* xdgCacheHome, const char* home);

class FileIdentityCache : public IdentityCacheFile {
public:
    explicit FileIdentityCache(std::string path) : m_path(std::move(path)) {}
    std::string Load() override;
    bool Save(const std::string& text) override;

    // Called between the temporary file's flush and its rename.
    std::function<void()> beforeRename;

private:
    std::string m_path;
};
