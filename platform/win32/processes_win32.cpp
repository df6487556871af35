// The snapshot reports executable names in the ANSI code page, like every other
// string of the controller, even when a UNICODE build includes this file.
#undef UNICODE
#undef _UNICODE
#include "platform/win32/processes_win32.h"

#include <tlhelp32.h>

#include <cstring>

namespace platform {

std::uint32_t Win32Processes::OwnProcessId() {
    if (mainWindow_ != nullptr) {
        DWORD owner = 0;
        // A window that has already been destroyed gives no thread; its id then
        // comes from the process itself, which is the same process.
        if (::GetWindowThreadProcessId(mainWindow_, &owner) != 0 && owner != 0) return owner;
    }
    return ::GetCurrentProcessId();
}

bool Win32Processes::Snapshot(std::vector<ProcessEntry>* processes) {
    if (processes == nullptr) return false;
    processes->clear();
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry;
    std::memset(&entry, 0, sizeof entry);
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry)) {
        ProcessEntry process;
        process.id = entry.th32ProcessID;
        process.exeFile.assign(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
        processes->push_back(process);
        entry.dwSize = sizeof entry;
    }
    ::CloseHandle(snapshot);
    return true;
}

}  // namespace platform
