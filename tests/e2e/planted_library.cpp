// A library planted on a test disk under the names of system libraries
// (version.dll, msi.dll, uxtheme.dll, dwmapi.dll, cryptbase.dll): when any
// process loads it, it appends a line to planted-loads.txt beside itself: its
// own path, the program's, and whether a search by bare name still reaches the
// folder it lies in ("open") or the process has restricted the search to the
// system folder ("restricted"), found by loading its own file, planted.dll, by
// bare name (loaded under that name it records nothing). It exports nothing and
// does nothing else.
#include <windows.h>

namespace {

// Whether a library is still found beside the program by bare name.
const char* SearchState() {
    HMODULE found = ::LoadLibraryW(L"planted.dll");
    if (found == nullptr) return "restricted";
    ::FreeLibrary(found);
    return "open";
}

void RecordLoad(HINSTANCE self) {
    wchar_t library[MAX_PATH] = {};
    wchar_t program[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(self, library, MAX_PATH);
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const wchar_t* name = library;
    for (const wchar_t* c = library; *c != L'\0'; ++c) {
        if (*c == L'\\') name = c + 1;
    }
    if (::lstrcmpiW(name, L"planted.dll") == 0) return;
    wchar_t log[MAX_PATH + 32] = {};
    ::lstrcpyW(log, library);
    ::lstrcpyW(log + (name - library), L"planted-loads.txt");
    HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char line[2 * MAX_PATH + 24] = {};
    int used = ::WideCharToMultiByte(CP_UTF8, 0, library, -1, line, MAX_PATH, nullptr, nullptr);
    if (used > 0) {
        line[used - 1] = ' ';
        const int more =
            ::WideCharToMultiByte(CP_UTF8, 0, program, -1, line + used, MAX_PATH, nullptr, nullptr);
        if (more > 0) {
            used += more;
            line[used - 1] = ' ';
            used += ::lstrlenA(::lstrcpyA(line + used, SearchState()));
            line[used++] = '\n';
            DWORD written = 0;
            ::WriteFile(file, line, static_cast<DWORD>(used), &written, nullptr);
        }
    }
    ::CloseHandle(file);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) RecordLoad(self);
    return TRUE;
}
