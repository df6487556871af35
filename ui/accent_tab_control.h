#pragma once
// A tab strip drawn the classic way, with the selected tab repainted on top: a
// light fill, its text centred in the parent's font and an amber bar along its top.
#include <windows.h>

#include "ui/controls/tab_control.h"
#include "ui/subclass.h"

namespace ui {

class AccentTabControl : public Subclassed<TabControl> {
public:
    explicit AccentTabControl(COLORREF selectedFill) : selectedFill_(selectedFill) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintSelectedTab();

    COLORREF selectedFill_;
};

}  // namespace ui
