// The few control calls that need a buffer.
#include "ui/controls/combo_box.h"
#include "ui/controls/list_box.h"
#include "ui/controls/tab_control.h"

namespace ui {

namespace {

// Item texts come in two steps (length, then copy); a negative length means no item.
template <UINT LengthMessage, UINT TextMessage>
tstring ListItemText(const Window& control, int index) {
    LRESULT length = control.Send(LengthMessage, static_cast<WPARAM>(index));
    if (length <= 0) return tstring();
    tstring text(static_cast<size_t>(length) + 1, tchar());
    LRESULT copied = control.Send(TextMessage, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

tstring ComboBox::ItemText(int index) const {
    return ListItemText<CB_GETLBTEXTLEN, CB_GETLBTEXT>(*this, index);
}

tstring ListBox::ItemText(int index) const {
    return ListItemText<LB_GETTEXTLEN, LB_GETTEXT>(*this, index);
}

int TabControl::Insert(int index, const tstring& text) const {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    tstring copy = text;  // the control takes a non-const pointer
    item.pszText = copy.data();
    return static_cast<int>(
        Send(TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

tstring TabControl::ItemText(int index) const {
    tchar buffer[256] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(sizeof(buffer) / sizeof(buffer[0]));
    if (Send(TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == FALSE) {
        return tstring();
    }
    // The control may hand back its own buffer instead of filling ours.
    return item.pszText != nullptr ? tstring(item.pszText) : tstring();
}

}  // namespace ui
