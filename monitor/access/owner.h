#pragma once
// The owner register (VCP 0xE0) holds the process id of the program that is
// using the maker's registers of a monitor, 0 when free.
#include <cstdint>
#include <string>

#include "platform/processes.h"

// DDC/CI carries 16-bit values, so only the low 16 bits of a process id ever
// reach the monitor and come back; ids are written and compared in that domain.
constexpr std::uint32_t kOwnerValueMask = 0xFFFF;

// Executable base name without folder and extension, upper case: the name by
// which another copy of this program is recognised ("VISTRELDDCCI").
std::string OwnerProgramName(const std::string& exeFile);

// The program whose copies may take over each other's claims: the controller
// runs once per session, so a copy found in the register is a leftover of another
// session or an earlier run.
inline constexpr char kControllerProgramName[] = "VISTRELDDCCI";

// Whether the owner found in the register may be replaced by this program: a
// free register, an owner that has exited, or another copy of `program` (no
// copy at all when `program` is empty). Anything that might be a different
// running program keeps the monitor.
bool IsReplaceableOwner(platform::Processes& processes, std::uint32_t ownerValue,
                        const std::string& program = kControllerProgramName);
