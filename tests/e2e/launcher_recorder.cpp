// Stands in for the programs the launcher opens: a reader for PDF files, a
// folder browser, a tool and a setup. It appends its command line and working
// folder to recorder.log in the test's work folder; "/exit=N" makes it end with
// code N after "/sleep=MS" milliseconds, as a setup would.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring commandLine = ::GetCommandLineW();
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    wchar_t work[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"E2E_WORK_DOS", work, MAX_PATH) > 0) {
        const std::wstring logPath = std::wstring(work) + L"\\recorder.log";
        HANDLE log =
            ::CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            const std::wstring line = commandLine + L"|" + folder + L"\n";
            const int size =
                ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
            std::string bytes(static_cast<size_t>(size), '\0');
            ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr,
                                  nullptr);
            DWORD written = 0;
            ::WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size() - 1), &written, nullptr);
            ::CloseHandle(log);
        }
    }
    int exitCode = 0;
    const size_t exitAt = commandLine.find(L"/exit=");
    if (exitAt != std::wstring::npos) exitCode = _wtoi(commandLine.c_str() + exitAt + 6);
    const size_t sleepAt = commandLine.find(L"/sleep=");
    if (sleepAt != std::wstring::npos)
        ::Sleep(static_cast<DWORD>(_wtoi(commandLine.c_str() + sleepAt + 7)));
    return exitCode;
}
