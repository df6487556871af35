#pragma once
// Processes as the programs need them: their own id and a snapshot of the
// running processes with their executable names.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ProcessEntry {
    std::uint32_t id = 0;
    std::string exeFile;  // szExeFile as the snapshot reports it
};

class Processes {
public:
    virtual ~Processes() = default;
    // Id of the process that owns the program's main window (GetWindowThreadProcessId).
    virtual std::uint32_t OwnProcessId() = 0;
    // CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS) walked with Process32First/Next;
    // the snapshot handle is closed before returning. False when no snapshot could be taken.
    virtual bool Snapshot(std::vector<ProcessEntry>* processes) = 0;
};

}  // namespace platform
