#pragma once
// Libraries loaded on demand come from the system folder only, never from the
// program's own folder or the current one: both programs may run from a folder
// anyone could have copied (the launcher elevated, from a disk), where a library
// of the same name could be planted.
#include <windows.h>

#include "platform/win32/system_library_win32.h"

namespace ui {

// The named library of the system folder, or nullptr.
using platform::LoadSystemLibrary;

// Takes the program's folder and the current folder out of the search for
// libraries loaded by name from now on, also those that system libraries load
// for themselves: only the system folder is searched. Call it first thing, before
// anything can load a library. Windows without SetDefaultDllDirectories (Vista,
// 7 without its update) still drop the current folder. The helpers that system
// libraries load by bare name (version, uxtheme, dwmapi, cryptbase) are loaded
// from the system folder here, so that no later search for them can reach the
// program's folder, whatever the loader's search order.
void RestrictLibrarySearch();

// An export of a library as the function type the caller knows it by.
using platform::LibraryFunction;

}  // namespace ui
