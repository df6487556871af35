#pragma once
// The application rules of automatic mode switching: one subkey of `Tonl` per
// application, named by the application, holding the target mode ("Mode") and,
// for a saved adjustment data set, the set's name ("ModeName").
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/display_mode.h"
#include "shell/registry.h"

inline constexpr std::int32_t kNoRuleMode = -1;
// Application and set names are held to this many characters.
inline constexpr std::size_t kRuleTextLength = 255;

struct AppModeRule {
    std::string application;          // "EXPLORER"
    std::int32_t mode = kNoRuleMode;  // -1, a DisplayMode 0-47, or 255 for a data set
    std::string modeName;             // the data set's name when mode is 255
};

// Root\Tonl and Root\Tonl\<application>.
std::string TonlKeyPath();
std::string RuleKeyPath(const std::string& application);

// Reads a REG_SZ of at most `bufferBytes` bytes, which the stored text may fill
// without a terminating zero; the text ends at the first zero or at `maxLength`
// characters. False when the value cannot be read.
bool ReadBoundedText(CRegistry& registry, const char* valueName, std::uint32_t bufferBytes,
                     std::size_t maxLength, const std::string& keyPath, std::string* text);

// Every rule in registry enumeration order: subkeys with a name and a readable
// "Mode"; a data-set rule takes its "ModeName" when it can be read.
std::vector<AppModeRule> LoadAppModeRules(CRegistry& registry);

// The rule of an application, compared without regard to case like the keys
// that hold the rules; null when it has none.
const AppModeRule* FindAppModeRule(const std::vector<AppModeRule>& rules,
                                   const std::string& application);

// The set name stored for an application's rule right now.
bool ReadRuleSetName(CRegistry& registry, const std::string& application, std::string* name);

// Writes "Mode" and, for a data set, "ModeName" (deleting a stale one otherwise).
// True only when everything the rule needs was written.
bool StoreAppModeRule(CRegistry& registry, const AppModeRule& rule);
bool DeleteAppModeRule(CRegistry& registry, const std::string& application);

// Data-set rules whose set name is gone (the set was deleted on the colour page)
// are removed. Returns the applications whose rule was found orphaned.
std::vector<std::string> RemoveOrphanedRules(CRegistry& registry);
