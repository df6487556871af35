#pragma once
// The page classes of the settings window's four tabs. Built into the program
// itself, since the pages belong to the feature folders above the shell.
#include <memory>

#include "ui/dialog.h"

std::unique_ptr<ui::Dialog> MakeControllerPage(int tab, unsigned templateId);
