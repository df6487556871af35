#pragma once
// Where vistrelctl keeps what it learned of the monitors on Windows:
// %LOCALAPPDATA%\Panelwright\vistrelctl-monitors. The local, not the roaming,
// application data: the monitors are this machine's, and everything in the
// file can be asked of them again. Not the controller's registry tree, whose
// values are the controller's settings.
#include <string>

#include "ctl/identity_cache.h"

class WinIdentityCacheFile : public IdentityCacheFile {
public:
    // The file under %LOCALAPPDATA%; no file (nothing kept) when that is unknown.
    WinIdentityCacheFile();
    std::string Load() override;
    // Written to a temporary file beside it, flushed, and moved over it.
    bool Save(const std::string& text) override;

private:
    std::wstring m_path;
};
