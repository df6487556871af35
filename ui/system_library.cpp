#include "ui/system_library.h"

#include <string>

namespace ui {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return ::LoadLibraryW(path.c_str());
}

void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // kernel32 is in every process already: asking for it loads nothing.
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    auto restrict = kernel != nullptr ? LibraryFunction<SetDefaultDllDirectoriesFn>(
                                            kernel, "SetDefaultDllDirectories")
                                      : nullptr;
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (restrict == nullptr || !restrict(kSearchSystem32)) ::SetDllDirectoryW(L"");
}

}  // namespace ui
