#pragma once
// Character type of the build: the controller is built with 8-bit strings and the
// ANSI calls (ui_a), the launcher with UTF-16 and the wide calls (ui_w, UNICODE).
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

using tchar = TCHAR;
using tstring = std::basic_string<tchar>;
using tstring_view = std::basic_string_view<tchar>;

}  // namespace ui
