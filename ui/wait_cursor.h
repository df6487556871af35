#pragma once
// The hourglass while the user waits for monitor work. Brackets nest: the arrow comes
// back only when the outermost one ends. While any bracket is open, the framework's
// dialogs keep answering WM_SETCURSOR with the wait cursor, so a message box or a
// repaint inside the bracket does not flip it back.
#include <windows.h>

namespace ui {

void BeginWaitCursor();
void EndWaitCursor();
bool IsWaitCursorShown();
// Re-applies the wait cursor; true when a bracket is open.
bool RestoreWaitCursor();

class WaitCursor {
public:
    WaitCursor() { BeginWaitCursor(); }
    ~WaitCursor() { EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace ui
