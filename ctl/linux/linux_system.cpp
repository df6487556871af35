#include "ctl/linux/linux_system.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

void LinuxClock::Sleep(std::uint32_t milliseconds) {
    timespec left{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

std::uint32_t LinuxClock::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t LinuxProcesses::OwnProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool LinuxProcesses::Snapshot(std::vector<platform::ProcessEntry>* processes) {
    if (processes == nullptr) return false;
    processes->clear();
    std::error_code error;
    std::filesystem::directory_iterator it(m_procRoot, error);
    if (error) return false;
    for (std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) return false;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.size() > 9 ||
            name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        platform::ProcessEntry entry;
        entry.id = static_cast<std::uint32_t>(std::stoul(name));
        std::ifstream comm(it->path() / "comm");
        std::getline(comm, entry.exeFile);
        processes->push_back(entry);
    }
    return true;
}
