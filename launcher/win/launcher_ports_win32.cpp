#include "launcher/win/launcher_ports_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "launcher/win/wide_text.h"
#include "ui/gdi.h"
#include "ui/system_library.h"

namespace {

// The shell, loaded from the system folder at its first use rather than imported:
// it brings a dozen libraries with it that the window does not need to come up.
HMODULE Shell() {
    static const HMODULE shell = ui::LoadSystemLibrary(L"shell32.dll");
    return shell;
}

BOOL ShellExecuteExCall(SHELLEXECUTEINFOW* info) {
    using Call = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    static const auto call = ui::LibraryFunction<Call>(Shell(), "ShellExecuteExW");
    if (call == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return call(info);
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

class Win32StartedProcess final : public launcher::StartedProcess {
public:
    explicit Win32StartedProcess(HANDLE process) : process_(process) {}
    ~Win32StartedProcess() override { ::CloseHandle(process_); }
    bool HasEnded() override { return ::WaitForSingleObject(process_, 0) != WAIT_TIMEOUT; }
    bool ExitCode(std::uint32_t* code) override {
        DWORD exitCode = 0;
        if (!HasEnded() || !::GetExitCodeProcess(process_, &exitCode)) return false;
        *code = exitCode;
        return true;
    }

private:
    HANDLE process_;
};

struct TitleSearch {
    const std::wstring* title;
    DWORD ownProcess;
    HWND found;
};

BOOL CALLBACK FindTitledWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TitleSearch*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search->ownProcess) return TRUE;
    const int length = ::GetWindowTextLengthW(window);
    if (length != static_cast<int>(search->title->size())) return TRUE;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    if (text != *search->title) return TRUE;
    search->found = window;
    return FALSE;
}

// The extended call's answer in ShellExecuteW's terms: above 32 success, else
// the shell's error code.
int InstanceResult(BOOL ok, const SHELLEXECUTEINFOW& info) {
    int result =
        static_cast<int>(std::min<INT_PTR>(reinterpret_cast<INT_PTR>(info.hInstApp), 0x7FFFFFFF));
    if (ok) return result > 32 ? result : 33;
    // Newer shells may leave the instance result unset on failure; the error
    // code then says what went wrong (its low values match the shell's).
    if (result > 32 || result == 0) {
        const DWORD error = ::GetLastError();
        result = error > 0 && error <= 32 ? static_cast<int>(error) : 0;
    }
    return result;
}

}  // namespace

int Win32LauncherShell::Execute(launcher::WindowRef owner, const std::u16string& verb,
                                const std::u16string& file, const std::u16string& parameters,
                                const std::u16string& directory, launcher::ShellUi ui) {
    const std::wstring v = Wide(verb), f = Wide(file), p = Wide(parameters), d = Wide(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // ShellExecuteW cannot be asked to stay quiet; the extended call can.
    info.fMask = ui == launcher::ShellUi::Quiet ? SEE_MASK_FLAG_NO_UI : 0;
    info.hwnd = reinterpret_cast<HWND>(owner);
    info.lpVerb = OrNull(v);
    info.lpFile = f.c_str();
    info.lpParameters = OrNull(p);
    info.lpDirectory = OrNull(d);
    info.nShow = SW_SHOWNORMAL;
    const BOOL ok = ShellExecuteExCall(&info);
    return InstanceResult(ok, info);
}

int Win32LauncherShell::FindProgram(const std::u16string& path) {
    wchar_t program[MAX_PATH] = {};
    const std::wstring p = Wide(path);
    using Call = HINSTANCE(WINAPI*)(LPCWSTR, LPCWSTR, LPWSTR);
    static const auto find = ui::LibraryFunction<Call>(Shell(), "FindExecutableW");
    // Without the shell no program is found for anything.
    const HINSTANCE result = find != nullptr ? find(p.c_str(), nullptr, program)
                                             : reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
    return static_cast<int>(std::min<INT_PTR>(reinterpret_cast<INT_PTR>(result), 0x7FFFFFFF));
}

int Win32LauncherShell::Start(launcher::WindowRef owner, const std::u16string& file,
                              const std::u16string& parameters, const std::u16string& directory,
                              std::unique_ptr<launcher::StartedProcess>* process) {
    const std::wstring f = Wide(file), p = Wide(parameters), d = Wide(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = reinterpret_cast<HWND>(owner);
    info.lpFile = f.c_str();
    info.lpParameters = p.c_str();
    info.lpDirectory = OrNull(d);
    info.nShow = SW_SHOWNORMAL;
    const BOOL ok = ShellExecuteExCall(&info);
    const int result = InstanceResult(ok, info);
    if (!ok) {
        if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
        return result;
    }
    if (info.hProcess != nullptr) *process = std::make_unique<Win32StartedProcess>(info.hProcess);
    return result;
}

bool Win32LauncherShell::CloseWindowTitled(const std::u16string& title) {
    const std::wstring wanted = Wide(title);
    TitleSearch search{&wanted, ::GetCurrentProcessId(), nullptr};
    ::EnumWindows(FindTitledWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    DWORD_PTR answer = 0;
    // A hung program must not hang the launcher with it.
    ::SendMessageTimeoutW(search.found, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 5000,
                          &answer);
    return true;
}

bool Win32LauncherShell::FileExists(const std::u16string& path) {
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::u16string Win32LauncherShell::ExpandEnvironment(const std::u16string& text) {
    const std::wstring source = Wide(text);
    const DWORD needed = ::ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::wstring expanded(needed, L'\0');
    const DWORD written = ::ExpandEnvironmentStringsW(source.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) return text;
    expanded.resize(written - 1);
    return Utf16(expanded);
}

bool Win32WindowsInstaller::LibraryLoads() {
    return static_cast<bool>(ui::Module(ui::LoadSystemLibrary(L"msi.dll")));
}

std::uint32_t Win32WindowsInstaller::LibraryVersionMs() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    const std::wstring path = std::wstring(folder, length) + L"\\msi.dll";
    // The version library is not one that Windows always takes from the system
    // folder: imported, a copy beside the launcher would load with it.
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    const ui::Module library(ui::LoadSystemLibrary(L"version.dll"));
    if (!library) return 0;
    auto size = ui::LibraryFunction<SizeFn>(library.Get(), "GetFileVersionInfoSizeW");
    auto info = ui::LibraryFunction<InfoFn>(library.Get(), "GetFileVersionInfoW");
    auto query = ui::LibraryFunction<QueryFn>(library.Get(), "VerQueryValueW");
    std::uint32_t version = 0;
    DWORD handle = 0;
    const DWORD bytes =
        size != nullptr && info != nullptr && query != nullptr ? size(path.c_str(), &handle) : 0;
    if (bytes != 0) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedSize = 0;
        if (info(path.c_str(), 0, bytes, buffer.data()) &&
            query(buffer.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
            fixed != nullptr && fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
            version = fixed->dwFileVersionMS;
        }
    }
    return version;
}

int Win32WindowsInstaller::GetProductInfo(const std::u16string& productCode,
                                          const std::u16string& property, std::u16string* value) {
    using GetProductInfoW = UINT(WINAPI*)(LPCWSTR, LPCWSTR, LPWSTR, LPDWORD);
    const ui::Module library(ui::LoadSystemLibrary(L"msi.dll"));
    if (!library) return kNoLibrary;
    auto call = ui::LibraryFunction<GetProductInfoW>(library.Get(), "MsiGetProductInfoW");
    int result = kNoFunction;
    if (call != nullptr) {
        wchar_t buffer[128] = {};
        DWORD length = 128;
        result = static_cast<int>(
            call(Wide(productCode).c_str(), Wide(property).c_str(), buffer, &length));
        if (result == 0 && value != nullptr) *value = Utf16(buffer);
    }
    return result;
}

int Win32WindowsInstaller::ConfigureProduct(const std::u16string& productCode, int installLevel,
                                            int installState) {
    using ConfigureProductW = UINT(WINAPI*)(LPCWSTR, int, int);
    const ui::Module library(ui::LoadSystemLibrary(L"msi.dll"));
    if (!library) return kNoLibrary;
    auto call = ui::LibraryFunction<ConfigureProductW>(library.Get(), "MsiConfigureProductW");
    return call != nullptr
               ? static_cast<int>(call(Wide(productCode).c_str(), installLevel, installState))
               : kNoFunction;
}

bool Win32RunKey::Query(launcher::RegistryView view, const std::u16string& name,
                        std::uint32_t* type, std::vector<std::uint8_t>* data) {
    REGSAM access = KEY_READ;
    if (view == launcher::RegistryView::Wow64_64) access |= KEY_WOW64_64KEY;
    if (view == launcher::RegistryView::Wow64_32) access |= KEY_WOW64_32KEY;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                        access, &key) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring valueName = Wide(name);
    bool ok = false;
    // The value may change between asking its size and reading it.
    for (int attempt = 0; attempt < 3 && !ok; ++attempt) {
        DWORD valueType = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &valueType, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        data->assign(size, 0);
        const LONG status =
            ::RegQueryValueExW(key, valueName.c_str(), nullptr, &valueType, data->data(), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
        data->resize(size);
        *type = valueType;
        ok = true;
    }
    ::RegCloseKey(key);
    return ok;
}
