#pragma once
#include "ui/window.h"

namespace ui {

class ListBox : public Window {
public:
    using Window::Window;

    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    int Add(const tstring& text) const {
        return static_cast<int>(Send(LB_ADDSTRING, 0, Pointer(text)));
    }
    int Insert(int index, const tstring& text) const {
        return static_cast<int>(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), Pointer(text)));
    }
    int Delete(int index) const {
        return static_cast<int>(Send(LB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    void Clear() const { Send(LB_RESETCONTENT); }
    int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    int Select(int index) const {
        return static_cast<int>(Send(LB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    LRESULT ItemData(int index) const { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    bool SetItemData(int index, LPARAM data) const {
        return Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data) != LB_ERR;
    }
    tstring ItemText(int index) const;
    int FindExact(const tstring& text, int start = -1) const {
        return static_cast<int>(
            Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), Pointer(text)));
    }

private:
    static LPARAM Pointer(const tstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
};

}  // namespace ui
