#pragma once
#include <utility>

#include "ui/window.h"

namespace ui {

class Edit : public Window {
public:
    using Window::Window;

    void LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    // Start and end of the selection (the caret when they are equal).
    std::pair<int, int> Selection() const {
        DWORD start = 0, end = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }
    void SetSelection(int start, int end) const {
        Send(EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    void ScrollCaret() const { Send(EM_SCROLLCARET); }
    void ReplaceSelection(const tstring& text, bool canUndo = true) const {
        Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
    bool IsModified() const { return Send(EM_GETMODIFY) != FALSE; }
    void SetModified(bool modified) const { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }
    int TextLength() const { return ::GetWindowTextLength(Handle()); }
};

}  // namespace ui
