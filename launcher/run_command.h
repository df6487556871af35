#pragma once
// Commands that setups register under the machine's Run key, and the shell's
// error codes as the launcher reports them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "launcher/run_key.h"

namespace launcher {

struct RunCommand {
    std::u16string file;
    std::u16string parameters;
};

// Splits a registered command line into program and parameters: a quoted first
// token is the program and the rest its parameters. An unquoted line is cut at
// the longest space-delimited prefix that names an existing file: setups write
// "C:\Program Files\X\x.exe /tray" unquoted, and the launcher runs elevated,
// so a shorter prefix (a planted C:\Program) must never win over the program
// that was registered. This is stricter than the logon start, which tries the
// shortest prefix first. When no prefix names a file, the line is cut at its
// first space and the shell searches for the program as usual.
RunCommand SplitRunCommand(std::u16string_view command,
                           const std::function<bool(const std::u16string&)>& fileExists);

// The text of a Run value, read from the 64-bit view and then the 32-bit one
// (32-bit setups write there). Only string values count; the text ends at its
// first terminator. *expand tells that environment variables must be expanded.
std::optional<std::u16string> ReadRunValue(launcher::RunKey& key, const std::u16string& name,
                                           bool* expand);

// String id of the message for a failed shell call (a result of 32 or less).
unsigned ShellErrorStringId(int shellResult);

// Setup exit codes that mean success: done, done with a restart needed, and
// restart started.
bool SetupSucceeded(unsigned exitCode);

}  // namespace launcher
