#pragma once
// Keyboard handling of the settings window that needs no window: page cycling
// and the mnemonics of the pages' controls.
#include <string>

#include "shell/registry.h"

namespace shell {

inline constexpr int kPageCount = 4;

// Ctrl+Tab / Ctrl+Shift+Tab, wrapping round.
int NextPage(int current, bool backwards);

// The character after the control text's '&' ("&&" is a literal ampersand), upper
// case; 0 when the text has no mnemonic.
char MnemonicOf(const std::string& text);

// Keep-on-top lives in the root value NoTopmost: absent or 0 keeps the window on top.
bool ReadKeepOnTop(CRegistry& registry);
// Stores the new choice; returns it.
bool StoreKeepOnTop(CRegistry& registry, bool keepOnTop);

}  // namespace shell
