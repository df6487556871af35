#pragma once
// Strings from the string table of the program's resources, in the user's language.
#include "ui/tstring.h"

namespace ui {

// The module whose resources the framework loads dialogs and strings from; the
// program's own executable unless set otherwise.
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);

// The whole string, however long; empty when the id has no string.
tstring ResourceString(UINT id, HINSTANCE instance = nullptr);
// Replaces the first occurrence of placeholder in text by value (message texts carry
// markers such as "XX" or "%s" that are filled in at run time).
tstring ReplaceFirst(tstring text, tstring_view placeholder, tstring_view value);

}  // namespace ui
