#include "launcher/file_selection.h"

namespace launcher {

const FileInfo* ChosenEntry(const ButtonInfo& item, int selectedIndex) {
    const auto& files = item.m_files;
    if (files.size() < 2) return files.empty() ? nullptr : files[0].get();
    if (selectedIndex < 0 || static_cast<size_t>(selectedIndex) >= files.size()) return nullptr;
    return files[static_cast<size_t>(selectedIndex)].get();
}

const std::u16string& LanguageFile(const FileInfo& entry, int language) {
    switch (language) {
        case 0:
            return entry.m_strJapanese;
        case 1:
            return entry.m_strEnglish;
        case 2:
            return entry.m_strDeutsch;
        case 3:
            return entry.m_strFrancais;
        default:
            return entry.m_strChinese;
    }
}

std::array<bool, kLanguageCount> LanguageButtonStates(const FileInfo* entry) {
    std::array<bool, kLanguageCount> states{};
    if (entry == nullptr) return states;
    for (int language = 0; language < kLanguageCount; ++language) {
        states[static_cast<size_t>(language)] = !LanguageFile(*entry, language).empty();
    }
    return states;
}

bool ChooseLanguageFile(const ButtonInfo& item, int selectedIndex, int language,
                        const std::u16string& appDir, std::u16string* path) {
    if (language < 0 || language >= kLanguageCount) return false;
    const FileInfo* entry = ChosenEntry(item, selectedIndex);
    // A disabled button can still be pressed with Enter as the default button;
    // an empty name would open the bare disk folder.
    if (entry == nullptr || LanguageFile(*entry, language).empty()) return false;
    *path = appDir + LanguageFile(*entry, language);
    return true;
}

bool ChooseModelFile(const ButtonInfo& item, int selectedIndex, const std::u16string& appDir,
                     std::u16string* path) {
    const auto& files = item.m_files;
    if (selectedIndex < 0 || static_cast<size_t>(selectedIndex) >= files.size()) return false;
    const FileInfo& entry = *files[static_cast<size_t>(selectedIndex)];
    if (entry.m_strFileName.empty()) return false;
    *path = appDir + entry.m_strFileName;
    return true;
}

}  // namespace launcher
