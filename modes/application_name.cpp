#include "modes/application_name.h"

#include <algorithm>

#include "monitor/access/owner.h"

namespace {

char Folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsOwnOrHelper(const std::string& application) {
    // rundll32 hosts control panel applets and the like: no application of its own.
    return application == kOwnApplicationName || application == "RUNDLL32";
}

}  // namespace

bool SameApplication(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Folded(x) == Folded(y);
           });
}

std::string ApplicationForWindowClass(const std::string& application,
                                      const std::string& className) {
    if (application != "EXPLORER") return application;
    if (className == "ExploreWClass" || className == "CabinetWClass") return application;
    if (className == "ShImgVw:CPreviewWnd") return "SHIMGVW";
    return std::string();
}

bool ApplicationOfProcess(platform::Processes& processes, std::uint32_t processId,
                          std::string* application) {
    std::vector<platform::ProcessEntry> running;
    if (application == nullptr || !processes.Snapshot(&running)) return false;
    for (const platform::ProcessEntry& process : running) {
        if (process.id != processId) continue;
        *application = OwnerProgramName(process.exeFile);
        return true;
    }
    return false;
}

std::vector<std::string> RunningApplications(platform::Foreground& windows,
                                             platform::Processes& processes,
                                             const std::string& wanted) {
    std::vector<std::string> found;
    std::vector<platform::ProcessEntry> running;
    if (!processes.Snapshot(&running)) return found;
    for (const platform::TopLevelWindow& window : windows.TopLevelWindows()) {
        if (!window.visible) continue;
        if (wanted.empty() && !window.hasSystemMenu) continue;
        const std::uint32_t processId = windows.ProcessOf(window.window);
        auto process =
            std::find_if(running.begin(), running.end(),
                         [&](const platform::ProcessEntry& p) { return p.id == processId; });
        if (process == running.end()) continue;
        const std::string application = ApplicationForWindowClass(
            OwnerProgramName(process->exeFile), windows.ClassName(window.window));
        if (application.empty() || IsOwnOrHelper(application)) continue;
        if (!wanted.empty() && !SameApplication(application, wanted)) continue;
        const bool listed = std::any_of(found.begin(), found.end(), [&](const std::string& name) {
            return SameApplication(name, application);
        });
        if (!listed) found.push_back(application);
    }
    return found;
}
