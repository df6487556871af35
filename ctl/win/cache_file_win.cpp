#include "ctl/win/cache_file_win.h"

#include <windows.h>

#include <vector>

namespace {

// Far more than 32 monitors' capabilities in hexadecimal; a larger file is not
// ours and is not read into memory.
constexpr DWORD kMaxCacheFileSize = 8u << 20;

}  // namespace

WinIdentityCacheFile::WinIdentityCacheFile() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::wstring path = std::wstring(folder) + L"\\Panelwright";
    ::CreateDirectoryW(path.c_str(), nullptr);
    m_path = path + L"\\vistrelctl-monitors";
}

std::string WinIdentityCacheFile::Load() {
    if (m_path.empty()) return {};
    HANDLE file = ::CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxCacheFileSize) {
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!text.empty() &&
            (!::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
             read != text.size()))
            text.clear();
    }
    ::CloseHandle(file);
    return text;
}

bool WinIdentityCacheFile::Save(const std::string& text) {
    if (m_path.empty()) return false;
    const std::wstring temporary = m_path + L".new-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size() && ::FlushFileBuffers(file);
    ::CloseHandle(file);
    if (!whole || !::MoveFileExW(temporary.c_str(), m_path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
