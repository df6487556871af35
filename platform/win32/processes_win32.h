#pragma once
// Processes through user32 and the tool-help snapshot of kernel32.
#include <windows.h>

#include "platform/processes.h"

namespace platform {

class Win32Processes final : public Processes {
public:
    // The program registers its main window once it exists; its owner is the
    // process id written into the monitors' owner register. Pass nullptr when the
    // window goes away.
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    std::uint32_t OwnProcessId() override;
    bool Snapshot(std::vector<ProcessEntry>* processes) override;

private:
    HWND mainWindow_ = nullptr;
};

}  // namespace platform
