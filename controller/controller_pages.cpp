#include "controller/controller_pages.h"

#include "match/win/dlg_multimon_match.h"
#include "modes/win/dlg_color.h"
#include "modes/win/dlg_sound.h"
#include "modes/win/dlg_tonl.h"
#include "shell/win/dlg_page.h"
#include "shell/win/shell_ids.h"

namespace {

// Background bitmaps of the pages, below and from 120 dots per inch.
constexpr UINT kModePageBitmaps[2] = {277, 304};

// Controls where each page's keyboard order starts.
constexpr int kModePageFirst = 1029;

}  // namespace

std::unique_ptr<ui::Dialog> MakeControllerPage(int tab, unsigned templateId) {
    switch (tab) {
    case 0:
        return std::make_unique<CDlgTonl>(kModePageBitmaps[0], kModePageBitmaps[1], kModePageFirst);
    case 1:
        return std::make_unique<CDlgColor>();
    case 2:
        return std::make_unique<CDlgMultiMonMatch>();
    case 3:
        return std::make_unique<CDlgSound>();
    default:
        return nullptr;
    }
}
