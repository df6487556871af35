#pragma once
// The adjustment sets of vistrelctl on Linux: one text file, a set per line as
// its name, a tab and its 172-byte record in hexadecimal (the record the
// controller keeps in the registry). The file is replaced as a whole (written
// to a temporary file beside it, flushed to disk, renamed over it), so a crash
// or a kill leaves either the old file or the new one, never half of one.
#include <functional>
#include <string>
#include <vector>

#include "ctl/set_store.h"

// $XDG_CONFIG_HOME/panelwright/vistrelctl-sets, with ~/.config when the
// variable is unset or not an absolute path. Empty when neither is known.
std::string DefaultSetFilePath(const char* xdgConfigHome, const char* home);

class FileSetStore : public SetStore {
public:
    explicit FileSetStore(std::string path) : m_path(std::move(path)) {}

    std::vector<std::string> Names() override;
    bool Read(const std::string& name, AdjustmentData* data) override;
    bool Write(const std::string& name, const AdjustmentData& data, std::string* problem) override;
    bool Delete(const std::string& name, std::string* problem) override;

    // Called between the temporary file's flush and its rename; tests stop the
    // process there.
    std::function<void()> beforeRename;

private:
    struct Line {
        std::string name;  // empty: a line that is not a set, kept as it was
        std::string text;
    };
    std::vector<Line> Load() const;
    bool Save(const std::vector<Line>& lines, std::string* problem);

    std::string m_path;
};
