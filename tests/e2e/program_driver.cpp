#include "program_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

std::string Env(const char* name) {
    char value[4096] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Linux paths from the test script become paths on Wine's Z: drive.
std::string DosPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return "Z:" + path;
}

std::string InstallFilterSamples() {
    char common[MAX_PATH] = {};
    ::GetEnvironmentVariableA("ProgramData", common, MAX_PATH);
    std::string folder = std::string(common) + "\\Orvex";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\Panelwright Pro for LCD (DDCCI)";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\";
    const std::string samples = DosPath(Env("E2E_FILTER_SAMPLES")) + "\\data\\";
    for (const char* name : {"DefFilter.xml", "amber.bmp", "forest.jpg", "dusk.png"}) {
        if (!::CopyFileA((samples + name).c_str(), (folder + name).c_str(), FALSE))
            return std::string();
    }
    return folder;
}

namespace {

struct FindContext {
    DWORD processId;
    HWND found;
    const char* className;
    const std::wstring* caption;
    int controlId = 0;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter) {
    auto* context = reinterpret_cast<FindContext*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != context->processId) return TRUE;
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (context->className != nullptr && std::string(className) != context->className) return TRUE;
    if (context->caption != nullptr) {
        wchar_t caption[256] = {};
        ::GetWindowTextW(window, caption, 256);
        if (*context->caption != caption) return TRUE;
    }
    if (context->controlId != 0 &&
        (!::IsWindowVisible(window) || ::GetDlgItem(window, context->controlId) == nullptr))
        return TRUE;
    context->found = window;
    return FALSE;
}

}  // namespace

std::string ProgramPath() {
    return DosPath(Env("E2E_PROGRAM"));
}

bool PrepareFreshState(const std::string& testName, const std::string& configFile) {
    const std::string work = DosPath(Env("E2E_WORK")) + "\\" + testName;
    ::CreateDirectoryA(work.c_str(), nullptr);
    const std::string source = DosPath(Env("E2E_CONFIG_DIR")) + "\\" + configFile;
    const std::string target = work + "\\desk.json";
    ::DeleteFileA((work + "\\desk.state.json").c_str());
    if (!::CopyFileA(source.c_str(), target.c_str(), FALSE)) return false;
    ::SetEnvironmentVariableA("VISTREL_SIM_CONFIG", target.c_str());
    DeleteSettingsTree();
    return true;
}

void DeleteSettingsTree() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsRoot);
}

bool ReadSettingsDword(const char* valueName, DWORD* value) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsRoot, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = sizeof *value;
    const LONG result =
        ::RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

Program::~Program() {
    if (Running()) {
        // A test that failed half-way must not leave its controller behind.
        Kill();
    }
    if (m_process.hProcess != nullptr) ::CloseHandle(m_process.hProcess);
    if (m_process.hThread != nullptr) ::CloseHandle(m_process.hThread);
}

bool Program::Start() {
    std::string path = ProgramPath();
    std::string folder = path.substr(0, path.find_last_of('\\'));
    std::string commandLine = "\"" + path + "\"";
    // Resident means: the tray icon is there (or the process gave up).
    const int iconsBefore = TrayIconCount();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &m_process)) {
        return false;
    }
    // Resident means: the main window exists and its message loop waits for input.
    const bool found = WaitUntil(60000, [&] {
        FindContext context{m_process.dwProcessId, nullptr, "VISTREL", nullptr};
        ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&context));
        m_main = context.found;
        return m_main != nullptr || !Running();
    });
    if (!found || m_main == nullptr) return false;
    WaitUntil(60000, [&] { return TrayIconCount() > iconsBefore || !Running(); });
    ::WaitForInputIdle(m_process.hProcess, 10000);
    return Running();
}

bool Program::Running() const {
    return m_process.hProcess != nullptr &&
           ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD milliseconds) const {
    return m_process.hProcess != nullptr &&
           ::WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool Program::ExitFromTray(bool closeSettings, DWORD milliseconds) const {
    if (!Running()) return true;
    if (closeSettings) {
        constexpr WPARAM kIdClose = 1046;  // "&Close"
        ::PostMessageA(m_main, WM_COMMAND, kIdClose, 0);
        WaitUntil(3000, [&] { return ::IsWindowVisible(m_main) == FALSE; });
    }
    for (int attempt = 0; attempt < 2 && Running(); ++attempt) {
        if (HWND menu = OpenTrayMenu()) PickMenuItem(menu, kMenuExit);
        WaitForExit(milliseconds);
    }
    return !Running();
}

void Program::Kill() {
    if (m_process.hProcess != nullptr) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
}

HWND Program::OpenTrayMenu() const {
    // Under Wine without a window manager, a menu opened just after the settings
    // window was hidden is now and then cancelled at once by the late focus change
    // of that hide, while the program stays responsive. A user clicks again; so
    // does the driver.
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && menu == nullptr; ++attempt) {
        ::PostMessageA(m_main, kTrayCallback, 0, WM_RBUTTONUP);
        WaitUntil(2500, [&] {
            menu = ::FindWindowA("#32768", nullptr);
            if (menu != nullptr && !::IsWindowVisible(menu)) menu = nullptr;
            return menu != nullptr;
        });
    }
    return menu;
}

void Program::PickMenuItem(HWND menu, int index) const {
    for (int i = 0; i <= index; ++i) ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    WaitUntil(5000, [&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); });
}

void Program::DoubleClickTray() const {
    ::PostMessageA(m_main, kTrayCallback, 0, WM_LBUTTONDBLCLK);
}

int Program::CurrentMonitor() const {
    if (m_main == nullptr) return -1;
    return static_cast<int>(reinterpret_cast<INT_PTR>(::GetPropA(m_main, "VistrelCurrentMonitor")));
}

HWND Program::FindOwnWindow(const char* className, const std::wstring& caption) const {
    FindContext context{m_process.dwProcessId, nullptr, className, &caption};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND Program::FindOwnDialogWith(int controlId) const {
    FindContext context{m_process.dwProcessId, nullptr, "#32770", nullptr, controlId};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND Program::OpenMonitorList() const {
    HWND menu = OpenTrayMenu();
    if (menu == nullptr) return nullptr;
    PickMenuItem(menu, kMenuList);
    constexpr int kListBox = 1153;
    HWND list = nullptr;
    WaitUntil(5000, [&] { return (list = FindOwnDialogWith(kListBox)) != nullptr; });
    return list;
}

std::vector<std::wstring> TabTexts(HANDLE process, HWND tab) {
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    // The item record and its text buffer must live in the controller's memory.
    const SIZE_T textBytes = 256 * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(::VirtualAllocEx(
        process, nullptr, sizeof(TCITEMW) + textBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (remote == nullptr) return texts;
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPWSTR>(remote + sizeof(TCITEMW));
        item.cchTextMax = 256;
        const wchar_t empty[1] = {0};
        ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        ::WriteProcessMemory(process, remote + sizeof(TCITEMW), empty, sizeof empty, nullptr);
        ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
        wchar_t text[256] = {};
        ::ReadProcessMemory(process, remote + sizeof(TCITEMW), text, textBytes, nullptr);
        text[255] = 0;
        texts.emplace_back(text);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return texts;
}

std::vector<std::wstring> ListBoxLines(HWND list) {
    std::vector<std::wstring> lines;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageW(list, LB_GETTEXTLEN, i, 0));
        if (length < 0) continue;
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(wcslen(line.c_str()));
        lines.push_back(line);
    }
    return lines;
}

std::wstring ResourceString(UINT id, LANGID language) {
    HMODULE module = ::LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::wstring();
    std::wstring text;
    HRSRC block =
        ::FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);
    if (block != nullptr) {
        const auto* data = static_cast<const WCHAR*>(::LockResource(::LoadResource(module, block)));
        // A block holds 16 counted strings.
        for (UINT i = 0; data != nullptr && i < 16; ++i) {
            const WORD length = *data++;
            if (i == id % 16) text.assign(data, length);
            data += length;
        }
    }
    ::FreeLibrary(module);
    return text;
}

namespace {
BOOL CALLBACK CountTrayIcons(HWND window, LPARAM parameter) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "__winex11_tray_icon" && ::IsWindowVisible(window)) {
        ++*reinterpret_cast<int*>(parameter);
    }
    return TRUE;
}
BOOL CALLBACK CountTrayIconsTopLevel(HWND window, LPARAM parameter) {
    CountTrayIcons(window, parameter);
    ::EnumChildWindows(window, CountTrayIcons, parameter);
    return TRUE;
}
}  // namespace

int TrayIconCount() {
    int count = 0;
    ::EnumWindows(CountTrayIconsTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

namespace {
BOOL CALLBACK CollectDisplay(HMONITOR, HDC, LPRECT rect, LPARAM context) {
    const std::string place = std::to_string(rect->right - rect->left) + "x" +
                              std::to_string(rect->bottom - rect->top) + "+" +
                              std::to_string(rect->left) + "+" + std::to_string(rect->top);
    reinterpret_cast<std::vector<std::string>*>(context)->push_back(place);
    return TRUE;
}

// The displays as Wine shows them, in X's notation, sorted.
std::vector<std::string> WineDisplays() {
    std::vector<std::string> displays;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&displays));
    std::sort(displays.begin(), displays.end());
    return displays;
}
}  // namespace

bool RunXrandr(const std::string& arguments) {
    const std::string folder = DosPath(Env("E2E_WORK"));
    const std::string request = folder + "\\xrandr.request";
    const std::string answer = folder + "\\xrandr.answer";
    const std::string draft = request + ".new";
    ::DeleteFileA(answer.c_str());
    {
        std::ofstream file(draft, std::ios::binary);
        file << arguments << "\n";
        if (!file) return false;
    }
    // The helper polls for the request: a file it found still empty would be run
    // as a plain query and removed, and the request lost. It appears whole.
    if (!::MoveFileExA(draft.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    if (!WaitUntil(20000, [&] {
            return ::GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES;
        })) {
        return false;
    }
    std::ifstream reply(answer);
    int status = -1;
    if (!(reply >> status) || status != 0) return false;
    std::vector<std::string> outputs;
    for (std::string place; reply >> place;) outputs.push_back(place);
    std::sort(outputs.begin(), outputs.end());
    // Wine takes the new layout from X a moment later, in its desktop process.
    if (!WaitUntil(10000, [&] { return WineDisplays() == outputs; })) return false;
    // Windows announces a changed display layout to every top-level window; Wine
    // notices an outside RandR change but announces nothing, so the driver does.
    HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(
        HWND_BROADCAST, WM_DISPLAYCHANGE, static_cast<WPARAM>(bits),
        MAKELPARAM(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
        SMTO_ABORTIFHUNG, 2000, &ignored);
    return true;
}

int DisplayCount() {
    return ::GetSystemMetrics(SM_CMONITORS);
}

}  // namespace e2e
