#include "launcher_driver.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

std::wstring Env(const wchar_t* name) {
    wchar_t value[2048] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, 2048);
    return length > 0 && length < 2048 ? std::wstring(value, length) : std::wstring();
}

struct Search {
    DWORD process;
    HWND exclude1;
    HWND exclude2;
    HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != search->process || window == search->exclude1 || window == search->exclude2)
        return TRUE;
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
}

}  // namespace

Launcher::~Launcher() {
    Kill();
    if (m_process.hProcess != nullptr) ::CloseHandle(m_process.hProcess);
    if (m_process.hThread != nullptr) ::CloseHandle(m_process.hThread);
}

bool Launcher::Start(const std::wstring& path) {
    const std::wstring program = path.empty() ? DiskPath() + L"\\launcher.exe" : path;
    const std::wstring folder = program.substr(0, program.rfind(L'\\') + 1);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &m_process)) {
        return false;
    }
    WaitUntilPumping(15000, [&] {
        Search search{m_process.dwProcessId, nullptr, nullptr, nullptr};
        ::EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
        m_main = search.found;
        return m_main != nullptr && ::GetDlgItem(m_main, 1004) != nullptr;
    });
    return m_main != nullptr;
}

bool Launcher::Running() const {
    return m_process.hProcess != nullptr &&
           ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Launcher::WaitForExit(DWORD milliseconds) const {
    return WaitUntilPumping(milliseconds, [&] { return !Running(); });
}

void Launcher::Kill() {
    if (Running()) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
}

HWND Launcher::VisiblePage() const {
    for (HWND child = ::GetWindow(Tab(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child)) return child;
    }
    return nullptr;
}

void Launcher::SelectTab(int index) const {
    // A focus change on a tab strip without buttons selects the tab and sends
    // the same notifications as a click.
    ::SendMessageW(Tab(), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

void Launcher::ClickLink(int position) const {
    HWND page = VisiblePage();
    HWND link = ::GetDlgItem(page, 1012 + position);
    RECT rect{};
    ::GetWindowRect(link, &rect);
    const POINT target{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::SetCursorPos(target.x, target.y);
    // The launcher takes a click only where the pointer is, and under Wine it
    // asks the X server, which may not have moved the pointer yet: wait until
    // the move can be seen.
    WaitUntilPumping(kReactionDeadline, [&] {
        POINT now{};
        return ::GetCursorPos(&now) && now.x == target.x && now.y == target.y;
    });
    ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(1012 + position, STN_CLICKED),
                   reinterpret_cast<LPARAM>(link));
}

HWND Launcher::WaitForDialog(DWORD milliseconds, HWND other) const {
    HWND found = nullptr;
    WaitUntilPumping(milliseconds, [&] {
        Search search{m_process.dwProcessId, m_main, other, nullptr};
        ::EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
    });
    return found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 3000, &length);
    return std::wstring(text);
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

std::wstring MessageBoxText(HWND box) {
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::vector<std::wstring> TabItems(HANDLE process, HWND tab) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    // The item record and its text buffer must live in the launcher's memory.
    const SIZE_T size = sizeof(TCITEMW) + 256 * sizeof(wchar_t);
    void* remote = ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr) return texts;
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TCITEMW));
        item.cchTextMax = 256;
        ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
        wchar_t text[256] = {};
        ::ReadProcessMemory(process, item.pszText, text, sizeof text - sizeof(wchar_t), nullptr);
        texts.emplace_back(text);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return texts;
}

std::wstring DiskPath() {
    return Env(L"E2E_DISK_DOS");
}

std::vector<std::wstring> RecordedStarts() {
    std::vector<std::wstring> lines;
    const std::wstring path = Env(L"E2E_WORK_DOS") + L"\\recorder.log";
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          length);
    std::wstringstream stream(text);
    std::wstring line;
    while (std::getline(stream, line)) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

void ClearRecordedStarts() {
    ::DeleteFileW((Env(L"E2E_WORK_DOS") + L"\\recorder.log").c_str());
}

void RegisterRecorder() {
    const std::wstring recorder = L"\"" + DiskPath() + L"\\Tools\\recorder.exe\"";
    const std::wstring open = recorder + L" \"%1\"";
    // Documents of every kind an item may open, folders and web addresses: what
    // the launcher opens is then recorded, and a test can see that it opened
    // nothing. Wine reads these from HKCR only.
    for (const wchar_t* extension : {L".pdf", L".txt", L".htm"}) {
        const std::wstring type = std::wstring(L"LauncherE2E") + extension;
        SetString(HKEY_CLASSES_ROOT, extension, nullptr, type);
        SetString(HKEY_CLASSES_ROOT, type + L"\\shell\\open\\command", nullptr, open);
    }
    for (const wchar_t* type : {L"Folder", L"Directory", L"http", L"https"}) {
        SetString(HKEY_CLASSES_ROOT, std::wstring(type) + L"\\shell\\open\\command", nullptr, open);
        // Wine opens folders through DDE first, which would bypass the command.
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT,
                        (std::wstring(type) + L"\\shell\\open\\ddeexec\\Application").c_str());
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT,
                        (std::wstring(type) + L"\\shell\\open\\ddeexec\\Topic").c_str());
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT,
                        (std::wstring(type) + L"\\shell\\open\\ddeexec").c_str());
    }
    SetString(HKEY_LOCAL_MACHINE, kRunKey, L"LauncherE2E", recorder + L" /from-run");
    SetString(HKEY_LOCAL_MACHINE, kRunKey, L"LauncherE2E2", recorder + L" /from-run-b");
}

void UnregisterRecorder() {
    HKEY run = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        ::RegDeleteValueW(run, L"LauncherE2E");
        ::RegDeleteValueW(run, L"LauncherE2E2");
        ::RegCloseKey(run);
    }
}

}  // namespace e2e
