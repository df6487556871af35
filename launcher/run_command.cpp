#include "launcher/run_command.h"

#include "resources/launcher/resource.h"

namespace launcher {

namespace {

std::u16string_view TrimLeft(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

RunCommand SplitRunCommand(std::u16string_view command,
                           const std::function<bool(const std::u16string&)>& fileExists) {
    RunCommand result;
    command = TrimRight(TrimLeft(command));
    if (command.empty()) return result;
    if (command.front() == u'"') {
        command.remove_prefix(1);
        const size_t close = command.find(u'"');
        if (close == std::u16string_view::npos) {
            result.file = std::u16string(command);
            return result;
        }
        result.file = std::u16string(command.substr(0, close));
        result.parameters = std::u16string(TrimLeft(command.substr(close + 1)));
        return result;
    }
    const size_t firstSpace = command.find_first_of(u" \t");
    if (firstSpace == std::u16string_view::npos) {
        result.file = std::u16string(command);
        return result;
    }
    size_t end = command.size();
    if (fileExists) {
        // From the whole line down to the first token: the longest that exists wins.
        for (;;) {
            if (fileExists(std::u16string(TrimRight(command.substr(0, end))))) {
                result.file = std::u16string(TrimRight(command.substr(0, end)));
                result.parameters = std::u16string(TrimLeft(command.substr(end)));
                return result;
            }
            if (end <= firstSpace) break;
            end = command.find_last_of(u" \t", end - 1);
            if (end == std::u16string_view::npos || end < firstSpace) break;
        }
    }
    result.file = std::u16string(command.substr(0, firstSpace));
    result.parameters = std::u16string(TrimLeft(command.substr(firstSpace + 1)));
    return result;
}

std::optional<std::u16string> ReadRunValue(launcher::RunKey& key, const std::u16string& name,
                                           bool* expand) {
    for (launcher::RegistryView view :
         {launcher::RegistryView::Wow64_64, launcher::RegistryView::Wow64_32}) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        if (!key.Query(view, name, &type, &data)) continue;
        if (type != launcher::RunKey::kTypeString && type != launcher::RunKey::kTypeExpandString) {
            continue;
        }
        // The stored bytes need not hold a terminator, nor an even count.
        std::u16string text;
        for (size_t i = 0; i + 1 < data.size(); i += 2) {
            const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
            if (c == 0) break;
            text.push_back(c);
        }
        if (expand != nullptr) *expand = type == launcher::RunKey::kTypeExpandString;
        return text;
    }
    return std::nullopt;
}

unsigned ShellErrorStringId(int shellResult) {
    switch (shellResult) {
        case 2:
            return IDS_NO_FILE;
        case 31:
            return IDS_NO_ASSOCIATION;
        case 8:
            return IDS_LACK_OF_MEMORY;
        case 5:
            return IDS_PERMISSION_DENIED;
        case 26:
            return IDS_SHARING_VIOLATION;
        default:
            return IDS_UNKNOWN_ERROR;
    }
}

bool SetupSucceeded(unsigned exitCode) {
    return exitCode == 0 || exitCode == 3010 || exitCode == 1641;
}

}  // namespace launcher
