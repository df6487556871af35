#pragma once
// The launcher's window is laid out in dialog units of an 11-point font; with a
// wide stand-in font at 144 dpi it grows past a 1280-pixel screen. When it would
// not fit the work area, the main window and its pages are made from copies of
// their templates with the font points lowered alike, so the layout keeps its
// proportions and only gets smaller.
#include <windows.h>

#include <cstdint>
#include <vector>

// The point size field of an extended dialog template in memory, or null when the
// bytes are not one or name no font.
std::uint16_t* TemplatePointSize(std::vector<std::uint8_t>& dialogTemplate);

class FittedTemplates {
public:
    // Works out from the main window's template whether its font must shrink.
    void Prepare(HINSTANCE resources, UINT mainTemplate, int workAreaWidth);
    // A smaller copy of the template, or null when the resource is used as it is.
    const DLGTEMPLATE* Template(UINT id);

private:
    HINSTANCE resources_ = nullptr;
    // Numerator and denominator the font points are scaled by.
    int points_ = 0;
    int originalPoints_ = 0;
    std::vector<std::pair<UINT, std::vector<std::uint8_t>>> copies_;
};
