#include "ui/system_library.h"

#include <initializer_list>

namespace ui {

void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // kernel32 is in every process already: asking for it loads nothing.
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    auto restrict = kernel != nullptr ? LibraryFunction<SetDefaultDllDirectoriesFn>(
                                            kernel, "SetDefaultDllDirectories")
                                      : nullptr;
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (restrict == nullptr || !restrict(kSearchSystem32)) ::SetDllDirectoryW(L"");
    // System libraries load these helpers later by bare name, and not every
    // loader applies the restriction to such loads (Wine's delay-loads search the
    // program's folder first; so does Vista without SetDefaultDllDirectories).
    // Loaded from the system folder now, each is found already loaded then. They
    // stay loaded for the life of the process; one that is missing is skipped.
    for (const wchar_t* helper :
         {L"version.dll", L"uxtheme.dll", L"dwmapi.dll", L"cryptbase.dll"}) {
        LoadSystemLibrary(helper);
    }
}

}  // namespace ui
