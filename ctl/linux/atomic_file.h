#pragma once
// A file of the user's replaced as a whole: written to a temporary file beside
// it, flushed to disk, renamed over it, so that a crash or a kill leaves either
// the old file or the new one, never half of one.
#include <functional>
#include <string>

// False, with one line in *problem, when the file could not be replaced; the
// old one is then left as it was. `beforeRename` runs between the flush and the
// rename (tests stop the process there).
bool ReplaceFile(const std::string& path, const std::string& text,
                 const std::function<void()>& beforeRename, std::string* problem);

// The whole file when it exists and is at most `limit` bytes; empty otherwise.
std::string ReadSmallFile(const std::string& path, std::size_t limit);
