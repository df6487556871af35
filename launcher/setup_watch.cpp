#include "launcher/setup_watch.h"

#include "launcher/run_command.h"

namespace launcher {

SetupState PollSetup(launcher::StartedProcess& process, std::uint32_t* exitCode) {
    if (!process.HasEnded()) return SetupState::Running;
    std::uint32_t code = 0;
    // An ended process whose code cannot be read is taken as finished: the
    // launcher cannot know better and must not wait for ever.
    if (!process.ExitCode(&code)) return SetupState::Succeeded;
    if (exitCode != nullptr) *exitCode = code;
    return SetupSucceeded(code) ? SetupState::Succeeded : SetupState::Failed;
}

}  // namespace launcher
