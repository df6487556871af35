#pragma once
#include "ui/window.h"

namespace ui {

class ComboBox : public Window {
public:
    using Window::Window;

    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Add(const tstring& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, Pointer(text)));
    }
    int Insert(int index, const tstring& text) const {
        return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), Pointer(text)));
    }
    int Delete(int index) const {
        return static_cast<int>(Send(CB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    void Clear() const { Send(CB_RESETCONTENT); }
    // CB_ERR (-1) when nothing is selected.
    int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // -1 clears the selection.
    int Select(int index) const {
        return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    LRESULT ItemData(int index) const { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    bool SetItemData(int index, LPARAM data) const {
        return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data) != CB_ERR;
    }
    tstring ItemText(int index) const;
    // Case-insensitive whole-text search after start (-1: from the top); CB_ERR if absent.
    int FindExact(const tstring& text, int start = -1) const {
        return static_cast<int>(
            Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), Pointer(text)));
    }
    bool IsDroppedDown() const { return Send(CB_GETDROPPEDSTATE) != FALSE; }
    void ShowDropDown(bool show) const { Send(CB_SHOWDROPDOWN, show ? TRUE : FALSE); }
    void LimitText(int characters) const { Send(CB_LIMITTEXT, static_cast<WPARAM>(characters)); }
    // Selection inside the edit field of an editable combo box.
    void SetEditSelection(int start, int end) const {
        Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    }

private:
    static LPARAM Pointer(const tstring& text) { return reinterpret_cast<LPARAM>(text.c_str()); }
};

}  // namespace ui
