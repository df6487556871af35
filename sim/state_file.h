#pragma once
// Whole-file reads and crash-safe rewrites of the monitors' state file: a reader
// (another process, a test) sees either the old file or the new one, never half.
#include <string>

namespace sim {

// False when the file does not exist or cannot be read; `missing` tells which.
bool ReadWholeFile(const std::string& path, std::string* text, bool* missing);
// Writes a temporary file beside `path` and renames it over `path`.
bool ReplaceFile(const std::string& path, const std::string& text, std::string* error);

}  // namespace sim
