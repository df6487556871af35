#pragma once
// The clock and the process list of a Linux system.
#include "platform/clock.h"
#include "platform/processes.h"

class LinuxClock : public platform::Clock {
public:
    // Sleeps the whole time even when a signal arrives: a monitor's settling
    // time is not shortened by Ctrl+C.
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t TickCount() override;
};

class LinuxProcesses : public platform::Processes {
public:
    // `procRoot` is "/proc" on a real system.
    explicit LinuxProcesses(std::string procRoot = "/proc") : m_procRoot(std::move(procRoot)) {}
    std::uint32_t OwnProcessId() override;
    // Every numbered folder of /proc with the process's command name.
    bool Snapshot(std::vector<platform::ProcessEntry>* processes) override;

private:
    std::string m_procRoot;
};
