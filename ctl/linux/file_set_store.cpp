#include "ctl/linux/file_set_store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kHex[] = "0123456789abcdef";

std::string HexOf(const AdjustmentBytes& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string DefaultSetFilePath(const char* xdgConfigHome, const char* home) {
    std::string folder;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/')
        folder = xdgConfigHome;
    else if (home != nullptr && home[0] == '/')
        folder = std::string(home) + "/.config";
    else
        return {};
    return folder + "/panelwright/vistrelctl-sets";
}

std::vector<FileSetStore::Line> FileSetStore::Load() const {
    std::vector<Line> lines;
    std::ifstream in(m_path);
    std::string text;
    while (std::getline(in, text)) {
        Line line;
        line.text = text;
        const std::size_t tab = text.find('\t');
        if (tab != std::string::npos && tab > 0) line.name = text.substr(0, tab);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> FileSetStore::Names() {
    std::vector<std::string> names;
    for (const Line& line : Load()) {
        if (!line.name.empty()) names.push_back(line.name);
    }
    return names;
}

bool FileSetStore::Read(const std::string& name, AdjustmentData* data) {
    for (const Line& line : Load()) {
        if (line.name != name) continue;
        const std::string hex = line.text.substr(name.size() + 1);
        if (hex.size() != 2 * AdjustmentData::kSize) return false;
        AdjustmentBytes bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const int high = HexDigit(hex[2 * i]);
            const int low = HexDigit(hex[2 * i + 1]);
            if (high < 0 || low < 0) return false;
            bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
        }
        return DecodeAdjustmentData(bytes.data(), bytes.size(), data);
    }
    return false;
}

bool FileSetStore::Write(const std::string& name, const AdjustmentData& data,
                         std::string* problem) {
    std::vector<Line> lines = Load();
    const std::string text = name + "\t" + HexOf(EncodeAdjustmentData(data));
    bool replaced = false;
    for (Line& line : lines) {
        if (line.name == name) {
            line.text = text;
            replaced = true;
        }
    }
    if (!replaced) lines.push_back(Line{name, text});
    return Save(lines, problem);
}

bool FileSetStore::Delete(const std::string& name, std::string* problem) {
    std::vector<Line> lines = Load();
    std::vector<Line> kept;
    for (const Line& line : lines) {
        if (line.name != name) kept.push_back(line);
    }
    if (kept.size() == lines.size()) return false;
    return Save(kept, problem);
}

bool FileSetStore::Save(const std::vector<Line>& lines, std::string* problem) {
    const std::filesystem::path path(m_path);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    const std::string temporary = m_path + ".new-" + std::to_string(::getpid());
    std::string text;
    for (const Line& line : lines) text += line.text + "\n";

    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        *problem = "cannot write " + temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        *problem = "cannot write " + temporary + ": " + std::strerror(writeError);
        return false;
    }
    if (beforeRename) beforeRename();
    if (::rename(temporary.c_str(), m_path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        *problem = "cannot replace " + m_path + ": " + std::strerror(renameError);
        return false;
    }
    // The rename itself is on disk only once the folder is.
    const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
