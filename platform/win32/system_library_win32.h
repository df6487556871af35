#pragma once
// Libraries loaded on demand come from the system folder only, never from the
// program's own folder or the current one: both programs may run from a folder
// anyone could have copied (the launcher elevated, from a disk), where a library
// of the same name could be planted.
#include <windows.h>

namespace platform {

// The named library of the system folder, or nullptr.
HMODULE LoadSystemLibrary(const wchar_t* name);

// An export of a library as the function type the caller knows it by; nullptr
// when the library is null or lacks the export.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

}  // namespace platform
