#pragma once
// Whole-file reads and crash-safe rewrites of the monitors' state file: a reader
// (another process, a test) sees either the old file or the new one, never half.
#include <cstdint>
#include <string>

namespace sim {

// Enough of a file's identity to notice that someone replaced it. The content
// hash is part of it: where file times are kept in whole seconds (the MinGW
// runtime), two writes of the same length within a second look alike otherwise.
struct StateStamp {
    bool exists = false;
    std::int64_t modified = 0;
    std::uint64_t size = 0;
    std::uint64_t contentHash = 0;

    bool operator==(const StateStamp&) const = default;
};

StateStamp StampOf(const std::string& path);

// False when the file does not exist or cannot be read; `missing` tells which.
bool ReadWholeFile(const std::string& path, std::string* text, bool* missing);
// Writes a temporary file beside `path` and renames it over `path`.
bool ReplaceFile(const std::string& path, const std::string& text, std::string* error);

}  // namespace sim
