#include "ui/wait_cursor.h"

namespace ui {

namespace {
int g_depth = 0;
HCURSOR g_previous = nullptr;
}  // namespace

void BeginWaitCursor() {
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (g_depth++ == 0) g_previous = previous;
}

void EndWaitCursor() {
    if (g_depth == 0) return;
    if (--g_depth == 0) {
        // The cursor the window under the pointer wants, or the one we replaced.
        ::SetCursor(g_previous != nullptr ? g_previous : ::LoadCursor(nullptr, IDC_ARROW));
        g_previous = nullptr;
    }
}

bool IsWaitCursorShown() {
    return g_depth > 0;
}

bool RestoreWaitCursor() {
    if (g_depth == 0) return false;
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    return true;
}

}  // namespace ui
