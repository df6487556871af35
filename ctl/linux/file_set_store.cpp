#include "ctl/linux/file_set_store.h"

#include <fstream>

#include "ctl/hex_text.h"
#include "ctl/linux/atomic_file.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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
    const AdjustmentBytes bytes = EncodeAdjustmentData(data);
    const std::string text = name + "\t" + HexText(bytes.data(), bytes.size());
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
    std::string text;
    for (const Line& line : lines) text += line.text + "\n";
    return ReplaceFile(m_path, text, beforeRename, problem);
}
