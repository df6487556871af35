#include "ui/resource_string.h"

namespace ui {

namespace {
HINSTANCE g_resources = nullptr;
}

HINSTANCE ResourceInstance() {
    return g_resources != nullptr ? g_resources : ::GetModuleHandle(nullptr);
}

void SetResourceInstance(HINSTANCE instance) {
    g_resources = instance;
}

tstring ResourceString(UINT id, HINSTANCE instance) {
    if (instance == nullptr) instance = ResourceInstance();
    // LoadString cuts a long string silently (for 8-bit text possibly inside a
    // double-byte character), so grow the buffer until the text fits with room to spare.
    for (int capacity = 256; capacity <= 0x40000; capacity *= 4) {
        tstring text(static_cast<size_t>(capacity), tchar());
        int length = ::LoadString(instance, id, text.data(), capacity);
        if (length <= 0) return tstring();
        if (length < capacity - 2) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
    }
    return tstring();
}

tstring ReplaceFirst(tstring text, tstring_view placeholder, tstring_view value) {
    if (placeholder.empty()) return text;
    size_t at = text.find(placeholder);
    if (at != tstring::npos) text.replace(at, placeholder.size(), value);
    return text;
}

}  // namespace ui
