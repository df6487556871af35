#pragma once
// Which application a window belongs to, by the name the rules use: the upper-case
// base name of its process's executable ("EXPLORER"). The shell's own windows are
// told apart by class, since one explorer process draws the desktop, the taskbar,
// file browsers and picture previews alike.
#include <string>
#include <vector>

#include "platform/foreground.h"
#include "platform/processes.h"

// The controller's own name: its windows never count as an application.
inline constexpr const char* kOwnApplicationName = "VISTRELDDCCI";

// The name under which a window of `application` with class `className` counts:
// explorer's file browsers stay "EXPLORER", its picture preview becomes
// "SHIMGVW"; any other explorer window (desktop, taskbar) gives "". Other
// applications keep their name.
std::string ApplicationForWindowClass(const std::string& application, const std::string& className);

// Executable name of process `processId` from a snapshot, turned into an
// application name; false when the process is not in the snapshot.
bool ApplicationOfProcess(platform::Processes& processes, std::uint32_t processId,
                          std::string* application);

// Applications that have a window fit for the application list, in window order,
// each once (case-insensitive). With a wanted name only that application is
// looked for; without one, windows lacking a system menu do not count either.
std::vector<std::string> RunningApplications(platform::Foreground& windows,
                                             platform::Processes& processes,
                                             const std::string& wanted = std::string());

// Application names compare without regard to case, as the registry keys that
// hold their rules do.
bool SameApplication(const std::string& a, const std::string& b);
