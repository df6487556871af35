#include "launcher/win/fitted_templates.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/gdi.h"

namespace {

std::vector<std::uint8_t> TemplateBytes(HINSTANCE resources, UINT id) {
    HRSRC found = ::FindResourceW(resources, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (found == nullptr) return {};
    const DWORD size = ::SizeofResource(resources, found);
    const auto* data =
        static_cast<const std::uint8_t*>(::LockResource(::LoadResource(resources, found)));
    if (data == nullptr) return {};
    return std::vector<std::uint8_t>(data, data + size);
}

// Skips a name-or-ordinal field; false when it runs past the end.
bool SkipNameOrOrdinal(const std::vector<std::uint8_t>& bytes, size_t* at) {
    auto word = [&](size_t offset) {
        return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    };
    if (*at + 2 > bytes.size()) return false;
    const std::uint16_t first = word(*at);
    if (first == 0) {
        *at += 2;
        return true;
    }
    if (first == 0xFFFF) {
        *at += 4;
        return *at <= bytes.size();
    }
    while (*at + 2 <= bytes.size()) {
        const std::uint16_t c = word(*at);
        *at += 2;
        if (c == 0) return true;
    }
    return false;
}

// The typeface, weight, italic flag and character set that follow the point size.
struct TemplateFont {
    int points = 0;
    int weight = 0;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
    std::wstring face;
};

bool ReadFont(std::vector<std::uint8_t>& bytes, TemplateFont* font) {
    std::uint16_t* points = TemplatePointSize(bytes);
    if (points == nullptr) return false;
    const size_t at = static_cast<size_t>(reinterpret_cast<std::uint8_t*>(points) - bytes.data());
    if (at + 6 > bytes.size()) return false;
    font->points = *points;
    font->weight = bytes[at + 2] | (bytes[at + 3] << 8);
    font->italic = bytes[at + 4] != 0;
    font->charset = bytes[at + 5];
    for (size_t i = at + 6; i + 2 <= bytes.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0) break;
        font->face += c;
    }
    return true;
}

// Width of the window a template of `units` dialog units makes in this font: the
// average character width as the dialog manager measures it, plus the frame.
int WindowWidth(const TemplateFont& font, int points, int units, DWORD style, DWORD exStyle) {
    SIZE extent{0, 0};
    {
        const ui::WindowDc screen(nullptr);
        const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
        const ui::Font made(::CreateFontW(-::MulDiv(points, dpi, 72), 0, 0, 0, font.weight,
                                          font.italic, 0, 0, font.charset, 0, 0, 0, 0,
                                          font.face.c_str()));
        const ui::SelectGuard selected(screen.Get(), made.Get());
        static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        ::GetTextExtentPoint32W(screen.Get(), kAlphabet, 52, &extent);
    }
    const int average = (extent.cx / 26 + 1) / 2;
    RECT window{0, 0, ::MulDiv(units, average, 4), 100};
    ::AdjustWindowRectEx(&window, style, FALSE, exStyle);
    return window.right - window.left;
}

}  // namespace

std::uint16_t* TemplatePointSize(std::vector<std::uint8_t>& bytes) {
    // Extended template header: version 1, signature 0xFFFF, then help id, styles,
    // item count and the rectangle (26 bytes), then menu, class and title.
    constexpr size_t kHeader = 26;
    if (bytes.size() < kHeader + 6 || bytes[0] != 1 || bytes[1] != 0 || bytes[2] != 0xFF ||
        bytes[3] != 0xFF) {
        return nullptr;
    }
    DWORD style = 0;
    std::memcpy(&style, bytes.data() + 12, sizeof style);
    if ((style & DS_SETFONT) == 0) return nullptr;
    size_t at = kHeader;
    for (int field = 0; field < 3; ++field) {
        if (!SkipNameOrOrdinal(bytes, &at)) return nullptr;
    }
    if (at + 2 > bytes.size()) return nullptr;
    return reinterpret_cast<std::uint16_t*>(bytes.data() + at);
}

void FittedTemplates::Prepare(HINSTANCE resources, UINT mainTemplate, int workAreaWidth) {
    resources_ = resources;
    points_ = originalPoints_ = 0;
    copies_.clear();
    std::vector<std::uint8_t> bytes = TemplateBytes(resources, mainTemplate);
    TemplateFont font;
    if (!ReadFont(bytes, &font) || font.points <= 0 || workAreaWidth <= 0) return;
    DWORD style = 0, exStyle = 0;
    std::int16_t units = 0;
    std::memcpy(&exStyle, bytes.data() + 8, sizeof exStyle);
    std::memcpy(&style, bytes.data() + 12, sizeof style);
    std::memcpy(&units, bytes.data() + 22, sizeof units);
    int points = font.points;
    // Whole points down to a floor where text stays legible.
    while (points > 6 && WindowWidth(font, points, units, style, exStyle) > workAreaWidth) --points;
    if (points == font.points) return;
    points_ = points;
    originalPoints_ = font.points;
}

const DLGTEMPLATE* FittedTemplates::Template(UINT id) {
    if (points_ == 0) return nullptr;
    for (auto& copy : copies_) {
        if (copy.first == id) return reinterpret_cast<const DLGTEMPLATE*>(copy.second.data());
    }
    std::vector<std::uint8_t> bytes = TemplateBytes(resources_, id);
    std::uint16_t* points = TemplatePointSize(bytes);
    if (points == nullptr) return nullptr;
    *points = static_cast<std::uint16_t>(std::max(6, ::MulDiv(*points, points_, originalPoints_)));
    copies_.emplace_back(id, std::move(bytes));
    return reinterpret_cast<const DLGTEMPLATE*>(copies_.back().second.data());
}
