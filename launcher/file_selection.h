#pragma once
// The choices of the file selection dialog, independent of its window.
#include <array>
#include <string>

#include "launcher/launcher_info.h"

namespace launcher {

// Language buttons in control order: Japanese, English, Deutsch, Francais, Chinese.
inline constexpr int kLanguageCount = 5;

// The entry the dialog offers: entry 0 with fewer than two, else the entry at the
// model list's selection. Null when there is none.
const FileInfo* ChosenEntry(const ButtonInfo& item, int selectedIndex);

const std::u16string& LanguageFile(const FileInfo& entry, int language);

// Which language buttons are enabled for an entry (all off without one).
std::array<bool, kLanguageCount> LanguageButtonStates(const FileInfo* entry);

// A language button: the full path when the entry has a file in that language.
bool ChooseLanguageFile(const ButtonInfo& item, int selectedIndex, int language,
                        const std::u16string& appDir, std::u16string* path);

// "OK" of the model-only dialog: always the selected entry's file name.
bool ChooseModelFile(const ButtonInfo& item, int selectedIndex, const std::u16string& appDir,
                     std::u16string* path);

}  // namespace launcher
