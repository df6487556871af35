#include "monitor/access/owner.h"

#include <vector>

std::string OwnerProgramName(const std::string& exeFile) {
    std::string name = exeFile;
    const std::size_t slash = name.rfind('\\');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

bool IsReplaceableOwner(platform::Processes& processes, std::uint32_t ownerValue,
                        const std::string& program) {
    const std::uint32_t owner = ownerValue & kOwnerValueMask;
    if (owner == 0) return true;

    // Without a process list nobody can tell whether the owner still runs; the
    // monitor stays with it rather than being taken from a program that may be
    // in the middle of a transaction. That holds even for an owner that has long
    // exited: the claim fails now, and a later one with a working snapshot takes
    // the monitor over.
    std::vector<platform::ProcessEntry> running;
    if (!processes.Snapshot(&running)) return false;

    // The register only holds 16 bits, so several running processes may fit the
    // value. The monitor is taken over only when none of them can be another
    // program: each must be this process or another copy of this program.
    const std::uint32_t self = processes.OwnProcessId();
    for (const platform::ProcessEntry& process : running) {
        if ((process.id & kOwnerValueMask) != owner) continue;
        if (process.id == self) continue;
        if (program.empty() || OwnerProgramName(process.exeFile) != program) return false;
    }
    return true;
}
