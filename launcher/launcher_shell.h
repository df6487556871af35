#pragma once
// The shell as the launcher uses it: opening files, folders and addresses,
// starting setup programs it can watch, and closing other programs' windows.
// Windows are passed as their handle value; 0 is no owner.
#include <cstdint>
#include <memory>
#include <string>

namespace launcher {

using WindowRef = std::uintptr_t;

// A process the launcher started. Dropping the object closes the handle; the
// process itself runs on.
class StartedProcess {
public:
    virtual ~StartedProcess() = default;
    // True once the process has ended (a handle that can no longer be waited on
    // counts as ended).
    virtual bool HasEnded() = 0;
    // The exit code once the process has ended; false while it runs.
    virtual bool ExitCode(std::uint32_t* code) = 0;
};

// Whether the shell may show its own message when a call fails. Where the
// launcher reports the failure itself, a second box from the shell for the same
// missing file would only confuse.
enum class ShellUi { Quiet, ShellReports };

class LauncherShell {
public:
    virtual ~LauncherShell() = default;
    // Opens or starts the file with SW_SHOWNORMAL; empty strings are passed as
    // null. The instance result: above 32 is success, 32 or less a shell error code.
    virtual int Execute(WindowRef owner, const std::u16string& verb, const std::u16string& file,
                        const std::u16string& parameters, const std::u16string& directory,
                        ShellUi ui) = 0;
    // FindExecutableW into a 260-character buffer: the same result convention.
    virtual int FindProgram(const std::u16string& path) = 0;
    // ShellExecuteExW keeping the process handle, the shell quiet (every failure
    // is reported by the launcher). The instance result as above;
    // *process is set only on success and may stay empty when the shell handed
    // the file to a program that was already running.
    virtual int Start(WindowRef owner, const std::u16string& file, const std::u16string& parameters,
                      const std::u16string& directory,
                      std::unique_ptr<StartedProcess>* process) = 0;
    // Asks the first top-level window whose title is exactly title to close,
    // unless it belongs to this process; a window that does not answer within
    // a few seconds is left alone. False when none was asked.
    virtual bool CloseWindowTitled(const std::u16string& title) = 0;
    virtual bool FileExists(const std::u16string& path) = 0;
    // ExpandEnvironmentStringsW; the text unchanged when it cannot be expanded.
    virtual std::u16string ExpandEnvironment(const std::u16string& text) = 0;
};

}  // namespace launcher
