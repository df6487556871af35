#include "sim/state_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace sim {
namespace {

// Distinct per process and per write, so two processes sharing a desk never
// write into the same temporary file.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static const auto start = static_cast<unsigned long long>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%llx-%p-%u.tmp", start, static_cast<void*>(&counter),
                  counter.fetch_add(1));
    return path + suffix;
}

}  // namespace

StateStamp StampOf(const std::string& path) {
    StateStamp stamp;
    std::error_code ec;
    const std::filesystem::path file(path);
    const auto modified = std::filesystem::last_write_time(file, ec);
    if (ec) return stamp;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) return stamp;
    stamp.exists = true;
    stamp.modified = static_cast<std::int64_t>(modified.time_since_epoch().count());
    stamp.size = static_cast<std::uint64_t>(size);
    std::string text;
    bool missing = false;
    if (ReadWholeFile(path, &text, &missing)) {
        // FNV-1a, 64 bits: cheap for a file of a few kilobytes.
        std::uint64_t hash = 14695981039346656037ull;
        for (const char c : text) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
        stamp.contentHash = hash;
    }
    return stamp;
}

bool ReadWholeFile(const std::string& path, std::string* text, bool* missing) {
    std::error_code ec;
    *missing = !std::filesystem::exists(std::filesystem::path(path), ec);
    if (*missing) return false;
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    *text = contents.str();
    return !file.bad();
}

bool ReplaceFile(const std::string& path, const std::string& text, std::string* error) {
    const std::string temporary = TemporaryName(path);
    const auto target = std::filesystem::path(path);
    const auto staging = std::filesystem::path(temporary);
    {
        std::ofstream file(staging, std::ios::binary | std::ios::trunc);
        if (!file) {
            if (error) *error = temporary + ": cannot be created";
            return false;
        }
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.flush();
        if (!file) {
            if (error) *error = temporary + ": write failed";
            file.close();
            std::error_code ignored;
            std::filesystem::remove(staging, ignored);
            return false;
        }
    }
    std::error_code ec;
    // On Windows a reader that has the file open for a moment (another process
    // taking in our last write) makes the rename fail until it lets go.
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::filesystem::rename(staging, target, ec);
        if (!ec) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (error) *error = path + ": cannot be replaced (" + ec.message() + ")";
    std::error_code ignored;
    std::filesystem::remove(staging, ignored);
    return false;
}

}  // namespace sim
