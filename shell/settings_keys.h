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

// A mnemonic moves the focus and then types its key again for the control that
// now has it. That key comes back through the same keyboard handling and must
// not be dispatched a second time, or the key would be re-sent without end.
class ResentKeyGuard {
public:
    void Resent(unsigned key) { m_key = key; }
    // True for the echo of the re-sent key (once); false for every other key.
    bool IsEcho(unsigned key) {
        if (m_key == 0 || key != m_key) return false;
        m_key = 0;
        return true;
    }

private:
    unsigned m_key = 0;
};

// Keep-on-top lives in the root value NoTopmost: absent or 0 keeps the window on top.
bool ReadKeepOnTop(CRegistry& registry);
// Stores the new choice; returns it.
bool StoreKeepOnTop(CRegistry& registry, bool keepOnTop);

}  // namespace shell
