#pragma once
// The progress dialog's view of a running setup.
#include <cstdint>

#include "launcher/launcher_shell.h"

namespace launcher {

enum class SetupState { Running, Succeeded, Failed };

// Polled by the progress dialog's timer. A setup that ended with a failing exit
// code must not be reported as installed.
SetupState PollSetup(launcher::StartedProcess& process, std::uint32_t* exitCode);

}  // namespace launcher
