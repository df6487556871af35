#pragma once
// What the settings window expects of its four pages beyond being dialogs.
#include <functional>
#include <memory>

#include "ui/dialog.h"

class CSettingsPage {
public:
    virtual ~CSettingsPage() = default;
    // The current monitor changed under a shown page (the settings window was
    // dragged onto another monitor): show that monitor's values.
    virtual void OnCurrentMonitorChanged() {}
    // The settings window was hidden: let go of what only painting the page needs.
    virtual void OnSettingsHidden() {}
};

// Builds the page of a tab (0 mode, 1 colour, 2 match, 3 sound) from its template;
// null leaves the tab with the plain dialog of the template.
using SettingsPageFactory =
    std::function<std::unique_ptr<ui::Dialog>(int tab, unsigned templateId)>;
