#pragma once
// The picture modes by their English names, as a script names them.
#include <optional>
#include <string>

#include "monitor/display_mode.h"

// "Game mode"; empty for a value the catalogue leaves unnamed.
std::string ModeName(DisplayMode mode);
// A mode named as "Game mode", "game", "GAME" or by its value "17". Values of
// unnamed rows are accepted by number only.
std::optional<DisplayMode> ModeByName(const std::string& text);
